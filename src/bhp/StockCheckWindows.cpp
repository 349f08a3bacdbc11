#include "bhp/StockCheckWindows.h"

#include "base/Config.h"
#include "bhp/TfSprawdzenieBhp.h"
#include "bhp/TfSprawdzenieMagazynu.h"
#include "registers/TfMain.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QAction>

StockCheckWindows::StockCheckWindows(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_bhp(new TfSprawdzenieBhp(db, &main)),
      m_stock(new TfSprawdzenieMagazynu(db, &main))
{
    if (QAction* a = main.action(QStringLiteral("MSprawdzBhp")))
        connect(a, &QAction::triggered, m_bhp, &TfSprawdzenieBhp::showFromMenu);
    if (QAction* a = main.action(QStringLiteral("MSprawdzMagazyn")))
        connect(a, &QAction::triggered, m_stock, [this] { m_stock->run(true, false); });
    connect(m_stock, &TfSprawdzenieMagazynu::listReloaded, this, [this](const QString& list) {
        // The check re-read the resource list: its grid shows it as it is now.
        if (ListModel* model = m_main.listModel(list))
            model->refresh();
        if (DataGrid* grid = m_main.gridOf(list))
            grid->followCursor();
    });
}

void StockCheckWindows::bhpAfterLogin()
{
    m_bhp->runAfterLogin();
}

void StockCheckWindows::stockAfterLogin()
{
    m_stock->run(Config::global().flag(QStringLiteral("cbMagazyn")), true);
}
