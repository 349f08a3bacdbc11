#pragma once

#include <QString>
#include <QStringList>

class Statement;
class TmyDataBase;

// The one-page sheet of a single record: a title and "label: value" lines,
// built from a row of a register list the way its editor shows the fields
// (dates as dd-mm-yyyy, amounts "0.00", lookups as their shown text, check
// boxes "TAK" / "NIE").
struct RecordPrintout
{
    QString title;
    QStringList lines;
    bool isEmpty() const { return title.isEmpty(); }
    // The body handed to the report: the lines joined by character 13.
    QString body() const { return lines.join(QChar(13)); }

    // The row under the cursor of a register list; empty for an unknown list
    // or when the list has no row.
    static RecordPrintout forList(TmyDataBase& db, const QString& list);
    static RecordPrintout forRow(TmyDataBase& db, const QString& list, const Statement& row);
    // One equipment item by key (the computer editor's "Sprzęt" tab).
    static RecordPrintout forEquipment(TmyDataBase& db, qint64 key);
};
