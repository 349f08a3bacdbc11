#include "registers/SettlementCommands.h"

#include "editors/TfRozliczenia.h"
#include "registers/WorkEntryWrites.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

SettlementCommands::SettlementCommands(CommandContext& context,
                                       std::function<TfBiblioteka*()> dictionaryEditor,
                                       std::function<const WorkEntryDialog*()> order)
    : RegisterCommands(context, QStringLiteral("DodatkoweRozliczenia"), QStringLiteral("DBFRozliczenia")),
      m_dictionaryEditor(std::move(dictionaryEditor)), m_order(std::move(order))
{
}

TfRozliczenia& SettlementCommands::dialog()
{
    if (!m_dialog) {
        m_dialog = new TfRozliczenia(db(), dialogParent());
        m_dialog->setDictionaryEditor(m_dictionaryEditor);
    }
    return *m_dialog;
}

void SettlementCommands::add()
{
    TfRozliczenia& e = dialog();
    e.reopenLookups();
    e.prepareNew();
    const bool copy = takeCopy();
    // The order-to-settlement flag is taken here, before the dialog shows.
    const bool fromOrder = context().orderToSettlement;
    context().orderToSettlement = false;
    if (copy && hasRow())
        e.fillFromRow(row());
    else if (fromOrder && m_order && m_order())
        e.fillFrom(*m_order());
    if (!confirm(e))
        return;
    const qint64 key =
        insertWithKey(71858, QStringLiteral("rozliczenia"), QStringLiteral("IDROZLICZENIA"), [&] {
            Statement& q = db().statement(QStringLiteral("DBFInsertRozliczenia"));
            WorkEntryWrites::bindInsert(q, e, true);
            q.execSQL();
        });
    if (key > 0)
        relocate({key});
}

void SettlementCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("IDROZLICZENIA"));
    TfRozliczenia& e = dialog();
    e.reopenLookups();
    e.prepareNew();
    e.fillFromRow(row());
    if (!confirm(e))
        return;
    write(719000, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateRozliczenia"));
        WorkEntryWrites::bindUpdate(q, e, true, key);
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({key});
}

void SettlementCommands::preview()
{
    if (!hasRow())
        return;
    TfRozliczenia& e = dialog();
    e.reopenLookups();
    e.prepareNew();
    e.fillFromRow(row());
    showReadOnly(e);
}
