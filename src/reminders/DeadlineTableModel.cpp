#include "reminders/DeadlineTableModel.h"

#include <QBrush>

namespace {
const QString kNothing = QStringLiteral("Niczego nie znaleziono");
}

DeadlineTableModel::DeadlineTableModel(QObject* parent)
    : QAbstractTableModel(parent), m_titles(DeadlineCheck::titles())
{
    m_titles << QString();
}

void DeadlineTableModel::setEntries(QList<DeadlineEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void DeadlineTableModel::removeEntry(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    if (m_entries.size() == 1) {
        // The last entry gives way to the "nothing found" row.
        setEntries({});
        return;
    }
    beginRemoveRows({}, index, index);
    m_entries.removeAt(index);
    endRemoveRows();
}

void DeadlineTableModel::setFixedColor(const QColor& color)
{
    m_fixed = color;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 1), {Qt::BackgroundRole});
}

QString DeadlineTableModel::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return {};
    if (m_entries.isEmpty())
        return column == 3 ? kNothing : QString();
    const DeadlineEntry& e = m_entries.at(row);
    switch (column) {
    case 0:
        return TmyDataBase::dateText(e.date);
    case 1:
        return e.kind;
    case 2:
        return e.label;
    case 3:
        return e.name;
    case 4:
        return e.details;
    default:
        return e.keyText();
    }
}

int DeadlineTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : (m_entries.isEmpty() ? 1 : int(m_entries.size()));
}

int DeadlineTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant DeadlineTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        // The text columns are drawn one space in from the grid line.
        return c >= 2 ? QLatin1Char(' ') + cellText(index.row(), c) : cellText(index.row(), c);
    case Qt::BackgroundRole:
        if (c < 2)
            return QBrush(m_fixed.darker(c == 0 ? 160 : 100));
        return {};
    case Qt::ForegroundRole:
        if (c < 2)
            return QBrush(c == 0 ? QColor(Qt::white) : QColor(Qt::black));
        return {};
    case Qt::TextAlignmentRole:
        if (c < 2)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return {};
    default:
        return {};
    }
}

QVariant DeadlineTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumns)
        return m_titles.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
