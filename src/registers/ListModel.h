#pragma once

#include <QAbstractTableModel>
#include <QList>

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
// Call refresh() after the statement has been reopened.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ListModel(Statement& statement, QList<GridColumn> columns, QObject* parent = nullptr);

    Statement& statement() const { return m_statement; }
    const QList<GridColumn>& columns() const { return m_columns; }
    // Object labels on (main lists) or the raw kind letter (editor sub-lists).
    void setLabelsOn(bool on);
    bool labelsOn() const { return m_labelsOn; }
    // The column whose title is painted highlighted (the sort column); -1 none.
    void setSortColumn(int column);
    int sortColumn() const { return m_sortColumn; }

    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text a cell shows (also used by search, sums and CSV).
    QString displayText(int row, int column) const;

private:
    struct Resolved
    {
        int field = -1;
        int k = -1, l = -1, s = -1, b = -1, p = -1, imie = -1;
    };
    void resolve();

    Statement& m_statement;
    QList<GridColumn> m_columns;
    QList<Resolved> m_resolved;
    bool m_labelsOn = true;
    int m_sortColumn = -1;
};
