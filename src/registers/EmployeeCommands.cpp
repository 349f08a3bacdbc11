#include "registers/EmployeeCommands.h"

#include "base/Config.h"
#include "editors/TfOsobowa.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

namespace {
const QString kNumber = QStringLiteral("NREW");

bool numberMayChange()
{
    return Config::global().flag(QStringLiteral("cbAllowChangeOsobowaNREW"));
}
} // namespace

EmployeeCommands::EmployeeCommands(CommandContext& context)
    : RegisterCommands(context, QStringLiteral("slOsobowa"), QStringLiteral("DBFosobowa"))
{
}

EmployeeCommands::~EmployeeCommands()
{
    delete m_editor.data();
}

TfOsobowa& EmployeeCommands::editor()
{
    if (!m_editor)
        m_editor = new TfOsobowa(db(), dialogParent());
    return *m_editor;
}

void EmployeeCommands::load()
{
    TfOsobowa& e = editor();
    e.reopenLookups();
    e.fillFromRow(row());
    e.setNumberEditable(numberMayChange());
}

void EmployeeCommands::add()
{
    TfOsobowa& e = editor();
    e.reopenLookups();
    if (takeCopy() && hasRow())
        e.fillFromRow(row());
    else
        e.prepareNew();
    e.setNumberEditable(true);
    const Uniqueness rule{QStringLiteral("osobowa"), kNumber,
                          QStringLiteral("Istnieje już osoba o podanym numerze ewidencyjnym.")};
    if (!confirmUnique(e, rule, kNumber))
        return;
    const QString number = e.text(kNumber);
    if (!write(9, [&] {
            Statement& q = db().statement(QStringLiteral("DBFInsertOsobowa"));
            e.bindInsert(q);
            q.execSQL();
        }))
        return;
    relocate({number});
}

void EmployeeCommands::edit()
{
    if (!hasRow())
        return;
    const QString oldNumber = row().text(kNumber);
    load();
    TfOsobowa& e = editor();
    // A changed number must not take the number of another employee; the
    // rows that refer to the old number keep it.
    const Uniqueness rule{QStringLiteral("osobowa"), kNumber,
                          QStringLiteral("Istnieje już osoba o podanym numerze ewidencyjnym.")};
    if (!confirmUnique(e, rule, kNumber, &oldNumber))
        return;
    const QString number = e.text(kNumber);
    const bool saved = write(15, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateOsobowa"));
        e.bindUpdate(q, oldNumber);
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({saved ? number : oldNumber});
}

void EmployeeCommands::preview()
{
    if (!hasRow())
        return;
    load();
    showReadOnly(editor());
}
