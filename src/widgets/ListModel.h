#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QTimer>

#include <functional>

class Statement;

// How a list column shows its stored value.
enum class ColumnFormat
{
    Text,
    Date,         // yyyymmdd integer, empty unless 8 digits
    Amount,       // "0.00"
    ObjectLabel,  // the kind letter as "Komp. (" + KNREWID + ")" and the like
    RepairLabel,  // the same for "K" and "S" only
    EmployeeName, // NAZWISKO + " " + IMIE
};

struct GridColumn
{
    QString field;
    QString title; // empty: the field name is the title
    int width = 64;
    ColumnFormat format = ColumnFormat::Text;
    Qt::Alignment alignment() const;
};

// A read-only table over the result of one list statement. The statement
// keeps the rows; the model formats them for display and follows its cursor.
// Reopen the statement through reload(), or call refresh() after it has been
// reopened elsewhere. The row count is the one of the last refresh, so a view
// stays consistent while somebody else reopens the shared statement.
//
// A statement that has read only its first rows shows its whole count at
// once; the rows past those read are read when a view asks for them, and the
// rest in short steps between the window's events.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ListModel(Statement& statement, QList<GridColumn> columns, QObject* parent = nullptr);
    ~ListModel() override;
    // Columns only, over a closed empty statement until setStatement().
    explicit ListModel(QList<GridColumn> columns, QObject* parent = nullptr);

    Statement& statement() const { return *m_statement; }
    void setStatement(Statement& statement);
    const QList<GridColumn>& columns() const { return m_columns; }
    int columnOf(const QString& field) const; // -1 when the grid has no such column
    // Drops a column from the grid (the stored field stays in the statement).
    void removeField(const QString& field);
    // Object labels on (main lists) or the raw kind letter (editor sub-lists).
    void setLabelsOn(bool on);
    bool labelsOn() const { return m_labelsOn; }
    // The column whose title is painted highlighted (the sort column); -1 none.
    void setSortColumn(int column, bool ascending = true);
    int sortColumn() const { return m_sortColumn; }
    bool sortAscending() const { return m_sortAscending; }
    // The column whose field the list is ordered by (a "T.OPIS" order names
    // the OPIS column); -1 when none of them.
    int columnOfOrder(const QString& orderColumn) const;

    // Whether a model other than `except` shows `statement` in a visible window.
    static bool shownElsewhere(const Statement& statement, const ListModel* except);
    // Every open list shown in a visible window read again with its own text
    // (after the database file was replaced); each cursor keeps its place.
    static void reopenShown();

    // Runs `reopen` (which reopens the statement) inside a model reset.
    bool reload(const std::function<bool()>& reopen);
    void refresh();

    // The statement's current row (the grid's selection follows it).
    bool isEmpty() const { return m_rows == 0; }
    int currentRow() const; // -1 past the end or when empty
    // Fields of the current row by name; an unknown name throws DbError.
    QString text(const QString& field) const;
    qint64 integer(const QString& field) const;
    double number(const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text a cell shows (also used by search, sums and CSV).
    QString displayText(int row, int column) const;

    // Time one step of the reading in the background may take.
    static constexpr int kReadStepMs = 15;

private:
    void takeCount();
    void readStep();
    static bool isShown(const ListModel* model);

    struct Resolved
    {
        int field = -1;
        int k = -1, l = -1, s = -1, b = -1, p = -1, imie = -1;
    };
    void resolve();

    Statement* m_statement;
    QList<GridColumn> m_columns;
    int m_rows = 0;
    QList<Resolved> m_resolved;
    bool m_labelsOn = true;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
    QTimer m_reader;
};
