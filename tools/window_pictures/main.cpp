// window_pictures <folder>: the picture <id>.png of every window of the
// catalogue, made offscreen from the program on a new sample database, and
// okna.txt with one line per window: id, class and caption, tab-separated.

#include "PictureSession.h"
#include "WindowCatalogue.h"

#include "base/Dialogs.h"
#include "base/SprzetnikApplication.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace {
QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform says for every window that it cannot raise it or
// pass size hints on: nothing a picture needs.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_defaultHandler(type, context, message);
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: window_pictures <output-folder> [id ...]\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    SprzetnikApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Sprzetnik "));
    // One font on every machine, so the pictures do not change with the desktop.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    app.setFont(font);
    Dialogs::install();

    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "window_pictures: cannot make the folder %s\n", qPrintable(folder));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    PictureSession session;
    QString error;
    if (!session.start(&error)) {
        std::fprintf(stderr, "window_pictures: the sample database did not open: %s\n", qPrintable(error));
        return 1;
    }

    // Further arguments pick some of the windows (while a window is mended).
    QStringList only;
    for (int i = 2; i < argc; ++i)
        only << QString::fromLocal8Bit(argv[i]);
    QStringList lines, failures;
    for (const WindowEntry& entry : WindowCatalogue::entries()) {
        if (!only.isEmpty() && !only.contains(entry.id))
            continue;
        const QString file = QDir(folder).filePath(entry.id + QStringLiteral(".png"));
        QFile::remove(file);
        bool written = false;
        error =
            WindowCatalogue::make(entry, session, [&](QWidget* w) { written = w->grab().save(file, "PNG"); });
        if (error.isEmpty() && !written)
            error = QStringLiteral("the picture was not written");
        if (!error.isEmpty()) {
            failures << entry.id + QStringLiteral(": ") + error;
            continue;
        }
        lines << entry.id + QLatin1Char('\t') + entry.className + QLatin1Char('\t') + entry.caption;
    }

    QFile list(QDir(folder).filePath(QStringLiteral("okna.txt")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "window_pictures: cannot write %s\n", qPrintable(list.fileName()));
        return 1;
    }
    list.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    list.close();
    for (const QString& f : failures)
        std::fprintf(stderr, "window_pictures: %s\n", qPrintable(f));
    std::printf("window_pictures: %lld of %lld pictures in %s (%.1f s)\n",
                static_cast<long long>(lines.size()), static_cast<long long>(lines.size() + failures.size()),
                qPrintable(folder), double(clock.elapsed()) / 1000.0);
    return failures.isEmpty() ? 0 : 1;
}
