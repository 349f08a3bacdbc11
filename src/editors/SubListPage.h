#pragma once

#include "widgets/ListModel.h"

#include <QList>
#include <QString>

class QTabWidget;
class SubList;
class TmyDataBase;

// A tab of an asset editor that shows one sub-list: the grid above a row of
// buttons, and the grid's context menu.
namespace SubListPage {
// Appends the page to the tabs under `title`.
SubList* make(TmyDataBase& db, QTabWidget* tabs, const QString& title, const QString& list,
              QList<GridColumn> columns);
// "Podgląd", "Dodaj", "Edytuj", "Usuń", "Drukuj" named prefix + action, the
// context menu with its shortcuts and, with `withOpen`, "Otwórz załącznik".
void addStandardControls(SubList* list, const QString& prefix, bool withOpen);
} // namespace SubListPage
