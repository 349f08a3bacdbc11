#pragma once

#include <QDialog>

class QCheckBox;
class QTableWidget;

// The tool window of the column sums: a row of titles over a row of values,
// one to four columns. It keeps what it shows until the sums are asked again.
class TfSumy : public QDialog
{
    Q_OBJECT

public:
    explicit TfSumy(QWidget* parent = nullptr);

    // Empties the cells and leaves `columns` columns.
    void clearCells(int columns);
    void setTitle(int column, const QString& text);
    void setValue(int column, const QString& text);
    int columns() const;
    QString title(int column) const;
    QString value(int column) const;

    QTableWidget* grid() const { return m_grid; }
    QCheckBox* onTop() const { return m_top; }

private:
    void cbTopClick(bool checked);

    QTableWidget* m_grid;
    QCheckBox* m_top;
};
