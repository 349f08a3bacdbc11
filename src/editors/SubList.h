#pragma once

#include "store/ListState.h"
#include "store/Statement.h"
#include "widgets/ListModel.h"

#include <QObject>

#include <array>
#include <functional>

class DataGrid;
class QAction;
class QMenu;
class QPushButton;
class TmyDataBase;

// One list on a tab of an owner editor. It runs its own copy of the data
// module's list statement with its own conditions and sort order, so that
// restricting it to one owner never disturbs the register lists of the main
// window. The tab's buttons and menu items call the actions set on it; an
// action that is not set yet leaves its button inert.
class SubList : public QObject
{
    Q_OBJECT

public:
    enum Action
    {
        Preview,
        Add,
        Edit,
        Remove,
        Print,
        Open, // attachments: open the file
        ActionCount
    };

    SubList(TmyDataBase& db, const QString& list, QList<GridColumn> columns, QWidget* parent);

    const QString& list() const { return m_list; }
    Statement& statement() { return m_statement; }
    DataGrid* grid() const { return m_grid; }
    ListModel* model() const { return m_model; }
    ListState& state() { return m_state; }

    // The owner's conditions for this list: object key and kind, or owner column.
    void setObject(const QString& kind, qint64 key);
    void setOwner(qint64 key);

    // Writes the conditions and the order and opens the list (the list's
    // reload code on failure); the cursor goes to the first row.
    bool reload();
    // Moves the cursor to the row whose field holds the value.
    bool locate(const QString& field, const QVariant& value);
    bool hasRow() const;
    bool isEmpty() const { return !hasRow(); }
    // A field of the row under the cursor.
    QString text(const QString& field) const;
    qint64 integer(const QString& field) const;

    // Buttons and menu items of the tab.
    void setAction(Action action, std::function<void()> run);
    bool hasAction(Action action) const { return bool(m_actions[action]); }
    void trigger(Action action);
    QPushButton* addButton(Action action, const QString& objectName, const QString& caption,
                           const QString& hint);
    QPushButton* button(Action action) const { return m_buttons[action]; }
    QAction* addMenuItem(Action action, const QString& objectName, const QString& caption,
                         const QKeySequence& key);
    QAction* menuItem(Action action) const { return m_items[action]; }
    QMenu* menu() const { return m_menu; }
    // Enter and double click run this action (Edit unless said otherwise);
    // Edit falls back to Preview while its button is disabled.
    void setActivateAction(Action action) { m_activate = action; }
    // Enables the add, edit and delete buttons and menu items.
    void setWritable(bool writable);

signals:
    void reloaded();

private:
    void titleClicked(int column);
    void activated();

    TmyDataBase& m_db;
    QString m_list;
    Statement m_statement;
    ListState m_state;
    ListModel* m_model;
    DataGrid* m_grid;
    QMenu* m_menu;
    Action m_activate = Edit;
    std::array<std::function<void()>, ActionCount> m_actions;
    std::array<QPushButton*, ActionCount> m_buttons{};
    std::array<QAction*, ActionCount> m_items{};
};
