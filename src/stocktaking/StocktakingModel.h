#pragma once

#include "store/Stocktaking.h"

#include <QAbstractTableModel>
#include <QHash>

// The items of a session shown in a grid: either the expected ones or those
// met outside the list. Rows change in place as scans come in, so a list of
// many thousands never has to be read again.
class StocktakingModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Part
    {
        Expected,
        Outside
    };
    explicit StocktakingModel(Part part, QObject* parent = nullptr);

    void setItems(const QList<StocktakingItem>& items);
    // Puts an item read again in its place, or adds it when it is new to this
    // part; an item of the other part is ignored. The answer is its row, -1
    // when it is not shown here.
    int update(const StocktakingItem& item);
    const StocktakingItem& item(int row) const { return m_items.at(row); }
    int rowOf(qint64 id) const { return m_rows.value(id, -1); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString kindText(QChar kind);

private:
    bool belongs(const StocktakingItem& item) const;

    Part m_part;
    QList<StocktakingItem> m_items;
    QHash<qint64, int> m_rows;
};
