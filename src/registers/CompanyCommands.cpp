#include "registers/CompanyCommands.h"

#include "editors/TfFirma.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

namespace {
const QString kName = QStringLiteral("NAZWA");
const QString kKey = QStringLiteral("IDFIRMY");
constexpr qint64 kOwnCompany = 1;
const QString kDuplicate = QStringLiteral("Istnieje już firma o podanej nazwie.");
} // namespace

CompanyCommands::CompanyCommands(CommandContext& context)
    : RegisterCommands(context, QStringLiteral("SlFirmy"), QStringLiteral("DBFFirmy"))
{
}

CompanyCommands::~CompanyCommands()
{
    delete m_editor.data();
}

TfFirma& CompanyCommands::editor()
{
    if (!m_editor)
        m_editor = new TfFirma(dialogParent());
    return *m_editor;
}

void CompanyCommands::add()
{
    TfFirma& e = editor();
    if (takeCopy() && hasRow())
        e.fillFromRow(row());
    else
        e.prepareNew();
    if (!confirmUnique(e, {QStringLiteral("firmy"), kName, kDuplicate}, kName))
        return;
    const qint64 key = insertWithKey(2010, QStringLiteral("firmy"), kKey, [&] {
        Statement& q = db().statement(QStringLiteral("DBFInsertFirmy"));
        e.bindInsert(q);
        q.execSQL();
    });
    if (key <= 0)
        return;
    relocate({key});
}

bool CompanyCommands::update(qint64 code, qint64 key)
{
    return write(code, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateFirmy"));
        editor().bindUpdate(q, key);
        RowGone::unlessChanged(q.execSQL());
    });
}

void CompanyCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(kKey);
    const QString oldName = row().text(kName);
    TfFirma& e = editor();
    e.fillFromRow(row());
    if (!confirmUnique(e, {QStringLiteral("firmy"), kName, kDuplicate}, kName, &oldName))
        return;
    if (!update(2015, key))
        return;
    relocate({key});
}

void CompanyCommands::preview()
{
    if (!hasRow())
        return;
    editor().fillFromRow(row());
    showReadOnly(editor());
}

void CompanyCommands::editOwnCompany()
{
    TfFirma& e = editor();
    // The card is not shown with what it held before: saving that would
    // write another company's data over the own company.
    const bool read = guarded(2002, [&] {
        Statement& q = db().mySQL();
        q.clear();
        q.add(QStringLiteral("SELECT * FROM firmy WHERE IDFIRMY = ") + QString::number(kOwnCompany));
        q.open();
        if (q.isEmpty()) {
            q.close();
            throw DbError(QStringLiteral("Brak danych naszej firmy (IDFIRMY = 1)"));
        }
        e.fillFromRow(q);
        q.close();
    });
    if (!read)
        return;
    if (!confirm(e))
        return;
    update(2003, kOwnCompany);
}
