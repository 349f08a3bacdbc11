#include "stocktaking/StocktakingCommand.h"

#include "registers/TfMain.h"
#include "stocktaking/TfInwentaryzacja.h"

#include <QAction>

StocktakingCommand::StocktakingCommand(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_window(new TfInwentaryzacja(db, &main))
{
    if (QAction* a = main.action(QStringLiteral("MInwentaryzacja")))
        connect(a, &QAction::triggered, this, &StocktakingCommand::MInwentaryzacjaClick);
}

void StocktakingCommand::MInwentaryzacjaClick()
{
    if (!m_window->prepare())
        return;
    m_window->exec();
    // Assets moved at the close show their new location in the lists.
    m_main.reloadCurrent();
}
