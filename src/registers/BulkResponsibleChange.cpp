#include "registers/BulkResponsibleChange.h"

#include "base/Dialogs.h"
#include "editors/TfOdpowiedzialny.h"
#include "registers/TfMain.h"
#include "store/AppState.h"
#include "store/Guarded.h"
#include "store/TmyDataBase.h"

#include <QAction>

BulkResponsibleChange::BulkResponsibleChange(TfMain& main) : QObject(&main), m_main(main)
{
    if (TmyDataBase* db = main.database())
        m_dialog = new TfOdpowiedzialny(*db, &main);
    if (QAction* a = main.action(QStringLiteral("zmianaOdpowiedzialnej"))) {
        a->setEnabled(m_dialog != nullptr);
        connect(a, &QAction::triggered, this, &BulkResponsibleChange::zmianaOdpowiedzialnejClick);
    }
}

void BulkResponsibleChange::zmianaOdpowiedzialnejClick()
{
    if (!m_dialog)
        return;
    const AppState& state = AppState::instance();
    m_dialog->allowTables(state.has(2), state.has(6));
    m_dialog->reopenLookups(); // both lists reopened, both choices cleared
    m_dialog->exec();
    if (!m_dialog->saved())
        return;
    if (change(m_dialog->currentPerson(), m_dialog->newPerson(), m_dialog->computers(), m_dialog->equipment(),
               m_dialog->includeLiquidated()))
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Proces zakończył się powodzeniem"));
    m_main.SBStartClick();
}

bool BulkResponsibleChange::change(const QString& currentPerson, const QString& newPerson, bool computers,
                                   bool equipment, bool includeLiquidated)
{
    TmyDataBase* db = m_main.database();
    if (!db)
        return false;
    // The numbers are bound, so a quote in one needs no replacing.
    const QString archive = includeLiquidated ? QString() : QStringLiteral("ARCHIWUM='N' AND");
    auto update = [&](const char* table) {
        Statement& q = db->mySQL();
        q.clear();
        q.add(QStringLiteral("UPDATE ") + QLatin1String(table) + QStringLiteral(" SET NREW=:PARAM0"));
        q.add(QStringLiteral(" WHERE ") + archive + QStringLiteral(" NREW=:PARAM1"));
        q.setParam(0, newPerson);
        q.setParam(1, currentPerson);
        q.execSQL();
    };
    // Computers and equipment change together or not at all.
    return guardedWrite(db->DatabaseMain(), 111117, [&] {
        if (computers)
            update("komputery");
        if (equipment)
            update("sprzet");
    });
}
