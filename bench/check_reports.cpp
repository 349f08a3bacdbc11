// Every report of the "Raporty" view printed whole on a large database: the
// check of tests/gui/test_reportwhole at the size the tests cannot afford.
//   check_reports [rows] [database folder]
// With a folder that holds no database, one of `rows` computers (100,000 by
// default) and every other register in proportion is made there first.
#include "LargeDatabase.h"
#include "WholePrint.h"

#include "base/Dialogs.h"
#include "store/TmyDataBase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rows = args.size() > 1 ? args.at(1).toInt() : 100000;
    QTemporaryDir temporary;
    const QString folder = args.size() > 2 ? args.at(2) : temporary.path();
    qputenv("SPRZETNIK_CONFIG_DIR", QDir(temporary.path()).filePath(QStringLiteral("config")).toLocal8Bit());
    const QString password = QStringLiteral("raporty");
    QElapsedTimer timer;
    timer.start();
    if (!QFileInfo::exists(TmyDataBase::databaseFile(folder))) {
        makeLargeDatabase(folder, password, everyRegister(rows));
        std::printf("Baza %d wierszy: %.1f s\n", rows, double(timer.restart()) / 1000.0);
    }
    TmyDataBase db;
    if (!db.connectTo(folder, password)) {
        std::fprintf(stderr, "Nie można otworzyć bazy w %s\n", qPrintable(folder));
        return 2;
    }
    Dialogs::startScript();
    QStringList seen;
    int pages = 0;
    QElapsedTimer each;
    each.start();
    const QStringList faults = WholePrint::printEverything(
        db, &seen, &pages, [&](const QString& file, const WholePrint::PageCheck& check) {
            std::printf("%-24s %7d stron  %6.1f s\n", qPrintable(file), check.pages,
                        double(each.restart()) / 1000.0);
            std::fflush(stdout);
        });
    std::printf("Raportów: %lld, stron: %d, razem %.1f s\n", static_cast<long long>(seen.size()), pages,
                double(timer.elapsed()) / 1000.0);
    for (const QString& fault : faults)
        std::printf("BŁĄD: %s\n", qPrintable(fault));
    std::printf(faults.isEmpty() ? "Każdy raport wydrukowany w całości.\n" : "Błędów: %lld\n",
                static_cast<long long>(faults.size()));
    return faults.isEmpty() ? 0 : 1;
}
