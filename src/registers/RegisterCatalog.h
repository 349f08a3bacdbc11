#pragma once

#include "widgets/ListModel.h"

#include <QList>
#include <QString>

// One register list of the main window: where it is shown, which list query
// feeds it, the rights it needs and the columns of its grid.
struct RegisterList
{
    QString list;        // list query, "DBFKomputery"
    QString grid;        // grid objectName, "KomputeryGrid"
    QString page;        // page of zakladki, "komputery"
    QString subPage;     // sub-page, empty for a page without sub-pages
    QString key;         // key field that locate compares
    int readRight = -1;  // -1: always
    int writeRight = -1; // -1: always
    QList<GridColumn> columns;
};

// The 16 register lists of the main window, in the order their grids are
// registered for the column layouts.
namespace RegisterCatalog {
const QList<RegisterList>& all();
// nullptr when the name is not a register list / grid / (sub-)page.
const RegisterList* byList(const QString& list);
const RegisterList* byGrid(const QString& grid);
const RegisterList* byPage(const QString& page, const QString& subPage);
// Columns of a list's grid (editors show the same lists); empty when unknown.
QList<GridColumn> columns(const QString& list);
} // namespace RegisterCatalog
