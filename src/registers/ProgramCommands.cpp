#include "registers/ProgramCommands.h"

#include "editors/TfProgramy.h"
#include "store/RowGone.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

namespace {
const QString kKey = QStringLiteral("IDPROGRAMU");
const QString kNumber = QStringLiteral("NREWID");

const QString kTable = QStringLiteral("programy");
const QString kDuplicate = QStringLiteral("Istnieje już program o podanym numerze ewidencyjnym.");
} // namespace

ProgramCommands::ProgramCommands(CommandContext& context)
    : RegisterCommands(context, QStringLiteral("programy"), QStringLiteral("DBFProgramy"))
{
}

ProgramCommands::~ProgramCommands() = default;

TfProgramy& ProgramCommands::editor()
{
    if (!m_editor)
        m_editor = withPrintOut(new TfProgramy(db(), dialogParent()));
    return *m_editor;
}

void ProgramCommands::load(qint64 key)
{
    TfProgramy& e = editor();
    e.reopenLookups();
    e.prepare(key);
    e.fillFromRow(row());
}

// :PARAM0 ... :PARAM5 of the insert and the update.
void ProgramCommands::bind(Statement& q) const
{
    const TfProgramy& e = *m_editor;
    q.clearParams();
    q.setParam(0, e.text(QStringLiteral("NAZWA")));
    q.setParam(1, e.text(QStringLiteral("PRODUCENT")));
    q.setParam(2, e.text(QStringLiteral("WERSJA")));
    q.setParam(3, e.text(kNumber));
    q.setParam(4, e.text(QStringLiteral("NRSERYJNY")));
    q.setParam(5, e.text(QStringLiteral("INNE")));
}

void ProgramCommands::add()
{
    TfProgramy& e = editor();
    e.setPreview(false);
    e.reopenLookups();
    e.prepareNew();
    if (takeCopy() && hasRow())
        e.fillFromRow(row());
    if (!confirmUnique(e, {kTable, kNumber, kDuplicate}, kNumber))
        return;
    const qint64 key = insertWithKey(8004, QStringLiteral("programy"), kKey, [&] {
        Statement& q = db().statement(QStringLiteral("DBFInsertProgramy"));
        bind(q);
        q.setLine(3, keyLineOf(e, QStringLiteral("IDFIRMY"), -1));
        q.setLine(5, keyLineOf(e, QStringLiteral("KLASYFIKATOR"), 0));
        q.execSQL();
    });
    if (key <= 0)
        return;
    relocate({key});
    if (!hasRow())
        return;
    // The user goes on in the full editor, on the licences of the program.
    e.setOpenOnLinks(true);
    edit();
    e.setOpenOnLinks(false);
}

void ProgramCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(kKey);
    const QString oldNumber = row().text(kNumber);
    TfProgramy& e = editor();
    e.setPreview(false);
    load(key);
    if (!confirmUnique(e, {kTable, kNumber, kDuplicate}, kNumber, &oldNumber))
        return;
    write(8010, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateProgramy"));
        bind(q);
        q.setLine(8, keyLineOf(e, QStringLiteral("IDFIRMY"), -1));
        q.setLine(10, keyLineOf(e, QStringLiteral("KLASYFIKATOR"), 0));
        q.setLine(12, QString::number(key));
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({key});
}

void ProgramCommands::preview()
{
    if (!hasRow())
        return;
    load(row().integer(kKey));
    TfProgramy& e = editor();
    e.setPreview(true);
    e.exec();
    e.setPreview(false);
}
