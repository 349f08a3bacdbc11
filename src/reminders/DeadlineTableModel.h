#pragma once

#include "reminders/DeadlineCheck.h"

#include <QAbstractTableModel>
#include <QColor>

// The deadline table over the found entries: the texts are made when a cell
// is painted, so a fill of many thousand entries builds nothing per cell.
// With no entries it shows one row reading "Niczego nie znaleziono".
// Columns: date, kind, object label, name, details, and the hidden key.
class DeadlineTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumns = 6;
    static constexpr int kKeyColumn = 5;

    explicit DeadlineTableModel(QObject* parent = nullptr);

    void setEntries(QList<DeadlineEntry> entries);
    void removeEntry(int index);
    const QList<DeadlineEntry>& entries() const { return m_entries; }
    // The ground of the fixed columns (date, kind).
    void setFixedColor(const QColor& color);

    // The text of a cell without the leading space of the text columns.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<DeadlineEntry> m_entries;
    QStringList m_titles;
    QColor m_fixed;
};
