// Creates a large encrypted database for trying the program and its benchmarks:
//   make_large_db <folder> <password> [--computers N] [--employees N] ...
#include "LargeDatabase.h"

#include "store/DbError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates a database filled with generated rows."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Database folder (created when missing)."));
    parser.addPositionalArgument(QStringLiteral("password"), QStringLiteral("Database password."));
    LargeDatabaseSize size;
    const std::pair<const char*, int*> counts[] = {
        {"computers", &size.computers}, {"equipment", &size.equipment},
        {"employees", &size.employees}, {"companies", &size.companies},
        {"deadlines", &size.deadlines}, {"repairs", &size.repairs},
        {"documents", &size.documents}, {"attachments", &size.attachments},
        {"programs", &size.programs},   {"licences", &size.licences},
        {"uses", &size.uses},           {"history", &size.history},
        {"orders", &size.orders},       {"bhp", &size.bhpItems},
        {"stock", &size.stock},
    };
    for (const auto& [name, value] : counts)
        parser.addOption({QLatin1String(name),
                          QStringLiteral("Rows of %1 (%2).").arg(QLatin1String(name)).arg(*value),
                          QStringLiteral("N")});
    parser.addOption({QStringLiteral("every-register"),
                      QStringLiteral("Every register filled in proportion to N computers."),
                      QStringLiteral("N")});
    parser.process(app);
    if (parser.positionalArguments().size() != 2)
        parser.showHelp(1);
    if (parser.isSet(QStringLiteral("every-register")))
        size = everyRegister(parser.value(QStringLiteral("every-register")).toInt());
    for (const auto& [name, value] : counts)
        if (parser.isSet(QLatin1String(name)))
            *value = parser.value(QLatin1String(name)).toInt();

    QElapsedTimer timer;
    timer.start();
    try {
        makeLargeDatabase(parser.positionalArguments().at(0), parser.positionalArguments().at(1), size);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("Database created in %.1f s\n", double(timer.elapsed()) / 1000.0);
    return 0;
}
