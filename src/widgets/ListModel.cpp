#include "widgets/ListModel.h"

#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QBrush>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QSet>
#include <QWidget>

#include <algorithm>

Qt::Alignment GridColumn::alignment() const
{
    switch (format) {
    case ColumnFormat::Date:
        return Qt::AlignCenter;
    case ColumnFormat::Amount:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

namespace {
QList<ListModel*>& liveModels()
{
    // Never destroyed: a model kept in a static may outlive every other static.
    static auto* models = new QList<ListModel*>;
    return *models;
}

Statement& closedStatement()
{
    static Statement empty;
    return empty;
}
} // namespace

ListModel::ListModel(Statement& statement, QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_statement(&statement), m_columns(std::move(columns))
{
    m_reader.setSingleShot(true);
    m_reader.setInterval(0);
    connect(&m_reader, &QTimer::timeout, this, &ListModel::readStep);
    resolve();
    takeCount();
    liveModels() << this;
}

ListModel::~ListModel()
{
    liveModels().removeOne(this);
}

bool ListModel::shownElsewhere(const Statement& statement, const ListModel* except)
{
    for (const ListModel* m : liveModels()) {
        if (m != except && &m->statement() == &statement && isShown(m))
            return true;
    }
    return false;
}

bool ListModel::isShown(const ListModel* model)
{
    QObject* o = model->parent();
    while (o && !o->isWidgetType())
        o = o->parent();
    return o && static_cast<QWidget*>(o)->isVisible();
}

void ListModel::reopenShown()
{
    QSet<Statement*> reopened;
    const QList<ListModel*> models = liveModels();
    for (ListModel* m : models) {
        Statement& q = m->statement();
        if (!q.isOpen() || !isShown(m))
            continue;
        if (reopened.contains(&q)) {
            m->refresh();
            continue;
        }
        reopened.insert(&q);
        m->reload([&] {
            const int position = q.recNo();
            const bool ok = guarded(TmyDataBase::reloadCode(q.name()), [&] { q.open(); });
            q.setRecNo(std::min(position, q.recordCount() - 1));
            return ok;
        });
    }
}

ListModel::ListModel(QList<GridColumn> columns, QObject* parent)
    : ListModel(closedStatement(), std::move(columns), parent)
{
}

void ListModel::setStatement(Statement& statement)
{
    beginResetModel();
    m_statement = &statement;
    resolve();
    takeCount();
    endResetModel();
}

int ListModel::columnOf(const QString& field) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].field.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void ListModel::removeField(const QString& field)
{
    const int c = columnOf(field);
    if (c < 0)
        return;
    beginRemoveColumns({}, c, c);
    m_columns.removeAt(c);
    m_resolved.removeAt(c);
    if (m_sortColumn == c)
        m_sortColumn = -1;
    else if (m_sortColumn > c)
        --m_sortColumn;
    endRemoveColumns();
}

bool ListModel::reload(const std::function<bool()>& reopen)
{
    beginResetModel();
    const bool ok = reopen();
    resolve();
    takeCount();
    endResetModel();
    return ok;
}

int ListModel::currentRow() const
{
    return m_statement->eof() ? -1 : m_statement->recNo();
}

QString ListModel::text(const QString& field) const
{
    return m_statement->text(field);
}

qint64 ListModel::integer(const QString& field) const
{
    return m_statement->integer(field);
}

double ListModel::number(const QString& field) const
{
    return m_statement->number(field);
}

void ListModel::setLabelsOn(bool on)
{
    if (m_labelsOn == on)
        return;
    m_labelsOn = on;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ListModel::setSortColumn(int column, bool ascending)
{
    m_sortColumn = column;
    m_sortAscending = ascending;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int ListModel::columnOfOrder(const QString& order) const
{
    if (order.isEmpty())
        return -1;
    for (int c = 0; c < m_columns.size(); ++c)
        if (order.compare(m_columns.at(c).field, Qt::CaseInsensitive) == 0 ||
            order.endsWith(QLatin1Char('.') + m_columns.at(c).field, Qt::CaseInsensitive))
            return c;
    return -1;
}

void ListModel::resolve()
{
    m_resolved.clear();
    const Statement& s = *m_statement;
    for (const GridColumn& c : m_columns) {
        Resolved r;
        r.field = s.fieldIndex(c.field);
        r.k = s.fieldIndex(QStringLiteral("KNREWID"));
        r.l = s.fieldIndex(QStringLiteral("LNREWID"));
        r.s = s.fieldIndex(QStringLiteral("SNREWID"));
        r.b = s.fieldIndex(QStringLiteral("BNREWID"));
        r.p = s.fieldIndex(QStringLiteral("PNREWID"));
        r.imie = s.fieldIndex(QStringLiteral("IMIE"));
        m_resolved << r;
    }
}

void ListModel::refresh()
{
    beginResetModel();
    resolve();
    takeCount();
    endResetModel();
}

void ListModel::takeCount()
{
    m_rows = m_statement->shownCount();
    if (m_statement->isReading())
        m_reader.start();
    else
        m_reader.stop();
}

void ListModel::readStep()
{
    Statement& q = *m_statement;
    if (q.isReading()) {
        QElapsedTimer clock;
        clock.start();
        const bool ok = guarded(TmyDataBase::reloadCode(q.name()), [&] {
            while (q.fetchMore(256) && clock.elapsed() < kReadStepMs) {
            }
        });
        if (ok && q.isReading()) {
            m_reader.start();
            return;
        }
    }
    // All read (or the read failed and stopped): the count the rows give.
    const int rows = q.recordCount();
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString ListModel::displayText(int row, int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    const GridColumn& c = m_columns[column];
    const Resolved& r = m_resolved[column];
    if (r.field < 0)
        return {};
    const Statement& st = *m_statement;
    switch (c.format) {
    case ColumnFormat::Text:
        return st.textAt(row, r.field);
    case ColumnFormat::Date:
        return st.isNullAt(row, r.field) ? QString() : TmyDataBase::dateText(st.integerAt(row, r.field));
    case ColumnFormat::Amount:
        return TmyDataBase::amountText(st.numberAt(row, r.field));
    case ColumnFormat::EmployeeName: {
        const QString surname = st.textAt(row, r.field);
        return r.imie < 0 ? surname : surname + QLatin1Char(' ') + st.textAt(row, r.imie);
    }
    case ColumnFormat::ObjectLabel:
    case ColumnFormat::RepairLabel: {
        const QString kind = st.textAt(row, r.field);
        if (!m_labelsOn)
            return kind;
        const bool repairs = c.format == ColumnFormat::RepairLabel;
        auto label = [&](const char* prefix, int col) {
            return QString::fromUtf8(prefix) + (col >= 0 ? st.textAt(row, col) : QString()) +
                   QLatin1Char(')');
        };
        if (kind == QLatin1String("K"))
            return label("Komp. (", r.k);
        if (kind == QLatin1String("S"))
            return label("Sprzęt (", r.s);
        if (repairs)
            return {};
        if (kind == QLatin1String("L"))
            return label("Licen. (", r.l);
        if (kind == QLatin1String("B"))
            return label("Środ.BHP (", r.b);
        if (kind == QLatin1String("P"))
            return label("Program (", r.p);
        return {};
    }
    }
    return {};
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment());
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn& c = m_columns[section];
    switch (role) {
    case Qt::DisplayRole:
        return c.title.isEmpty() ? c.field : c.title;
    case Qt::ForegroundRole:
        return QBrush(section == m_sortColumn ? Qt::white : Qt::black);
    case Qt::BackgroundRole:
        // A white title needs a dark ground to be read.
        return section == m_sortColumn ? QVariant(QBrush(QColor(0x3a, 0x6e, 0xa5))) : QVariant();
    default:
        return {};
    }
}
