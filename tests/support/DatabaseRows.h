#pragma once

#include <QString>
#include <QStringList>

class SqlConnection;

// Every row of a table as text that tells the value's kind (NULL, number,
// text, bytes), sorted, so two databases of either backend compare row for row.
namespace DatabaseRows {
QStringList of(SqlConnection& connection, const QString& table);
// The first table of the table list whose rows differ, with a line of each; empty when all agree.
QString firstDifference(SqlConnection& a, SqlConnection& b);
} // namespace DatabaseRows
