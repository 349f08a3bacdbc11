#pragma once

#include <memory>

class DatabaseReplacedNotice;
class MainCommands;
class MaintenanceCommands;
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
class ProgramWindows
{
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TmyDataBase& db() const { return *m_db; }
    TfMain& main() const { return *m_main; }
    MainCommands& commands() const { return *m_commands; }
    MaintenanceCommands& maintenance() const { return *m_maintenance; }
    OptionsCommand& options() const { return *m_options; }
    TfWskazBaze& databaseDialog() const { return *m_wskazBaze; }
    TfTutorial1& tutorial() const { return *m_tutorial; }
    Startup& startup() const { return *m_startup; }
    Reminders& reminders() const { return *m_reminders; }

private:
    // Declared in the order they are built; they go in the reverse order.
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;
    std::unique_ptr<MainCommands> m_commands;
    std::unique_ptr<MaintenanceCommands> m_maintenance;
    std::unique_ptr<OptionsCommand> m_options;
    std::unique_ptr<TfWskazBaze> m_wskazBaze;
    std::unique_ptr<TfTutorial1> m_tutorial;
    std::unique_ptr<Startup> m_startup;
    std::unique_ptr<Reminders> m_reminders;
    std::unique_ptr<DatabaseReplacedNotice> m_replacedNotice;
};
