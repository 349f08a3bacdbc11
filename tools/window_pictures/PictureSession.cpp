#include "PictureSession.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "shell/Startup.h"
#include "store/AppState.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

const QString PictureSession::kPassword = QStringLiteral("demo");
const QString PictureSession::kUser = QStringLiteral("ADMIN");
const QString PictureSession::kUserPassword = QStringLiteral("kubol");

PictureSession::PictureSession()
{
    const QString fixed = QDir::tempPath() + QStringLiteral("/sprzetnik-obrazy");
    m_lock = std::make_unique<QLockFile>(fixed + QStringLiteral(".lock"));
    if (m_lock->tryLock(0)) {
        m_root = fixed;
        QDir(m_root).removeRecursively(); // left by a run that did not end
    } else {
        m_lock.reset();
        m_temporary = std::make_unique<QTemporaryDir>(fixed + QStringLiteral("-XXXXXX"));
        m_root = m_temporary->path();
    }
    QDir dir;
    dir.mkpath(m_root + QStringLiteral("/konfiguracja/debug"));
    dir.mkpath(databaseDir());
    dir.mkpath(attachmentsDir());
    qputenv("SPRZETNIK_CONFIG_DIR", (m_root + QStringLiteral("/konfiguracja")).toLocal8Bit());
    AppPaths::resetConfigDir();
    qApp->installEventFilter(this);
}

PictureSession::~PictureSession()
{
    qApp->removeEventFilter(this);
    m_steps.clear();
    m_program.reset();
    Dialogs::stopScript();
    AppState::instance().logout();
    Clock::setFixed({});
    qunsetenv("SPRZETNIK_CONFIG_DIR");
    AppPaths::resetConfigDir();
    if (m_lock)
        QDir(m_root).removeRecursively();
}

bool PictureSession::start(QString* error)
{
    if (!QFileInfo(databaseDir()).isDir() || !QFileInfo(attachmentsDir()).isDir()) {
        *error = QStringLiteral("cannot make the folders in ") + m_root;
        return false;
    }
    // Pictures of the same program look the same on any day (the sample's
    // dates are counted from today).
    Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
    try {
        DatabaseTemplate::create(databaseDir(), kPassword, true);
    } catch (const DbError& e) {
        *error = QStringLiteral("cannot make the sample database: ") + e.message();
        return false;
    }
    // No message box may wait for an answer: they are recorded instead.
    Dialogs::startScript();
    Config::global().reset();
    Config::global().setAttachmentsFolder(attachmentsDir());
    Config::global().save();
    DatabaseLocation::global().set(databaseDir(), kPassword);
    if (!DatabaseLocation::global().store()) {
        *error = QStringLiteral("cannot store the database location");
        return false;
    }

    m_program = std::make_unique<ProgramWindows>();
    m_program->main().resize(1400, 760);
    m_program->main().show();
    bool loginShown = false;
    whenShown(QStringLiteral("TfLogin"), [&loginShown](QWidget* w) {
        loginShown = true;
        auto* login = static_cast<TfLogin*>(w);
        login->findChild<QLineEdit*>(QStringLiteral("user"))->setText(kUser);
        login->findChild<QLineEdit*>(QStringLiteral("pwd"))->setText(kUserPassword);
        login->OKClick();
    });
    const bool started = m_program->startup().runStartupSequence();
    clearSteps();
    if (!started || AppState::instance().currentUser != kUser) {
        *error = loginShown ? QStringLiteral("ADMIN was not logged in") : QStringLiteral("no login window");
        return false;
    }
    // Start-up ends with the main window's first paint; the checks after it
    // (tips, deadlines) are pictures of their own and are not shown here.
    AppState::instance().startup = false;
    m_program->main().hideFirstPaintPanels();
    m_program->main().resize(1400, 760);
    QApplication::processEvents();
    return true;
}

void PictureSession::whenShown(const QString& className, std::function<void(QWidget*)> step)
{
    m_steps.append({className, std::move(step)});
}

bool PictureSession::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || m_steps.isEmpty() || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (!w->isWindow())
        return false;
    const QString name = QLatin1String(w->metaObject()->className());
    for (int i = 0; i < m_steps.size(); ++i) {
        if (m_steps[i].className != name)
            continue;
        std::function<void(QWidget*)> run = std::move(m_steps[i].run);
        m_steps.removeAt(i);
        QPointer<QWidget> target(w);
        QTimer::singleShot(0, this, [target, run = std::move(run)] {
            if (target && target->isVisible())
                run(target);
        });
        break;
    }
    return false;
}
