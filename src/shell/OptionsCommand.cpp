#include "shell/OptionsCommand.h"

#include "base/Config.h"
#include "registers/TfMain.h"
#include "shell/TfOpcjeProgramu.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QAction>
#include <QCheckBox>

OptionsCommand::OptionsCommand(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_db(db), m_dialog(new TfOpcjeProgramu(Config::global(), &main))
{
    if (QAction* a = main.action(QStringLiteral("MOpcje")))
        connect(a, &QAction::triggered, this, &OptionsCommand::MOpcjeClick);
}

void OptionsCommand::MOpcjeClick()
{
    const bool admin = AppState::instance().has(0);
    m_dialog->setBackupParams(m_db.loadSystemParams(), admin);
    m_dialog->exec();
    // Saved however the dialog closed. Read again first: the date and slot of the
    // last backup may have moved on another workstation meanwhile.
    if (admin)
        m_db.saveSystemParams(m_dialog->backupParams(m_db.loadSystemParams()));
    if (auto* issueDate = m_main.findChild<QCheckBox*>(QStringLiteral("dataNaRaporcie")))
        issueDate->setChecked(Config::global().flag(QStringLiteral("cbRapData")));
    m_main.SBStartClick();
}
