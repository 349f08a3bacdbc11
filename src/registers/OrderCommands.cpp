#include "registers/OrderCommands.h"

#include "editors/TfZlecenia.h"
#include "registers/WorkEntryWrites.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

namespace {
const QString kSettlements = QStringLiteral("DodatkoweRozliczenia");
} // namespace

OrderCommands::OrderCommands(CommandContext& context, std::function<TfBiblioteka*()> dictionaryEditor)
    : RegisterCommands(context, QStringLiteral("DodatkoweZlecenia"), QStringLiteral("DBFZlecenia")),
      m_dictionaryEditor(std::move(dictionaryEditor))
{
}

TfZlecenia& OrderCommands::dialog()
{
    if (!m_dialog) {
        m_dialog = new TfZlecenia(db(), dialogParent());
        m_dialog->setDictionaryEditor(m_dictionaryEditor);
    }
    return *m_dialog;
}

void OrderCommands::add()
{
    TfZlecenia& e = dialog();
    e.reopenLookups();
    e.prepareNew();
    if (takeCopy() && hasRow())
        e.fillFromRow(row());
    e.resetSettlementChoice();
    if (!confirm(e))
        return;
    const qint64 key = insertWithKey(271839, QStringLiteral("zlecenia"), QStringLiteral("IDZLECENIA"), [&] {
        Statement& q = db().statement(QStringLiteral("DBFInsertZlecenia"));
        WorkEntryWrites::bindInsert(q, e, false);
        q.execSQL();
    });
    if (key <= 0)
        return;
    relocate({key});
    if (e.toSettlement())
        toSettlement();
}

void OrderCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("IDZLECENIA"));
    TfZlecenia& e = dialog();
    e.reopenLookups();
    e.prepareNew();
    e.fillFromRow(row());
    e.resetSettlementChoice();
    if (!confirm(e))
        return;
    const bool saved = write(271847, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateZlecenia"));
        WorkEntryWrites::bindUpdate(q, e, false, key);
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({key});
    if (!saved)
        return;
    if (e.toSettlement())
        toSettlement();
}

void OrderCommands::toSettlement()
{
    context().orderToSettlement = true;
    if (context().enterRegister)
        context().enterRegister(kSettlements);
    if (context().run)
        context().run(kSettlements, QStringLiteral("add"));
    // Nothing took the flag (no settlement command): it must not reach a later add.
    context().orderToSettlement = false;
}

void OrderCommands::preview()
{
    if (!hasRow())
        return;
    TfZlecenia& e = dialog();
    e.reopenLookups();
    e.prepareNew();
    e.fillFromRow(row());
    e.resetSettlementChoice();
    showReadOnly(e);
}
