#pragma once

#include <QString>
#include <QStringList>

class SqlConnection;

// Every row of a table as text that tells NULL, numbers and strings apart
// (a string by its bytes, text or blob alike), sorted, so two databases of either backend compare row for
// row.
namespace DatabaseRows {
QStringList of(SqlConnection& connection, const QString& table);
// The first table of the table list, or of the added tables either has, whose
// rows differ, with a line of each; empty when all agree.
QString firstDifference(SqlConnection& a, SqlConnection& b);
} // namespace DatabaseRows
