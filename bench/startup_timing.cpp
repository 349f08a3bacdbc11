// Process start -> login window painted, on a generated database:
//   startup_timing <program> [--computers N] [--runs N]
// Builds the database and a configuration naming it in a temporary folder,
// starts the program `runs` times with SPRZETNIK_STARTUP_TIMING=exit and prints
// every figure and the median (wall clock: run it on an idle machine).
#include "LargeDatabase.h"

#include "base/Config.h"
#include "store/DatabaseLocation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

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
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("program"), QStringLiteral("The program to start."));
    parser.addOption({QStringLiteral("computers"), QStringLiteral("Computers in the database."),
                      QStringLiteral("N"), QStringLiteral("100000")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Starts to time."), QStringLiteral("N"),
                      QStringLiteral("7")});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(1);

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

    std::vector<qint64> figures;
    std::vector<qint64> cpu;
    for (int run = 0; run < parser.value(QStringLiteral("runs")).toInt(); ++run) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SPRZETNIK_STARTUP_TIMING"), QStringLiteral("exit"));
        program.setProcessEnvironment(env);
        const qint64 cpuBefore = childrenCpuMs();
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        program.start(parser.positionalArguments().at(0), {QStringLiteral("ENABLEMULTIRUN")});
        program.waitForFinished(60000);
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        const qsizetype at = out.indexOf(QLatin1String("login-painted-ms "));
        if (at < 0) {
            std::fprintf(stderr, "no login window:\n%s\n%s\n", qPrintable(out),
                         qPrintable(QString::fromLocal8Bit(program.readAllStandardError())));
            return 1;
        }
        const qint64 painted = out.mid(at + 17).section(QLatin1Char('\n'), 0, 0).toLongLong();
        figures.push_back(painted - started);
        cpu.push_back(childrenCpuMs() - cpuBefore);
        std::printf("run %d: %lld ms (cpu %lld ms)\n", run + 1, static_cast<long long>(painted - started),
                    static_cast<long long>(cpu.back()));
    }
    std::sort(figures.begin(), figures.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("median start -> login painted: %lld ms, cpu %lld ms\n",
                static_cast<long long>(figures[figures.size() / 2]),
                static_cast<long long>(cpu[cpu.size() / 2]));
    return 0;
}
