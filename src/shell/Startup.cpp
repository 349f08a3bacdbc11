#include "shell/Startup.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "base/ErrorLogCommand.h"
#include "base/GuideDialog.h"
#include "base/SprzetnikApplication.h"
#include "maintenance/BackupRing.h"
#include "maintenance/TfAdministracjaBaza.h"
#include "registers/ListTools.h"
#include "registers/TfMain.h"
#include "reports/RaportyTab.h"
#include "shell/ListOrderProgressDialog.h"
#include "shell/TfAbout.h"
#include "store/AppState.h"
#include "store/DatabaseLocation.h"
#include "store/DbError.h"
#include "store/SchemaUpgrades.h"
#include "users/TfLogin.h"
#include "users/TfUserEdit.h"
#include "users/TfUserzy.h"
#include "users/UserAccounts.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {
const QString kSupportAddress = QStringLiteral("pomoc@sprzetnik.pl");
}

Startup::Startup(TfMain& main, TmyDataBase& db, QObject* parent) : Startup(MainWindow(), db, parent)
{
    attach(main);
}

Startup::Startup(MainWindow mainWindow, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_mainWindow(std::move(mainWindow)), m_db(db)
{
}

TfMain& Startup::main()
{
    if (!m_main)
        attach(m_mainWindow());
    return *m_main;
}

TfLogin& Startup::login()
{
    if (m_login)
        return *m_login;
    m_login = std::make_unique<TfLogin>(m_db);
    m_login->setConfigureDatabase([this](DatabaseTarget& target) {
        m_db.closeAll();
        if (!m_databaseDialog || !m_databaseDialog())
            return false;
        if (DatabaseLocation::global().test(true) != DatabaseLocation::Ok)
            return false;
        target = DatabaseLocation::global().target();
        return true;
    });
    m_login->setRefusedDatabase([this](DatabaseTarget& target) { return refusedDatabase(target); });
    return *m_login;
}

void Startup::attach(TfMain& main)
{
    if (m_main == &main)
        return;
    Q_ASSERT(!m_main);
    m_main = &main;
    TfMain::ShellCommands commands;
    commands.logout = [this] {
        if (!logout())
            emit endProgram();
    };
    commands.accounts = [this] { showAccounts(); };
    commands.openErrorLog = [] { openErrorLog(DatabaseLocation::global().location()); };
    commands.help = [] {
        const QString manual = GuideDialog::manualUrl().toLocalFile();
        if (!QFile::exists(manual)) {
            Dialogs::info(QStringLiteral("Informacja"),
                          QStringLiteral("Nie znaleziono instrukcji obsługi: ") + manual);
            return;
        }
        Dialogs::openUrl(QUrl::fromLocalFile(manual));
    };
    commands.supportMail = [] { Dialogs::openUrl(QUrl(supportMailUrl())); };
    commands.about = [this] { showAbout(); };
    main.setShellCommands(commands);
    // A server gone in the middle of the work: connect again, or back to the start.
    m_connectionLost = std::make_unique<ConnectionLostNotice>(m_db, [this] {
        if (!logout())
            emit endProgram();
    });
    // A database moved and chosen for this workstation: from the login on it,
    // once the administration window has closed.
    TfAdministracjaBaza::setMovedHandler([this] {
        QTimer::singleShot(0, this, [this] {
            if (!logout())
                emit endProgram();
        });
    });
    connect(&main, &TfMain::closeRequested, this, [this](bool* allow) { *allow = closeQuery(); });
    connect(&main, &TfMain::closing, this, &Startup::onClose);
    connect(&main, &TfMain::resized, this, &Startup::storeWindowSize);
}

Startup::~Startup()
{
    TfAdministracjaBaza::setMovedHandler({});
}

QString Startup::scratchPadPath()
{
    return AppPaths::configFile(QStringLiteral("podrecznyNotatnik.txt"));
}

QString Startup::defaultScratchPadText()
{
    return QStringLiteral(
        "Tutaj możesz zapisywać dowolne dotatki, które będą dostępne po ponownym uruchomieniu "
        "programu.");
}

QString Startup::supportMailUrl()
{
    return QStringLiteral("mailto:") + kSupportAddress + QStringLiteral("?subject=Pomoc%20techniczna%20(") +
           QStringLiteral(" ") + AppState::version() +
           QStringLiteral(
               ")&body=Opisz%20problem,%20podaj%20system%20operacyjny,%20tresc%20komunikatow%20o%20bledzie,"
               "%20zrzuty%20ekranu.");
}

void Startup::loadScratchPad()
{
    QFile file(scratchPadPath());
    if (!file.exists()) {
        main().scratchPad()->setPlainText(defaultScratchPadText());
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        return; // an unreadable scratch pad is not worth stopping for
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QStringDecoder("windows-1250").decode(bytes);
    main().scratchPad()->setPlainText(text);
}

void Startup::saveScratchPad()
{
    QFile file(scratchPadPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(main().scratchPad()->toPlainText().toUtf8());
}

void Startup::showDatabaseProblem(int result)
{
    DatabaseLocation& location = DatabaseLocation::global();
    if (location.onServer()) {
        // What the server answered, or that the database holds no tables of the program.
        Dialogs::info(QStringLiteral("Błąd bazy danych"), location.problemText());
    } else if (result == DatabaseLocation::NoDatabase) {
        if (m_tutorial)
            m_tutorial();
    } else if (result == DatabaseLocation::WrongPassword) {
        Dialogs::dbProblem(location.location());
    } else {
        // A damaged, read-only or locked file: no password would help.
        Dialogs::info(QStringLiteral("Błąd bazy danych"), location.problemText());
    }
}

void Startup::cannotGoOn()
{
    Dialogs::info(QStringLiteral("Informacja"),
                  QStringLiteral(
                      "Nie udało się określić lokalizacji i hasła bazy danych. Program zostanie zamknięty."));
}

bool Startup::testDatabase()
{
    // Without the key: its derivation would double the wait for the login,
    // whose "OK" opens the database with the key anyway (refusedDatabase).
    DatabaseLocation& location = DatabaseLocation::global();
    const auto first = location.testWithoutKey();
    if (first == DatabaseLocation::Ok)
        return true;
    showDatabaseProblem(first);
    if (m_databaseDialog)
        m_databaseDialog();
    if (location.testWithoutKey() == DatabaseLocation::Ok)
        return true;
    cannotGoOn();
    return false;
}

TfLogin::DatabaseFault Startup::refusedDatabase(DatabaseTarget& target)
{
    DatabaseLocation& location = DatabaseLocation::global();
    const auto first = location.test(true);
    if (first == DatabaseLocation::Ok)
        return TfLogin::DatabaseFault::Passing;
    showDatabaseProblem(first);
    m_db.closeAll();
    if (m_databaseDialog)
        m_databaseDialog();
    if (location.test(true) != DatabaseLocation::Ok) {
        cannotGoOn();
        return TfLogin::DatabaseFault::GivenUp;
    }
    target = location.target();
    return TfLogin::DatabaseFault::Fixed;
}

bool Startup::loginUser()
{
    AppState::instance().logout();
    TfLogin& dialog = login();
    dialog.setDatabase(DatabaseLocation::global().target());
    dialog.setFirstLogin(Config::global().flag(QStringLiteral("cbFirstLog")));
    dialog.prepare();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    AppState::instance().currentUser = dialog.user();
    AppState::instance().userDescription = dialog.description();
    return true;
}

bool Startup::runStartupSequence()
{
    m_running = false;
    AppState::instance().startup = true;
    Config::global().load();
    DatabaseLocation::global().load();
    // The database and the login come first: the main window is hidden until
    // after the login, so what it gets ready can wait for the user and is not
    // built at all when the login is refused.
    m_db.closeAll();
    if (!testDatabase())
        return false;
    if (!loginUser())
        return false;
    prepareMainWindow();
    afterLogin();
    m_running = true;
    return !AppState::instance().currentUser.isEmpty();
}

void Startup::prepareMainWindow()
{
    // Grid layouts once per run, the scratch pad, the protocol texts.
    if (!m_layoutsRestored) {
        restoreGridLayouts();
        m_layoutsRestored = true;
    }
    loadScratchPad();
    loadProtocolTexts();
    const int width = Config::global().number(QStringLiteral("mainWinWidth"));
    const int height = Config::global().number(QStringLiteral("mainWinHeight"));
    if (width >= 0 && height > 0)
        main().resize(width, height);
    main().setWindowTitle(AppState::caption());
    resetReportPages();
}

void Startup::afterLogin()
{
    AppState& state = AppState::instance();
    // Written now: the login hints must not come back at the next start
    // even when nothing else saves the configuration.
    if (Config::global().flag(QStringLiteral("cbFirstLog"))) {
        Config::global().set(QStringLiteral("cbFirstLog"), false);
        Config::global().save();
    }
    runSchemaUpgrades();
    state.rights = m_db.loadRights(state.currentUser);
    automaticBackupCheck();
    resetTemporaryNotes();
    main().applyRights(state.rights);
    main().SBStartClick();
    main().statusPanel(0)->setText(TmyDataBase::dateText(DueWindow::toYmd(Clock::today())));
    main().statusPanel(1)->setText(state.currentUser);
    resetListFilters();
    if (state.currentUser.isEmpty()) {
        main().close();
        return;
    }
    m_notes = m_db.loadNotes();
    try {
        Statement& probe = m_db.mySQL();
        probe.clear();
        probe.add(QStringLiteral("SELECT * FROM firmy WHERE IDFIRMY = ") + QStringLiteral("1"));
        probe.open();
        probe.close();
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 1);
    }
}

QList<int> Startup::dueNotes(const std::array<NoteSlot, 30>& notes, const QDate& today, int dataWsteczna,
                             int dataWstecznaMin)
{
    QList<int> due;
    for (int slot = 1; slot <= 30; ++slot) {
        const NoteSlot& note = notes[size_t(slot - 1)];
        if (note.opis.trimmed().isEmpty())
            continue;
        if (DueWindow::isDue(DueWindow::parseDateText(note.data), today, dataWsteczna, dataWstecznaMin))
            due << slot;
    }
    return due;
}

void Startup::firstPaint()
{
    AppState& state = AppState::instance();
    if (!state.startup)
        return;
    state.startup = false;
    hideFirstPaintPanels();
    if (Config::global().flag(QStringLiteral("pokazujPoradeDnia")))
        showTipOfTheDay();
    if (state.has(15) && Config::global().flag(QStringLiteral("sprawdzajTerminy")))
        deadlineCheck();
    if (state.has(24) && Config::global().flag(QStringLiteral("sprawdzajBhp")))
        bhpCheck();
    stockCheck();
    if (state.has(13) && Config::global().flag(QStringLiteral("sprawdzajNotatki")))
        for (int slot :
             dueNotes(m_notes, Clock::today(), Config::global().number(QStringLiteral("dataWsteczna")),
                      Config::global().number(QStringLiteral("dataWstecznaMin"))))
            showDueNote(slot);
}

bool Startup::logout()
{
    saveScratchPad();
    AppState::instance().startup = true;
    main().SBStartClick();
    hideToolWindows();
    main().hide();
    // Nobody works on the data at the login window: the connection (and the
    // mark of presence other workstations count) goes until the next login.
    m_db.disconnect();
    if (!runStartupSequence())
        return false;
    main().show();
    firstPaint();
    return true;
}

bool Startup::closeQuery()
{
    if (!Config::global().flag(QStringLiteral("pytajPrzedZamknieciem")))
        return true;
    return Dialogs::question(QStringLiteral("Pytanie"),
                             QStringLiteral("Czy zakończyć pracę i zamknąć program?"));
}

void Startup::onClose()
{
    SprzetnikApplication::setClosing(true);
    saveGridLayouts();
    saveProtocolTexts();
    saveScratchPad();
}

void Startup::storeWindowSize(int width, int height)
{
    if (!m_running)
        return;
    Config::global().set(QStringLiteral("mainWinWidth"), width);
    Config::global().set(QStringLiteral("mainWinHeight"), height);
    Config::global().save();
}

void Startup::showAccounts()
{
    AppState& state = AppState::instance();
    if (!m_userzy) {
        m_userEdit = new TfUserEdit(&main());
        m_userzy = new TfUserzy(m_db, *m_userEdit, &main());
    }
    m_userzy->setCurrentUser(state.currentUser);
    m_userzy->prepare();
    m_userzy->exec();
    state.userDescription = UserAccounts(m_db).description(state.currentUser);
    state.rights = m_db.loadRights(state.currentUser);
    main().SBStartClick();
    main().applyRights(state.rights);
}

void Startup::showAbout()
{
    TfAbout about(&main());
    about.exec();
}

void Startup::resetTemporaryNotes()
{
    m_temporaryNotes = {QStringLiteral("To jest notatnik, w którym możesz zapisywać informacje tymczasowe."),
                        QStringLiteral("Zawartość tego notatnika czyszczona jest po zakończeniu pracy.")};
    main().listTools().resetTemporaryNotes(m_temporaryNotes);
}

void Startup::restoreGridLayouts()
{
    main().restoreGridLayouts();
}

void Startup::saveGridLayouts()
{
    main().saveGridLayouts();
}

void Startup::resetListFilters()
{
    main().resetFilters();
}

void Startup::hideFirstPaintPanels()
{
    main().hideFirstPaintPanels();
}

void Startup::runSchemaUpgrades()
{
    // Every user, whatever his rights: the database must match this program.
    SchemaUpgrades upgrades(m_db, m_db.directory(), DatabaseLocation::global().password(),
                            [](const QString& title, const QString& text) { Dialogs::info(title, text); });
    // Made only when there are rows to give their sort keys.
    std::unique_ptr<ListOrderProgressDialog> progress;
    upgrades.setProgress([&](qint64 done, qint64 total) {
        if (!progress)
            progress = std::make_unique<ListOrderProgressDialog>(&main());
        progress->rowsDone(done, total);
    });
    upgrades.run();
}

void Startup::automaticBackupCheck()
{
    BackupRing::automaticBackupCheck(m_db, DatabaseLocation::global().password(),
                                     AppState::instance().has(0));
}

void Startup::loadProtocolTexts()
{
    if (auto* reports = main().findChild<RaportyTab*>())
        reports->loadProtocolTexts();
}

void Startup::saveProtocolTexts()
{
    if (auto* reports = main().findChild<RaportyTab*>())
        reports->saveProtocolTexts();
}

// Steps owned by windows that plug in here as they are added; until then each does nothing.
void Startup::showTipOfTheDay()
{
    if (m_reminders.tipOfTheDay)
        m_reminders.tipOfTheDay();
}

void Startup::deadlineCheck()
{
    if (m_reminders.deadlineCheck)
        m_reminders.deadlineCheck();
}

void Startup::bhpCheck()
{
    if (m_bhpCheck)
        m_bhpCheck();
}

void Startup::stockCheck()
{
    if (m_stockCheck)
        m_stockCheck();
}

void Startup::showDueNote(int slot)
{
    if (m_reminders.dueNote)
        m_reminders.dueNote(slot);
}

void Startup::hideToolWindows()
{
    main().listTools().hideToolWindows();
    if (m_reminders.hideWindows)
        m_reminders.hideWindows();
}

void Startup::resetReportPages()
{
    if (auto* reports = main().findChild<RaportyTab*>())
        reports->resetPages();
}
