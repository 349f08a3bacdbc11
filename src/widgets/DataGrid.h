#pragma once

#include <QTableView>

class ListModel;

// The read-only grid every list of the program uses: whole rows selected,
// titles, resizable columns that cannot be moved, the wheel moving the
// current row one row per notch while the pointer is inside, and double
// click or Enter asking for the record (edit, or preview without the right).
class DataGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);

    // Shows the model and applies its design widths.
    void setListModel(ListModel* model);
    ListModel* listModel() const { return m_model; }
    // Design widths of the columns (the grid layouts store changed ones).
    QList<int> designWidths() const;
    QList<int> columnWidths() const;
    void setColumnWidths(const QList<int>& widths);

    // The row of the statement's cursor; -1 past the end or when empty.
    int currentRow() const;
    // Puts the selection on the statement's cursor (after a locate or reload).
    void followCursor();

signals:
    void activatedRow(int row);    // double click or Enter
    void titleClicked(int column); // a column title was clicked

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void moveCursorTo(int row);

    ListModel* m_model = nullptr;
    int m_wheelRemainder = 0;
};
