#include "editors/SubList.h"

#include "base/ErrorLog.h"
#include "store/DbError.h"
#include "store/StatementTexts.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>

SubList::SubList(TmyDataBase& db, const QString& list, QList<GridColumn> columns, QWidget* parent)
    : QObject(parent), m_db(db), m_list(list), m_statement(&db.DatabaseMain(), list, statementLines(list))
{
    m_model = new ListModel(m_statement, std::move(columns), this);
    m_model->setLabelsOn(false);
    m_grid = new DataGrid(parent);
    m_grid->setObjectName(list.mid(3) + QStringLiteral("Grid"));
    m_grid->setListModel(m_model);
    // The last column takes the free width of the tab.
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_menu = new QMenu(m_grid);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!m_menu->actions().isEmpty())
            m_menu->popup(m_grid->viewport()->mapToGlobal(pos));
    });
    connect(m_grid, &DataGrid::titleClicked, this, &SubList::titleClicked);
    connect(m_grid, &DataGrid::activatedRow, this, &SubList::activated);
}

void SubList::setObject(const QString& kind, qint64 key)
{
    m_state.setObject(m_list, kind, key);
}

void SubList::setOwner(qint64 key)
{
    m_state.setOwner(m_list, key);
}

bool SubList::reload()
{
    m_statement.close();
    m_statement.setLines(statementLines(m_list));
    m_state.applyTo(m_list, m_statement);
    bool ok = true;
    try {
        m_statement.open();
    } catch (const DbError& e) {
        ok = false;
        ErrorLog::report(e.message(), true, TmyDataBase::reloadCode(m_list));
    } catch (const std::exception& e) {
        ok = false;
        ErrorLog::report(QString::fromLocal8Bit(e.what()), true, TmyDataBase::reloadCode(m_list));
    }
    if (!ok)
        m_statement.close();
    m_model->refresh();
    m_model->setSortColumn(m_model->columnOfOrder(m_state.orderColumn(m_list)), m_state.isAscending(m_list));
    m_grid->followCursor();
    emit reloaded();
    return ok;
}

bool SubList::locate(const QString& field, const QVariant& value)
{
    const int column = m_statement.fieldIndex(field);
    if (column < 0)
        return false;
    for (int row = 0; row < m_statement.recordCount(); ++row) {
        if (m_statement.textAt(row, column) == value.toString()) {
            m_statement.setRecNo(row);
            m_grid->followCursor();
            return true;
        }
    }
    return false;
}

bool SubList::hasRow() const
{
    return m_statement.isOpen() && !m_statement.isEmpty() && !m_statement.eof();
}

QString SubList::text(const QString& field) const
{
    return hasRow() && m_statement.hasField(field) ? m_statement.text(field) : QString();
}

qint64 SubList::integer(const QString& field) const
{
    return hasRow() && m_statement.hasField(field) ? m_statement.integer(field) : 0;
}

void SubList::setAction(Action action, std::function<void()> run)
{
    m_actions[action] = std::move(run);
}

void SubList::trigger(Action action)
{
    if (m_buttons[action] && !m_buttons[action]->isEnabled() && action != Preview && action != Print)
        return;
    if (m_actions[action])
        m_actions[action]();
}

QPushButton* SubList::addButton(Action action, const QString& objectName, const QString& caption,
                                const QString& hint)
{
    auto* b = new QPushButton(caption, m_grid->parentWidget());
    b->setObjectName(objectName);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, [this, action] { trigger(action); });
    m_buttons[action] = b;
    return b;
}

QAction* SubList::addMenuItem(Action action, const QString& objectName, const QString& caption,
                              const QKeySequence& key)
{
    QAction* a = m_menu->addAction(caption);
    a->setObjectName(objectName);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_grid->addAction(a);
    connect(a, &QAction::triggered, this, [this, action] { trigger(action); });
    m_items[action] = a;
    return a;
}

void SubList::setWritable(bool writable)
{
    for (Action a : {Add, Edit, Remove}) {
        if (m_buttons[a])
            m_buttons[a]->setEnabled(writable);
        if (m_items[a])
            m_items[a]->setEnabled(writable);
    }
}

void SubList::titleClicked(int column)
{
    if (column < 0 || column >= m_model->columns().size())
        return;
    m_state.sortBy(m_list, m_model->columns().at(column).field);
    reload();
}

void SubList::activated()
{
    Action a = m_activate;
    if (a == Edit && m_buttons[Edit] && (!m_buttons[Edit]->isEnabled() || m_buttons[Edit]->isHidden()))
        a = Preview;
    if (a != ActionCount && m_actions[a])
        m_actions[a]();
}
