#include "editors/SubListPage.h"

#include "editors/SubList.h"
#include "widgets/DataGrid.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace SubListPage {

SubList* make(TmyDataBase& db, QTabWidget* tabs, const QString& title, const QString& list,
              QList<GridColumn> columns)
{
    auto* page = new QWidget(tabs);
    page->setObjectName(QStringLiteral("TS") + list.mid(3));
    auto* l = new SubList(db, list, std::move(columns), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(l->grid(), 1);
    auto* bar = new QHBoxLayout;
    bar->setObjectName(QStringLiteral("bar"));
    layout->addLayout(bar);
    tabs->addTab(page, title);
    return l;
}

void addStandardControls(SubList* l, const QString& prefix, bool withOpen)
{
    struct Control
    {
        SubList::Action action;
        const char* button;
        const char* caption;
        const char* hint;
        const char* item;
        const char* itemCaption;
        QKeySequence key;
    };
    const Control controls[] = {
        {SubList::Preview, "Podglad", "Podgląd", "Podgląd danych", "PodgladPozycji", "Podgląd",
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {SubList::Add, "Dodaj", "Dodaj", "Dodaj nową pozycję", "DodajPozycje", "Dodaj pozycję",
         QKeySequence(Qt::Key_Insert)},
        {SubList::Edit, "Edytuj", "Edytuj", "Edytuj wskazaną pozycję", "EdytujPozycje", "Edytuj pozycję",
         QKeySequence(Qt::Key_F2)},
        {SubList::Remove, "Usun", "Usuń", "Usuń wskazaną pozycję", "UsunPozycje", "Usuń pozycję",
         QKeySequence(Qt::Key_Delete)},
        {SubList::Print, "Drukuj", "Drukuj", "Drukuj wskazaną pozycję", "DrukujPozycje", "Drukuj",
         QKeySequence(Qt::CTRL | Qt::Key_P)},
    };
    QWidget* page = l->grid()->parentWidget();
    auto* bar = page->findChild<QHBoxLayout*>(QStringLiteral("bar"));
    for (const Control& c : controls) {
        QPushButton* b = l->addButton(c.action, prefix + QLatin1String(c.button),
                                      QString::fromUtf8(c.caption), QString::fromUtf8(c.hint));
        if (bar)
            bar->addWidget(b);
        l->addMenuItem(c.action, prefix + QLatin1String(c.item), QString::fromUtf8(c.itemCaption), c.key);
    }
    if (bar)
        bar->addStretch();
    if (withOpen) {
        l->menu()->addSeparator();
        l->addMenuItem(SubList::Open, prefix + QStringLiteral("Otworzzalacznik"),
                       QStringLiteral("Otwórz załącznik"), QKeySequence(Qt::CTRL | Qt::Key_V));
    }
}

} // namespace SubListPage
