#include "shell/ProgramWindows.h"

#include "bhp/StockCheckWindows.h"
#include "maintenance/MaintenanceCommands.h"
#include "registers/TfMain.h"
#include "reminders/Reminders.h"
#include "shell/MainCommands.h"
#include "shell/OptionsCommand.h"
#include "shell/Startup.h"
#include "shell/TfTutorial1.h"
#include "shell/TfWskazBaze.h"
#include "stocktaking/StocktakingCommand.h"
#include "store/TmyDataBase.h"
#include "widgets/DatabaseReplacedNotice.h"

ProgramWindows::ProgramWindows()
    : m_db(std::make_unique<TmyDataBase>()),
      m_startup(std::make_unique<Startup>([this]() -> TfMain& { return main(); }, *m_db))
{
    m_startup->setDatabaseDialog([this] {
        TfWskazBaze& dialog = databaseDialog();
        dialog.showMenu();
        dialog.exec();
        return true;
    });
    m_startup->setTutorial([this] { tutorial().exec(); });
    m_startup->setStockChecks([this] { commands().stockChecks().bhpAfterLogin(); },
                              [this] { commands().stockChecks().stockAfterLogin(); });
    m_startup->setReminders(
        {[this] { reminders().tipAfterLogin(); }, [this] { reminders().deadlineCheckAfterLogin(); },
         [this](int slot) { reminders().showDueNote(slot); }, [this] { reminders().hideToolWindows(); }});
    m_replacedNotice = std::make_unique<DatabaseReplacedNotice>(*m_db);
}

ProgramWindows::~ProgramWindows()
{
    // The windows go before the start-up that their commands call into.
    m_tutorial.reset();
    m_wskazBaze.reset();
    m_reminders.reset();
    m_options.reset();
    m_stocktaking.reset();
    m_maintenance.reset();
    m_commands.reset();
    m_main.reset();
}

void ProgramWindows::buildMainWindow()
{
    // The order in which their commands hook into the main window.
    m_main = std::make_unique<TfMain>(nullptr, m_db.get());
    m_commands = std::make_unique<MainCommands>(*m_main, *m_db);
    m_maintenance = std::make_unique<MaintenanceCommands>(*m_main, *m_db);
    m_stocktaking = std::make_unique<StocktakingCommand>(*m_main, *m_db);
    m_options = std::make_unique<OptionsCommand>(*m_main, *m_db);
    m_startup->attach(*m_main);
    m_reminders = std::make_unique<Reminders>(*m_main, *m_db, m_startup->notes());
}

TfMain& ProgramWindows::main()
{
    if (!m_main)
        buildMainWindow();
    return *m_main;
}

MainCommands& ProgramWindows::commands()
{
    main();
    return *m_commands;
}

MaintenanceCommands& ProgramWindows::maintenance()
{
    main();
    return *m_maintenance;
}

StocktakingCommand& ProgramWindows::stocktaking()
{
    main();
    return *m_stocktaking;
}

OptionsCommand& ProgramWindows::options()
{
    main();
    return *m_options;
}

Reminders& ProgramWindows::reminders()
{
    main();
    return *m_reminders;
}

TfWskazBaze& ProgramWindows::databaseDialog()
{
    if (!m_wskazBaze)
        m_wskazBaze = std::make_unique<TfWskazBaze>(&main());
    return *m_wskazBaze;
}

TfTutorial1& ProgramWindows::tutorial()
{
    if (!m_tutorial)
        m_tutorial = std::make_unique<TfTutorial1>(&main());
    return *m_tutorial;
}
