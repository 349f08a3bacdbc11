// The employee import's loading of a large file, timed by hand:
//   import_load_timing [--rows N]      (default 614446 rows, about 50 MB)
// Writes the file, then times (1) reading its bytes, (2) CsvSheet::read, the
// reading and splitting of the file, and (3) "Załaduj arkusz .CSV" of the
// window up to the rows shown through its model, with the longest stretch in
// which the window's event loop did not run (a frozen window). Each figure is
// the best of three runs; wall clock and CPU time are printed, since on a
// busy machine the wall clock mostly measures the others.
#include "base/Dialogs.h"
#include "maintenance/CsvSheet.h"
#include "maintenance/TfImportPracownik.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <ctime>

namespace {
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1.0e6;
}

struct Figure
{
    double wall = 1e18;
    double cpu = 1e18;
};

Figure best(int runs, const std::function<void()>& work)
{
    Figure f;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        const double c0 = cpuMs();
        clock.start();
        work();
        f.wall = std::min(f.wall, double(clock.nsecsElapsed()) / 1.0e6);
        f.cpu = std::min(f.cpu, cpuMs() - c0);
    }
    return f;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("rows"), QStringLiteral("rows of the file"), QStringLiteral("N"),
                      QStringLiteral("614446")});
    parser.process(app);
    const int rows = parser.value(QStringLiteral("rows")).toInt();

    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("pracownicy.csv"));
    {
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QByteArray chunk;
        f.write("Numer;Nazwisko;Imię;Miasto;Telefon;Inne\r\n");
        for (int i = 0; i < rows; ++i) {
            chunk += "IMP-" + QByteArray::number(i) + ";Kowalski-" + QByteArray::number(i % 997) +
                     ";\"Jan; Maria\";Krak\xC3\xB3w;+48 12 345 " + QByteArray::number(i % 1000) +
                     ";\"Uwagi \"\"pilne\"\" do wiersza\"\r\n";
            if (chunk.size() > (1 << 20)) {
                f.write(chunk);
                chunk.clear();
            }
        }
        f.write(chunk);
    }
    const qint64 size = QFileInfo(name).size();
    std::printf("file: %d rows, %.1f MB\n", rows, double(size) / 1048576.0);

    const Figure bytes = best(3, [&] {
        QFile f(name);
        f.open(QIODevice::ReadOnly);
        volatile qsizetype n = f.readAll().size();
        (void)n;
    });
    const Figure sheet = best(3, [&] {
        QFile f(name);
        f.open(QIODevice::ReadOnly);
        CsvSheet s;
        s.read(f, QLatin1Char(';'));
    });

    // The window: no database is touched by loading.
    TmyDataBase db;
    Dialogs::startScript();
    TfImportPracownik window(db);
    window.show();
    qint64 longestGap = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.elapsed());
        sinceTick.restart();
    });
    int shown = 0;
    const Figure load = best(3, [&] {
        Dialogs::setNextAnswer(false);
        sinceTick.start();
        ticker.start();
        window.loadFile(name);
        ticker.stop();
        shown = window.findChild<QTableView*>(QStringLiteral("CSV"))->model()->rowCount();
    });
    Dialogs::stopScript();

    std::printf("read the bytes         : %8.0f ms wall, %8.0f ms CPU\n", bytes.wall, bytes.cpu);
    std::printf("CsvSheet::read         : %8.0f ms wall, %8.0f ms CPU\n", sheet.wall, sheet.cpu);
    std::printf("window load (%d rows) : %8.0f ms wall, %8.0f ms CPU  (%.2fx the sheet's read)\n", shown,
                load.wall, load.cpu, load.cpu / sheet.cpu);
    std::printf("longest stretch without the event loop during the loads: %lld ms\n",
                static_cast<long long>(longestGap));
    return 0;
}
