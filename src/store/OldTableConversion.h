#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class OldTableFile;
class SqlConnection;

// How the rows of one table of the previous version go into its table in the
// new database: every column of the schema template found by name among the
// old fields, empty values as the new columns keep them (empty text, 0, -1
// for no company), text from Windows-1250 to UTF-8 without trailing blanks,
// and a value that does not fit its column reported with table, row and
// column, never cut. Throws OldTablesError.
class OldTableConversion
{
public:
    struct Result
    {
        qint64 rows = 0;
        QStringList skipped; // one line per row left out, saying why
    };

    // Maps the columns of `table` in `model` (made from the template) onto
    // the fields of `old`, named `file` in messages.
    OldTableConversion(const QString& file, const QString& table, const OldTableFile& old,
                       SqlConnection& model);

    QString file() const { return m_file; }
    QString table() const { return m_table; }
    // False for a table of a version before its ACT column.
    bool withAct() const { return m_withAct; }
    // Old fields that have no column in the new database.
    const QStringList& notes() const { return m_notes; }

    // Inserts every record of `old` into the table in `db`, made already.
    // A row under a key already taken is left out and listed. `rowsDone`
    // hears of the rows done now and then, and may throw to stop. Throws
    // OldTablesError and DbError.
    Result run(SqlConnection& db, OldTableFile& old, const std::function<void(qint64 rows)>& rowsDone) const;

    // The template's CREATE TABLE statement (ACT left out when asked) and the rest.
    static QStringList createStatements(const QStringList& definition, bool withAct);
    static QStringList indexStatements(const QStringList& definition);
    // Tables whose ACT column came with version 1.0.5.
    static bool gainsActLater(const QString& table);

private:
    // A target column as the schema template declares it.
    struct Column
    {
        enum class Kind
        {
            Integer,
            Real,
            Text,
            Bytes
        };
        QString name;
        Kind kind = Kind::Text;
        int limit = 0; // characters; 0 without a limit
        bool key = false;
    };
    enum class How
    {
        IntegerFromInteger, // also yes/no and dates
        IntegerFromNumber,
        IntegerFromText,
        RealFromNumber,
        RealFromText,
        TextFromText,
        TextFromInteger,
        TextFromLogical,
        TextFromNumber,
        BytesFromText
    };
    struct Plan
    {
        Column column;
        int field = -1;
        How how = How::TextFromText;
        qint64 emptyInteger = 0;
    };

    static QList<Column> columnsOf(SqlConnection& model, const QString& table);
    void setSequence(SqlConnection& db, qint64 last) const;

    QString m_file;
    QString m_table;
    QList<Plan> m_plans;
    bool m_withAct = true;
    QStringList m_notes;
};
