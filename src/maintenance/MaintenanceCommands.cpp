#include "maintenance/MaintenanceCommands.h"

#include "maintenance/TfAdministracjaBaza.h"
#include "maintenance/TfArchiwum.h"
#include "maintenance/TfImportPracownik.h"
#include "registers/TfMain.h"

#include <QAction>

MaintenanceCommands::MaintenanceCommands(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_archiwum(new TfArchiwum(db, &main)),
      m_administracja(new TfAdministracjaBaza(db, &main)), m_import(new TfImportPracownik(db, &main))
{
    // The list behind the dialog shows the restored file at once.
    connect(m_archiwum, &TfArchiwum::databaseRestored, this, [this] { m_main.reloadCurrent(); });
    if (QAction* a = main.action(QStringLiteral("MArchiwizacja")))
        connect(a, &QAction::triggered, this, &MaintenanceCommands::MArchiwizacjaClick);
    if (QAction* a = main.action(QStringLiteral("MAdministracjaBaza")))
        connect(a, &QAction::triggered, this, &MaintenanceCommands::MAdministracjaBazaClick);
    if (QAction* a = main.action(QStringLiteral("MImportPracownikow")))
        connect(a, &QAction::triggered, this, &MaintenanceCommands::MImportPracownikowClick);
}

void MaintenanceCommands::MArchiwizacjaClick()
{
    m_archiwum->exec();
    // Also after a restore: the lists are reloaded from the restored file as registers are entered.
    m_main.SBStartClick();
}

void MaintenanceCommands::MAdministracjaBazaClick()
{
    m_main.SBStartClick();
    m_administracja->exec();
}

void MaintenanceCommands::MImportPracownikowClick()
{
    m_import->exec();
    m_main.SBOsobowaClick();
}
