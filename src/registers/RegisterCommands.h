#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>

class EditorDialog;
class QWidget;
class Statement;
class TmyDataBase;

// What the record commands of all registers share: the data module, the
// parent of their dialogs, and the two flags kept between commands.
struct CommandContext
{
    TmyDataBase& db;
    QWidget* dialogParent = nullptr;
    // Set by "Kopiuj" just before it runs "Dodaj"; taken by the add command.
    bool copy = false;
    // Set when an order was saved with "Dodaj powyższe dane do rejestru
    // rozliczeń"; taken by the next add of a settlement.
    bool orderToSettlement = false;
    // Runs a command of another register ("sprzet" preview from the computer
    // editor, the settlement add after an order); set by RecordCommands.
    std::function<bool(const QString& registerName, const QString& command)> run;
    // Shows another register in the main window (the settlements after an
    // order); empty where there is no main window.
    std::function<void(const QString& registerName)> enterRegister;
    // The record print-out (title and text) of the editors' "Drukuj"
    // buttons; empty where there is none, and the buttons are disabled.
    std::function<void(const QString& title, const QString& text)> printRecord;
};

// The record commands of one register: "Dodaj", "Kopiuj" (an add with the
// copy flag), "Edytuj", "Podgląd", and later "Usuń" and "Likwiduj". Each
// register has one small subclass; the steps every register shares are
// written here once.
class RegisterCommands : public QObject
{
    Q_OBJECT

public:
    RegisterCommands(CommandContext& context, const QString& registerName, const QString& list);

    // The page name ("komputery") and the main list ("DBFKomputery").
    const QString& registerName() const { return m_register; }
    const QString& list() const { return m_list; }

    // What the register offers; a command it lacks does nothing.
    virtual bool canAdd() const { return false; }
    virtual bool canEdit() const { return false; }
    virtual bool canPreview() const { return canEdit(); }
    // Delete and liquidation follow the register's rule in DeleteCascade.
    virtual bool canRemove() const;
    virtual bool canLiquidate() const;

    // Add reads and clears the copy flag (takeCopy) before its dialog shows.
    virtual void add() {}
    virtual void edit() {}
    virtual void preview() {}
    virtual void remove();
    virtual void liquidate();

    // True when the list is open and its cursor is on a row.
    bool hasRow() const;
    // "Tylko zlikwidowane rekordy" is chosen in the list's archive selector.
    bool showsLiquidated() const;

signals:
    // The list was reloaded and its cursor moved: the grid follows it.
    void listReloaded(const QString& list);

protected:
    struct Uniqueness
    {
        QString table;   // "komputery"
        QString column;  // "NREWID"
        QString message; // "Istnieje już komputer o podanym numerze ewidencyjnym."
    };

    TmyDataBase& db() const { return m_context.db; }
    CommandContext& context() const { return m_context; }
    QWidget* dialogParent() const { return m_context.dialogParent; }
    // An editor built by the register, given the record print-out (where the
    // program has one) for the "Drukuj" of its lists.
    template <class Editor> Editor* withPrintOut(Editor* editor) const
    {
        if (m_context.printRecord)
            editor->setPrinter(m_context.printRecord);
        return editor;
    }
    // The current row of the register's list.
    const Statement& row() const;
    // The copy flag, cleared by reading it.
    bool takeCopy();

    // Shows the editor until the user cancels (false) or confirms with a
    // value of `rule.column` that no row holds yet (true). The value is
    // trimmed in the editor before the test, so it is written trimmed too.
    // The input is kept between rounds. With `unchanged` set, that value is always accepted
    // (an edit that keeps its number).
    bool confirmUnique(EditorDialog& editor, const Uniqueness& rule, const QString& column,
                       const QString* unchanged = nullptr);
    // Shows the editor once; true when the user saved.
    bool confirm(EditorDialog& editor);

    // The insert and its new key (and `withKey` rows) in one write
    // transaction; a failure is reported with `code` and answers -1.
    qint64 insertWithKey(qint64 code, const QString& table, const QString& keyColumn,
                         const std::function<void()>& insert,
                         const std::function<void(qint64)>& withKey = {});
    // An update (or any statements that belong together) in one write
    // transaction; a failure is reported with `code`.
    bool write(qint64 code, const std::function<void()>& work);

    // Value lines of an insert or update: a lookup's key, or the table's
    // default when nothing is chosen; an amount with a point, 0 when unreadable.
    static QString keyLineOf(const EditorDialog& editor, const QString& column, qint64 fallback);
    static QString amountLineOf(const EditorDialog& editor, const QString& column);

    // Reloads the list and puts its cursor on the row with these key values.
    void relocate(const QVariantList& keys);
    // The preview: the editor read-only, shown, and editable again after.
    static void showReadOnly(EditorDialog& editor);
    // Reloads `list` after a delete or liquidation with its cursor kept at
    // the same position (the row itself may have left the list).
    void reloadAt(const QString& list, int position);

private:
    CommandContext& m_context;
    QString m_register;
    QString m_list;
};
