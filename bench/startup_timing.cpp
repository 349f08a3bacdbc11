// Process start -> login window painted, against a bare dialog, on a generated
// database:
//   startup_timing <program> [--computers N] [--runs N] [--show-output]
// Builds the database and a configuration naming it in a temporary folder,
// then starts, in turns, the program with SPRZETNIK_STARTUP_TIMING=exit and
// this tool itself in its floor mode (`--bare`: a plain application showing
// a dialog of two fields and two buttons), each `runs` times. Prints every
// run and the medians of CPU time and wall clock, and the median ratio of the
// pairs (CPU time is the figure to quote on a busy machine).
#include "LargeDatabase.h"

#include "base/Config.h"
#include "store/DatabaseLocation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <sys/resource.h>

namespace {
// CPU time of the finished children so far, in ms (on a busy machine the wall
// clock mostly measures the others).
qint64 childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           qint64(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

// The floor: what the toolkit costs to put one small dialog on the screen.
class PaintWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("bare")) {
            std::printf("login-painted-ms %lld\n",
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

int bareDialog(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PaintWatch watch;
    app.installEventFilter(&watch);
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("bare"));
    dialog.setWindowTitle(QStringLiteral("Logowanie"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Użytkownik:"), new QLineEdit(&dialog));
    form->addRow(QStringLiteral("Hasło:"), new QLineEdit(&dialog));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QPushButton(QStringLiteral("&Zaloguj"), &dialog));
    buttons->addWidget(new QPushButton(QStringLiteral("&Anuluj"), &dialog));
    form->addRow(buttons);
    return dialog.exec();
}

struct Run
{
    qint64 wall = 0;
    qint64 cpu = 0;
};

// Starts a program that prints "login-painted-ms" when its window is painted.
bool start(const QString& program, const QStringList& arguments, bool showOutput, Run* run)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SPRZETNIK_STARTUP_TIMING"), QStringLiteral("exit"));
    process.setProcessEnvironment(env);
    const qint64 cpuBefore = childrenCpuMs();
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    process.start(program, arguments);
    process.waitForFinished(60000);
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    if (showOutput)
        std::fprintf(stderr, "%s", qPrintable(err));
    const qsizetype at = out.indexOf(QLatin1String("login-painted-ms "));
    if (at < 0) {
        std::fprintf(stderr, "no window painted by %s:\n%s\n%s\n", qPrintable(program), qPrintable(out),
                     qPrintable(err));
        return false;
    }
    run->wall = out.mid(at + 17).section(QLatin1Char('\n'), 0, 0).toLongLong() - started;
    run->cpu = childrenCpuMs() - cpuBefore;
    return true;
}

template <class T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return bareDialog(argc, argv);
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("program"), QStringLiteral("The program to start."));
    parser.addOption({QStringLiteral("computers"), QStringLiteral("Computers in the database."),
                      QStringLiteral("N"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Starts of each to time."), QStringLiteral("N"),
                      QStringLiteral("7")});
    parser.addOption(
        {QStringLiteral("show-output"), QStringLiteral("Print what the program writes to stderr.")});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);
    const bool showOutput = parser.isSet(QStringLiteral("show-output"));

    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("config"));
    const QString base = dir.filePath(QStringLiteral("baza"));
    QDir().mkpath(config);
    qputenv("SPRZETNIK_CONFIG_DIR", config.toLocal8Bit());
    const QString password = QStringLiteral("benchmark");
    LargeDatabaseSize size;
    size.computers = parser.value(QStringLiteral("computers")).toInt();
    makeLargeDatabase(base, password, size);
    Config::setDatabaseLocation(base);
    QFile record(DatabaseLocation::passwordFilePath());
    if (!record.open(QIODevice::WriteOnly) || record.write(DatabaseLocation::passwordRecord(password)) < 0)
        return 1;
    record.close();

    const QString program = parser.positionalArguments().at(0);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<qint64> programWall, programCpu, bareWall, bareCpu;
    std::vector<double> cpuRatios, wallRatios;
    const int runs = parser.value(QStringLiteral("runs")).toInt();
    Run warm;
    if (!start(program, {QStringLiteral("ENABLEMULTIRUN")}, false, &warm) ||
        !start(self, {QStringLiteral("--bare")}, false, &warm))
        return 1;
    for (int i = 0; i < runs; ++i) {
        Run p, b;
        // Which starts first alternates, so that neither always finds the caches warm.
        const bool programFirst = i % 2 == 0;
        if (programFirst && !start(program, {QStringLiteral("ENABLEMULTIRUN")}, showOutput, &p))
            return 1;
        if (!start(self, {QStringLiteral("--bare")}, false, &b))
            return 1;
        if (!programFirst && !start(program, {QStringLiteral("ENABLEMULTIRUN")}, showOutput, &p))
            return 1;
        programWall.push_back(p.wall);
        programCpu.push_back(p.cpu);
        bareWall.push_back(b.wall);
        bareCpu.push_back(b.cpu);
        cpuRatios.push_back(b.cpu > 0 ? double(p.cpu) / double(b.cpu) : 0);
        wallRatios.push_back(b.wall > 0 ? double(p.wall) / double(b.wall) : 0);
        std::printf("pair %d: program %lld ms (cpu %lld ms), bare dialog %lld ms (cpu %lld ms)\n", i + 1,
                    static_cast<long long>(p.wall), static_cast<long long>(p.cpu),
                    static_cast<long long>(b.wall), static_cast<long long>(b.cpu));
    }
    std::printf("median start -> login painted: program cpu %lld ms, bare dialog cpu %lld ms, ratio %.2f\n",
                static_cast<long long>(median(programCpu)), static_cast<long long>(median(bareCpu)),
                median(cpuRatios));
    std::printf("median wall: program %lld ms, bare dialog %lld ms, ratio %.2f\n",
                static_cast<long long>(median(programWall)), static_cast<long long>(median(bareWall)),
                median(wallRatios));
    return 0;
}
