#include "registers/RegisterCommands.h"

#include "base/Dialogs.h"
#include "editors/EditorDialog.h"
#include "editors/TfLikwidacja.h"
#include "registers/DeleteCascade.h"
#include "store/Guarded.h"
#include "store/ListState.h"
#include "store/NewKey.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/ConfirmDelete.h"

#include <algorithm>

RegisterCommands::RegisterCommands(CommandContext& context, const QString& registerName, const QString& list)
    : m_context(context), m_register(registerName), m_list(list)
{
}

bool RegisterCommands::hasRow() const
{
    const Statement& q = m_context.db.statement(m_list);
    return q.isOpen() && !q.isEmpty() && !q.eof();
}

const Statement& RegisterCommands::row() const
{
    return m_context.db.statement(m_list);
}

bool RegisterCommands::takeCopy()
{
    const bool copy = m_context.copy;
    m_context.copy = false;
    return copy;
}

bool RegisterCommands::showsLiquidated() const
{
    return m_context.db.listState().condition(m_list, ListState::Role::Archive) ==
           ListState::archiveCondition(true);
}

bool RegisterCommands::confirm(EditorDialog& editor)
{
    editor.exec();
    return editor.saved();
}

bool RegisterCommands::confirmUnique(EditorDialog& editor, const Uniqueness& rule, const QString& column,
                                     const QString* unchanged)
{
    for (;;) {
        if (!confirm(editor))
            return false;
        // A number is tested and written without the blanks around it, so
        // "KOMP/001 " cannot stand beside "KOMP/001".
        const QString value = editor.text(column).trimmed();
        editor.setText(column, value);
        if (unchanged && value == *unchanged)
            return true;
        if (!m_context.db.exists(rule.table, rule.column, value))
            return true;
        if (!m_context.db.lastCheckFailed()) // a failed check has shown its database error
            Dialogs::info(QStringLiteral("Uwaga"), rule.message);
    }
}

qint64 RegisterCommands::insertWithKey(qint64 code, const QString& table, const QString& keyColumn,
                                       const std::function<void()>& insert,
                                       const std::function<void(qint64)>& withKey)
{
    qint64 key = -1;
    if (!guarded(code, [&] {
            key = insertReturningKey(m_context.db.DatabaseMain(), table, keyColumn, insert, withKey);
        }))
        return -1;
    return key;
}

bool RegisterCommands::write(qint64 code, const std::function<void()>& work)
{
    return guardedWrite(m_context.db.DatabaseMain(), code, work);
}

void RegisterCommands::relocate(const QVariantList& keys)
{
    const int position = m_context.db.statement(m_list).recNo();
    m_context.db.reloadList(m_list);
    // A row another workstation deleted is not found: the cursor stays in its place.
    if (!m_context.db.locate(m_list, keys)) {
        Statement& q = m_context.db.statement(m_list);
        if (q.isOpen())
            q.setRecNo(std::min(position, q.shownCount() - 1));
    }
    emit listReloaded(m_list);
}

void RegisterCommands::showReadOnly(EditorDialog& editor)
{
    editor.setReadOnly(true);
    editor.exec();
    editor.setReadOnly(false);
}

QString RegisterCommands::keyLineOf(const EditorDialog& editor, const QString& column, qint64 fallback)
{
    const QVariant key = editor.key(column);
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    return QString::number(key.isValid() && ok ? value : fallback);
}

QString RegisterCommands::amountLineOf(const EditorDialog& editor, const QString& column)
{
    double value = 0;
    if (!AmountFields::parse(editor.text(column), &value))
        return QStringLiteral("0");
    return editor.amountSql(column);
}

bool RegisterCommands::canRemove() const
{
    return DeleteCascade::find(m_register) != nullptr;
}

bool RegisterCommands::canLiquidate() const
{
    return DeleteCascade::liquidationOf(m_register) != nullptr;
}

void RegisterCommands::reloadAt(const QString& list, int position)
{
    m_context.db.reloadList(list);
    Statement& q = m_context.db.statement(list);
    if (q.isOpen())
        q.setRecNo(std::min(position, q.shownCount() - 1));
    emit listReloaded(list);
}

void RegisterCommands::remove()
{
    const DeleteCascade::Rule* rule = DeleteCascade::find(m_register);
    if (!rule)
        return;
    const QString list = QLatin1String(rule->list);
    const Statement& q = m_context.db.statement(list);
    if (!q.isOpen() || q.isEmpty() || q.eof())
        return;
    if (!ConfirmDelete::ask())
        return;
    const QString keyField = QLatin1String(rule->key);
    const QVariant key = rule->textKey ? QVariant(q.text(keyField)) : QVariant(q.integer(keyField));
    const QString ownFile = rule->ownFile ? q.text(QStringLiteral("NAZWAPLIKU")) : QString();
    const int position = q.recNo();
    if (DeleteCascade::run(m_context.db, *rule, key, ownFile))
        reloadAt(list, position);
}

void RegisterCommands::liquidate()
{
    const DeleteCascade::Liquidation* rule = DeleteCascade::liquidationOf(m_register);
    if (!rule)
        return;
    const QString list = QLatin1String(rule->list);
    const Statement& q = m_context.db.statement(list);
    if (!q.isOpen() || q.isEmpty() || q.eof())
        return;
    const qint64 key = q.integer(QLatin1String(rule->key));
    const int position = q.recNo();
    TfLikwidacja dialog(dialogParent());
    dialog.prepare(q.integer(QStringLiteral("DATAARCH")), q.text(QStringLiteral("PRZYCZYNA")),
                   q.text(QStringLiteral("ARCHIWUM")) == QLatin1String("T"));
    dialog.exec();
    if (!dialog.saved())
        return;
    // Also after a failure: a record deleted elsewhere leaves the list.
    DeleteCascade::liquidate(m_context.db, *rule, key, dialog.reason(), dialog.liquidationDate());
    reloadAt(list, position);
}
