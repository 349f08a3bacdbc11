#pragma once

#include "store/TmyDataBase.h"
#include "users/TfLogin.h"

#include "shell/ConnectionLostNotice.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class TfMain;
class TfUserEdit;
class TfUserzy;

// The program's life around the main window: the start-up sequence (database
// test, login, the steps after login), the first paint after login, logout
// and closing, and the shell commands of the menus.
class Startup : public QObject
{
    Q_OBJECT

public:
    Startup(TfMain& main, TmyDataBase& db, QObject* parent = nullptr);
    // The main window is asked for only once the user has logged in, so that
    // the login shows without waiting for it to be built.
    using MainWindow = std::function<TfMain&()>;
    Startup(MainWindow mainWindow, TmyDataBase& db, QObject* parent = nullptr);
    ~Startup() override;

    // Connects the shell commands and the close and resize events of the
    // main window; done once, when the window is first asked for.
    void attach(TfMain& main);

    // Shows the database dialog; answers whether the user finished it.
    using DatabaseDialog = std::function<bool()>;
    void setDatabaseDialog(DatabaseDialog dialog) { m_databaseDialog = std::move(dialog); }
    // The checks of BHP needs and of the store after login.
    void setStockChecks(std::function<void()> bhp, std::function<void()> stock)
    {
        m_bhpCheck = std::move(bhp);
        m_stockCheck = std::move(stock);
    }
    // The reminders after login and at logout.
    struct ReminderSteps
    {
        std::function<void()> tipOfTheDay, deadlineCheck;
        std::function<void(int)> dueNote;
        std::function<void()> hideWindows;
    };
    void setReminders(ReminderSteps steps) { m_reminders = std::move(steps); }
    // The first-run guide.
    void setTutorial(std::function<void()> tutorial) { m_tutorial = std::move(tutorial); }

    // The start-up sequence: answers false when the program must end.
    bool runStartupSequence();
    // The checks shown once after login.
    void firstPaint();
    // "Wyloguj się...": answers false when the program must end.
    bool logout();
    // The close question; answers whether closing may go on.
    bool closeQuery();
    // Saves what is kept between runs.
    void onClose();

    // The note slots whose reminder is due today (numbers 1-30).
    static QList<int> dueNotes(const std::array<NoteSlot, 30>& notes, const QDate& today, int dataWsteczna,
                               int dataWstecznaMin);
    static QString scratchPadPath();
    static QString defaultScratchPadText();
    static QString supportMailUrl();

    const std::array<NoteSlot, 30>& notes() const { return m_notes; }
    std::array<NoteSlot, 30>& notes() { return m_notes; }
    TfLogin& login();

signals:
    // The program must end (login refused, no database).
    void endProgram();

private:
    TfMain& main();
    // Before the login: the database test without the key, and the first-run
    // guide or the database dialog when it fails.
    bool testDatabase();
    // The login's "OK" on a database that refused the key (see TfLogin).
    TfLogin::DatabaseFault refusedDatabase(DatabaseTarget& target);
    void showDatabaseProblem(int result);
    void cannotGoOn();
    bool loginUser();
    void prepareMainWindow();
    void afterLogin();
    void loadScratchPad();
    void saveScratchPad();
    void showAccounts();
    void showAbout();
    void storeWindowSize(int width, int height);

    // Steps whose features live in other windows; each is filled in by the
    // window that owns the feature.
    void restoreGridLayouts();   // column widths of every grid
    void saveGridLayouts();      // column widths of every grid
    void loadProtocolTexts();    // texts of the hand-over protocols
    void saveProtocolTexts();    // texts of the hand-over protocols
    void resetReportPages();     // report pages and their filters
    void runSchemaUpgrades();    // older databases brought up to date
    void automaticBackupCheck(); // backup reminder of the administrator
    void resetTemporaryNotes();  // the temporary-notes window's text
    void resetListFilters();     // date edits, archive selector, "Tylko aktywne"
    void hideFirstPaintPanels(); // filter group and the unused deadline columns
    void showTipOfTheDay();      // tip of the day
    void deadlineCheck();        // deadlines due
    void bhpCheck();             // BHP items due for replacement
    void stockCheck();           // resources at their reminder level
    void showDueNote(int slot);  // one note whose date has come
    void hideToolWindows();      // non-modal tool windows

    MainWindow m_mainWindow;
    TfMain* m_main = nullptr;
    TmyDataBase& m_db;
    // Without a parent: it shows before the main window exists.
    std::unique_ptr<TfLogin> m_login;
    std::unique_ptr<ConnectionLostNotice> m_connectionLost;
    TfUserEdit* m_userEdit = nullptr;
    TfUserzy* m_userzy = nullptr;
    DatabaseDialog m_databaseDialog;
    std::function<void()> m_tutorial;
    std::function<void()> m_bhpCheck;
    std::function<void()> m_stockCheck;
    ReminderSteps m_reminders;
    std::array<NoteSlot, 30> m_notes{};
    QStringList m_temporaryNotes;
    bool m_layoutsRestored = false;
    bool m_running = false; // the start-up has finished: window sizes are stored
};
