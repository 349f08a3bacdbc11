#include "base/Dialogs.h"
#include "base/SingleInstance.h"
#include "base/SprzetnikApplication.h"
#include "registers/TfMain.h"
#include "shell/ProgramWindows.h"
#include "shell/Startup.h"
#include "store/AppState.h"

#include <QDateTime>
#include <QMessageBox>
#include <QPainter>
#include <QSplashScreen>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {
bool hasDisplay()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// SPRZETNIK_STARTUP_TIMING=1 prints the wall clock (ms since the epoch) when the
// login window is first painted, for a harness that started the process; "exit"
// ends the process there.
class StartupTiming : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->inherits("TfLogin")) {
            std::printf("login-painted-ms %lld\n",
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
            qApp->removeEventFilter(this);
            if (qEnvironmentVariable("SPRZETNIK_STARTUP_TIMING") == QLatin1String("exit"))
                std::_Exit(0);
        }
        return false;
    }
};

// Keeps the splash on screen until the first window of the start-up shows (the
// login, or a database dialog before it), then closes it.
class SplashUntilFirstWindow : public QObject
{
public:
    explicit SplashUntilFirstWindow(QSplashScreen* splash) : m_splash(splash)
    {
        qApp->installEventFilter(this);
    }
    ~SplashUntilFirstWindow() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && m_splash && watched != m_splash && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_splash->close();
            m_splash = nullptr;
            qApp->removeEventFilter(this);
        }
        return false;
    }

private:
    QSplashScreen* m_splash;
};

QPixmap splashPicture()
{
    QPixmap pixmap(420, 180);
    pixmap.fill(QColor(0x3a, 0x6e, 0xa5));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(28);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect().adjusted(0, 0, 0, -30), Qt::AlignCenter, QStringLiteral("Sprzetnik"));
    font.setPointSize(11);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(pixmap.rect().adjusted(0, 90, 0, 0), Qt::AlignCenter,
                     QStringLiteral("wersja ") + AppState::version());
    return pixmap;
}
} // namespace

int main(int argc, char* argv[])
{
    if (!hasDisplay()) {
        std::fputs(
            "Sprzetnik needs a graphical display: none was found (set DISPLAY or run under xvfb-run).\n",
            stderr);
        return 1;
    }
    SprzetnikApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Sprzetnik "));
    app.setWindowIcon(TfMainUi::programIcon());
    app.setDesktopFileName(QStringLiteral("pl.sprzetnik.Sprzetnik"));
    Dialogs::install();
    StartupTiming timing;
    if (!qEnvironmentVariableIsEmpty("SPRZETNIK_STARTUP_TIMING"))
        app.installEventFilter(&timing);

    QSplashScreen splash(splashPicture());
    splash.setWindowTitle(QStringLiteral("Sprzetnik"));
    splash.show();
    app.processEvents();

    const bool multiRun = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("ENABLEMULTIRUN");
    SingleInstance instance(SingleInstance::defaultLockPath());
    if (!multiRun && !instance.acquire()) {
        splash.close();
        QMessageBox::information(nullptr, QStringLiteral("Informacja"), SingleInstance::alreadyRunningText());
        return 0;
    }

    // Only the start-up is made here: the login shows first, the main window
    // is built behind it once the user has logged in.
    ProgramWindows program;
    Startup& startup = program.startup();
    QObject::connect(&startup, &Startup::endProgram, &app, [] { QCoreApplication::exit(0); });
    SplashUntilFirstWindow splashKeeper(&splash);

    QTimer::singleShot(0, &app, [&] {
        if (!startup.runStartupSequence()) {
            QCoreApplication::exit(0);
            return;
        }
        TfMain& main = program.main();
        main.show();
        QTimer::singleShot(0, &main, [&] { startup.firstPaint(); });
    });
    return app.exec();
}
