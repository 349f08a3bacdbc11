// Builds a manual PDF from a folder of Markdown chapters:
//   manual_pdf --source DIR --base DIR --output FILE.pdf --title T [--subtitle S]
//              [--running R] [--edition E] [--icon PNG]
#include "ManualPdf.h"
#include "ManualSource.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption sourceOption(QStringLiteral("source"), QStringLiteral("Chapters folder"),
                                          QStringLiteral("dir"));
    const QCommandLineOption baseOption(QStringLiteral("base"), QStringLiteral("Pictures base folder"),
                                        QStringLiteral("dir"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("PDF file"),
                                          QStringLiteral("file"));
    const QCommandLineOption titleOption(QStringLiteral("title"), QStringLiteral("Title"),
                                         QStringLiteral("text"));
    const QCommandLineOption subtitleOption(QStringLiteral("subtitle"), QStringLiteral("Subtitle"),
                                            QStringLiteral("text"));
    const QCommandLineOption runningOption(QStringLiteral("running"), QStringLiteral("Running head"),
                                           QStringLiteral("text"));
    const QCommandLineOption editionOption(QStringLiteral("edition"), QStringLiteral("Edition line"),
                                           QStringLiteral("text"));
    const QCommandLineOption iconOption(QStringLiteral("icon"), QStringLiteral("Title picture"),
                                        QStringLiteral("png"));
    parser.addOptions({sourceOption, baseOption, outputOption, titleOption, subtitleOption, runningOption,
                       editionOption, iconOption});
    parser.process(app);
    QTextStream err(stderr);
    if (!parser.isSet(sourceOption) || !parser.isSet(outputOption) || !parser.isSet(titleOption)) {
        err << "manual_pdf: --source, --output and --title are required\n";
        return 2;
    }

    const QDir sourceDir(parser.value(sourceOption));
    const QStringList files = sourceDir.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        err << "manual_pdf: no chapters in " << sourceDir.path() << "\n";
        return 1;
    }
    QList<QPair<QString, QString>> chapters;
    for (const QString& name : files) {
        QFile file(sourceDir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            err << "manual_pdf: " << file.fileName() << ": " << file.errorString() << "\n";
            return 1;
        }
        chapters.append({file.fileName(), QString::fromUtf8(file.readAll())});
    }

    const ManualSource source = ManualSources::assemble(chapters);
    ManualLook look;
    look.title = parser.value(titleOption);
    look.subtitle = parser.value(subtitleOption);
    look.runningTitle = parser.isSet(runningOption) ? parser.value(runningOption) : look.title;
    look.edition = parser.value(editionOption);
    look.iconPath = parser.value(iconOption);
    look.baseDir = parser.isSet(baseOption) ? parser.value(baseOption) : sourceDir.path();
    ManualPdf pdf;
    if (!pdf.write(source, look, parser.value(outputOption))) {
        err << "manual_pdf: " << pdf.errorString() << "\n";
        return 1;
    }
    QTextStream(stdout) << parser.value(outputOption) << ": " << pdf.pageCount() << " pages, "
                        << source.figures.size() << " pictures\n";
    return 0;
}
