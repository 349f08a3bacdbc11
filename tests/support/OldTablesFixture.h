#pragma once

#include "OldTableWriter.h"

#include <QList>
#include <QString>
#include <QStringList>

// Folders of old table files for each version of the previous program, with
// Polish text, quotes, empty values and a deleted row in every table.
namespace OldTablesFixture {
using Column = OldTableWriter::Column;
using Value = OldTableWriter::Value;

struct Row
{
    QList<Value> values;
    bool deleted = false;
};
struct Table
{
    QString file; // as written on the disk, e.g. "Komputery.DB"
    QString name; // "komputery"
    QList<Column> columns;
    QList<Row> rows;
    QString password;
    qint64 lastAutoIncrement = 0;
};

// "1.0.1" (the first version), "1.0.2", "1.0.3", "1.0.4", "1.0.5", "2.6".
QStringList versions();
// The old columns of a table, from the schema template's kinds, with a few
// tables using the other field kinds the old files may hold.
QList<Column> columnsOf(const QString& table, bool withAct);
// The tables a version had, with sample rows, protected with `password`
// (firmy, whose memo values live in the blob file, without protection).
QList<Table> tables(const QString& version, const QString& password);
// Writes the tables, and the marker files and table copies the version's
// upgrades left in the folder.
void write(const QString& dir, const QList<Table>& tables, const QString& version);
void writeTable(const QString& dir, const Table& table);
// The password cipher text of older databases for `password`.
QByteArray legacyPassword(const QString& password);
} // namespace OldTablesFixture
