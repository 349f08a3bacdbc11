#pragma once

#include <memory>

class DatabaseReplacedNotice;
class MainCommands;
class MaintenanceCommands;
class StocktakingCommand;
class OptionsCommand;
class Reminders;
class Startup;
class TfMain;
class TfTutorial1;
class TfWskazBaze;
class TmyDataBase;

// The program's data module, main window and commands wired together the way
// the program runs them: the database dialog and the first-start guide offered
// by the start-up sequence, the stock checks and reminders after login. The
// program builds one; the pictures of the manual are taken from another.
//
// Only the data module and the start-up are made at once, so that the login
// shows without waiting for the windows behind it: the main window, with the
// commands that hook into it, is built when first asked for (by the start-up
// after the login, or by anyone calling main() or a command holder), and so
// are the database dialog and the guide.
class ProgramWindows
{
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TmyDataBase& db() const { return *m_db; }
    TfMain& main();
    MainCommands& commands();
    MaintenanceCommands& maintenance();
    StocktakingCommand& stocktaking();
    OptionsCommand& options();
    TfWskazBaze& databaseDialog();
    TfTutorial1& tutorial();
    Startup& startup() const { return *m_startup; }
    Reminders& reminders();
    // Whether the main window has been built yet.
    bool hasMainWindow() const { return m_main != nullptr; }

private:
    void buildMainWindow();

    // Made at once.
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<Startup> m_startup;
    std::unique_ptr<DatabaseReplacedNotice> m_replacedNotice;
    // Made when first asked for; the destructor frees them first.
    std::unique_ptr<TfMain> m_main;
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<MaintenanceCommands> m_maintenance;
    std::unique_ptr<StocktakingCommand> m_stocktaking;
    std::unique_ptr<OptionsCommand> m_options;
    std::unique_ptr<Reminders> m_reminders;
    std::unique_ptr<TfWskazBaze> m_wskazBaze;
    std::unique_ptr<TfTutorial1> m_tutorial;
};
