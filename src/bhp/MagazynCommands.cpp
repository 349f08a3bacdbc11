#include "bhp/MagazynCommands.h"

#include "bhp/TfMagazyn.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

MagazynCommands::MagazynCommands(CommandContext& context)
    : RegisterCommands(context, QStringLiteral("dodatkoweMagazyn"), QStringLiteral("DBFMagazyn"))
{
}

MagazynCommands::~MagazynCommands() = default;

TfMagazyn& MagazynCommands::editor()
{
    if (!m_editor)
        m_editor = new TfMagazyn(dialogParent());
    return *m_editor;
}

void MagazynCommands::add()
{
    TfMagazyn& e = editor();
    e.prepareNew();
    if (takeCopy() && hasRow())
        e.fillFromRow(row());
    if (!confirm(e))
        return;
    const qint64 key = insertWithKey(192200, QStringLiteral("magazyn"), QStringLiteral("ID"), [&] {
        Statement& q = db().statement(QStringLiteral("DBFInsertMagazyn"));
        e.bindInsert(q);
        q.execSQL();
    });
    if (key > 0)
        relocate({key});
}

void MagazynCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("ID"));
    TfMagazyn& e = editor();
    e.fillFromRow(row());
    if (!confirm(e))
        return;
    write(192201, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateMagazyn"));
        e.bindUpdate(q, key);
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({key});
}

void MagazynCommands::preview()
{
    if (!hasRow())
        return;
    TfMagazyn& e = editor();
    e.fillFromRow(row());
    showReadOnly(e);
}
