#pragma once

#include <QAbstractTableModel>

class CsvSheet;
class EmployeeImport;

// The loaded sheet of the employee import as the table shows it: one column
// per column of the file ("Kolumna #n"), then "Zaimportowano?" and "Uwagi"
// from the import's results; the vertical header names each row's line in
// the file. Cells are read from the sheet when they are painted, so a file
// of hundreds of thousands of rows costs no widget per field.
class CsvSheetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    CsvSheetModel(const CsvSheet& sheet, const EmployeeImport& import, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The sheet was read anew (its rows and columns changed).
    void sheetChanged();
    // The import's statuses and remarks changed.
    void resultsChanged();

    // The cells of a row as the result log writes them: the fields, status and remarks.
    QStringList rowTexts(int row) const;
    QStringList headerTexts() const;

private:
    QString cellText(int row, int column) const;

    const CsvSheet& m_sheet;
    const EmployeeImport& m_import;
    int m_columns = 0; // sheet columns as last announced
};
