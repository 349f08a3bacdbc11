#include "stocktaking/StocktakingModel.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>

namespace {
const char* const kExpectedHeaders[] = {
    "Nr inwentarzowy", "Nazwa",      "Rejestr",    "Lokalizacja", "Osoba odpowiedzialna",
    "Stwierdzono",     "Czas skanu", "Stanowisko", "Skanów"};
const char* const kOutsideHeaders[] = {"Zeskanowany kod",
                                       "Nazwa",
                                       "Rejestr",
                                       "Lokalizacja w ewidencji",
                                       "Osoba w ewidencji",
                                       "Przeniesiony",
                                       "Czas skanu",
                                       "Stanowisko",
                                       "Skanów"};
constexpr int kColumns = 9;
} // namespace

StocktakingModel::StocktakingModel(Part part, QObject* parent) : QAbstractTableModel(parent), m_part(part) {}

QString StocktakingModel::kindText(QChar kind)
{
    switch (kind.unicode()) {
    case 'K':
        return QStringLiteral("Komputery");
    case 'S':
        return QStringLiteral("Inny sprzęt");
    case 'B':
        return QStringLiteral("Odzież i środki BHP");
    default:
        return QStringLiteral("nieznany numer");
    }
}

bool StocktakingModel::belongs(const StocktakingItem& item) const
{
    return m_part == Part::Expected ? item.expected : !item.expected;
}

void StocktakingModel::setItems(const QList<StocktakingItem>& items)
{
    beginResetModel();
    m_items.clear();
    m_rows.clear();
    for (const StocktakingItem& item : items) {
        if (!belongs(item))
            continue;
        m_rows.insert(item.id, int(m_items.size()));
        m_items << item;
    }
    endResetModel();
}

int StocktakingModel::update(const StocktakingItem& item)
{
    if (!belongs(item))
        return -1;
    const int row = m_rows.value(item.id, -1);
    if (row >= 0) {
        m_items[row] = item;
        emit dataChanged(index(row, 0), index(row, kColumns - 1));
        return row;
    }
    const int at = int(m_items.size());
    beginInsertRows(QModelIndex(), at, at);
    m_rows.insert(item.id, at);
    m_items << item;
    endInsertRows();
    return at;
}

int StocktakingModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int StocktakingModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant StocktakingModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const StocktakingItem& item = m_items.at(index.row());
    if (role == Qt::BackgroundRole) {
        if (m_part == Part::Outside)
            return QBrush(item.kind.isNull() ? QColor(255, 214, 214) : QColor(255, 236, 200));
        return item.found ? QBrush(QColor(214, 245, 214)) : QVariant();
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return m_part == Part::Outside && item.kind.isNull() ? item.code : item.number;
    case 1:
        return item.name;
    case 2:
        return kindText(item.kind);
    case 3:
        return item.location;
    case 4:
        return item.person;
    case 5:
        if (m_part == Part::Outside)
            return item.moved ? QStringLiteral("tak") : QString();
        return item.found ? QStringLiteral("tak") : QStringLiteral("nie");
    case 6: {
        // Kept as yyyy-MM-dd hh:mm:ss, shown the Polish way.
        const QDateTime at = QDateTime::fromString(item.scannedAt, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        return at.isValid() ? at.toString(QStringLiteral("dd-MM-yyyy hh:mm:ss")) : item.scannedAt;
    }
    case 7:
        return item.workstation;
    case 8:
        return item.scans;
    default:
        return {};
    }
}

QVariant StocktakingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(m_part == Part::Expected ? kExpectedHeaders[section] : kOutsideHeaders[section]);
}
