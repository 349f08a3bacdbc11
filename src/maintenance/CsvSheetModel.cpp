#include "maintenance/CsvSheetModel.h"

#include "maintenance/CsvSheet.h"
#include "maintenance/EmployeeImport.h"

CsvSheetModel::CsvSheetModel(const CsvSheet& sheet, const EmployeeImport& import, QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_import(import), m_columns(sheet.columnCount())
{
}

int CsvSheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_sheet.rowCount();
}

int CsvSheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns + 2;
}

QString CsvSheetModel::cellText(int row, int column) const
{
    if (column < m_columns)
        return m_sheet.field(row, column);
    const auto& results = m_import.results();
    if (row >= results.size())
        return {};
    return column == m_columns ? results.at(row).status : results.at(row).remarks;
}

QVariant CsvSheetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_sheet.rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return cellText(index.row(), index.column());
    return {};
}

QVariant CsvSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section < m_sheet.rowCount() ? QVariant(m_sheet.line(section)) : QVariant();
    if (section < m_columns)
        return QStringLiteral("Kolumna #") + QString::number(section + 1);
    return section == m_columns ? QStringLiteral("Zaimportowano?") : QStringLiteral("Uwagi");
}

void CsvSheetModel::sheetChanged()
{
    beginResetModel();
    m_columns = m_sheet.columnCount();
    endResetModel();
}

void CsvSheetModel::resultsChanged()
{
    if (m_sheet.rowCount() > 0)
        emit dataChanged(index(0, m_columns), index(m_sheet.rowCount() - 1, m_columns + 1));
}

QStringList CsvSheetModel::rowTexts(int row) const
{
    QStringList cells;
    for (int c = 0; c < m_columns + 2; ++c)
        cells << cellText(row, c);
    return cells;
}

QStringList CsvSheetModel::headerTexts() const
{
    QStringList cells;
    for (int c = 0; c < m_columns + 2; ++c)
        cells << headerData(c, Qt::Horizontal).toString();
    return cells;
}
