#include "bhp/ZakupBhpCommands.h"

#include "bhp/TfZakupBhp.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

ZakupBhpCommands::ZakupBhpCommands(CommandContext& context)
    : RegisterCommands(context, QStringLiteral("zakupBhp"), QStringLiteral("DBFZakupBhp"))
{
}

ZakupBhpCommands::~ZakupBhpCommands() = default;

TfZakupBhp& ZakupBhpCommands::editor()
{
    if (!m_editor)
        m_editor = new TfZakupBhp(db(), dialogParent());
    return *m_editor;
}

void ZakupBhpCommands::add()
{
    runAdd(nullptr);
}

void ZakupBhpCommands::addFromItem(const BhpItemData& item)
{
    context().copy = false;
    runAdd(&item);
}

void ZakupBhpCommands::runAdd(const BhpItemData* fromItem)
{
    TfZakupBhp& e = editor();
    e.setReadOnly(false);
    e.reopenLookups();
    e.prepareNew();
    if (fromItem)
        e.fillFromItem(*fromItem);
    else if (takeCopy() && hasRow())
        e.fillFromRow(row());
    if (!confirm(e))
        return;
    const qint64 key = insertWithKey(171808, QStringLiteral("ZakupBhp"), QStringLiteral("IDZAKUPBHP"), [&] {
        Statement& q = db().statement(QStringLiteral("DBFInsertZakupBhp"));
        e.bindInsert(q);
        q.execSQL();
    });
    if (key <= 0)
        return;
    relocate({key});
    continueToItems();
}

void ZakupBhpCommands::continueToItems()
{
    TfZakupBhp& e = editor();
    if (!e.addToItems() || !m_items.add)
        return;
    const BhpItemData item = e.toItem();
    if (context().enterRegister)
        context().enterRegister(m_items.registerName);
    m_items.add(item);
}

void ZakupBhpCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("IDZAKUPBHP"));
    TfZakupBhp& e = editor();
    e.setReadOnly(false);
    e.reopenLookups();
    e.fillFromRow(row());
    if (!confirm(e))
        return;
    const bool saved = write(171810, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateZakupBhp"));
        e.bindUpdate(q, key);
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({key});
    if (!saved)
        return;
    continueToItems();
}

void ZakupBhpCommands::preview()
{
    if (!hasRow())
        return;
    TfZakupBhp& e = editor();
    e.reopenLookups();
    e.fillFromRow(row());
    showReadOnly(e);
}
