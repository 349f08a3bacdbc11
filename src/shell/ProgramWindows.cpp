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
#include "store/TmyDataBase.h"
#include "widgets/DatabaseReplacedNotice.h"

ProgramWindows::ProgramWindows()
    : m_db(std::make_unique<TmyDataBase>()), m_main(std::make_unique<TfMain>(nullptr, m_db.get())),
      m_commands(std::make_unique<MainCommands>(*m_main, *m_db)),
      m_maintenance(std::make_unique<MaintenanceCommands>(*m_main, *m_db)),
      m_options(std::make_unique<OptionsCommand>(*m_main, *m_db)),
      m_wskazBaze(std::make_unique<TfWskazBaze>(m_main.get())),
      m_tutorial(std::make_unique<TfTutorial1>(m_main.get())),
      m_startup(std::make_unique<Startup>(*m_main, *m_db))
{
    TfWskazBaze* wskazBaze = m_wskazBaze.get();
    m_startup->setDatabaseDialog([wskazBaze] {
        wskazBaze->showMenu();
        wskazBaze->exec();
        return true;
    });
    TfTutorial1* tutorial = m_tutorial.get();
    m_startup->setTutorial([tutorial] { tutorial->exec(); });
    MainCommands* commands = m_commands.get();
    m_startup->setStockChecks([commands] { commands->stockChecks().bhpAfterLogin(); },
                              [commands] { commands->stockChecks().stockAfterLogin(); });
    m_reminders = std::make_unique<Reminders>(*m_main, *m_db, m_startup->notes());
    Reminders* reminders = m_reminders.get();
    m_startup->setReminders({[reminders] { reminders->tipAfterLogin(); },
                             [reminders] { reminders->deadlineCheckAfterLogin(); },
                             [reminders](int slot) { reminders->showDueNote(slot); },
                             [reminders] { reminders->hideToolWindows(); }});
    m_replacedNotice = std::make_unique<DatabaseReplacedNotice>(*m_db);
}

ProgramWindows::~ProgramWindows() = default;
