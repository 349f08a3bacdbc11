#include "registers/LicenceCommands.h"

#include "editors/TfLicencje.h"
#include "store/RowGone.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

namespace {
const QString kKey = QStringLiteral("IDLICENCJI");
const QString kNumber = QStringLiteral("NREWID");

const QString kTable = QStringLiteral("Licencje");
const QString kDuplicate = QStringLiteral("Istnieje już licencja o podanym numerze ewidencyjnym.");
} // namespace

LicenceCommands::LicenceCommands(CommandContext& context)
    : RegisterCommands(context, QStringLiteral("licencje"), QStringLiteral("DBFLicencje"))
{
}

LicenceCommands::~LicenceCommands() = default;

TfLicencje& LicenceCommands::editor()
{
    if (!m_editor)
        m_editor = withPrintOut(new TfLicencje(db(), dialogParent()));
    return *m_editor;
}

void LicenceCommands::load(qint64 key)
{
    TfLicencje& e = editor();
    e.reopenLookups();
    e.prepare(key);
    e.fillFromRow(row());
}

// :PARAM0 ... :PARAM6 of the insert and the update.
void LicenceCommands::bind(Statement& q) const
{
    const TfLicencje& e = *m_editor;
    q.clearParams();
    q.setParam(0, e.text(kNumber));
    q.setParam(1, e.text(QStringLiteral("NRLICENCJI")));
    q.setParam(2, e.text(QStringLiteral("KLUCZ")));
    q.setParam(3, e.text(QStringLiteral("HASLO")));
    q.setParam(4, e.text(QStringLiteral("NRFAKTURY")));
    q.setParam(5, e.text(QStringLiteral("NRKPIR")));
    q.setParam(6, e.text(QStringLiteral("INNE")));
}

void LicenceCommands::add()
{
    TfLicencje& e = editor();
    e.setPreview(false);
    e.reopenLookups();
    e.prepareNew();
    if (takeCopy() && hasRow()) {
        e.fillFromRow(row());
        // The copy is a new, current licence.
        e.setDate(QStringLiteral("DATAARCH"), 0);
        e.setText(QStringLiteral("PRZYCZYNA"), QString());
    }
    if (!confirmUnique(e, {kTable, kNumber, kDuplicate}, kNumber))
        return;
    const qint64 key = insertWithKey(104, QStringLiteral("licencje"), kKey, [&] {
        Statement& q = db().statement(QStringLiteral("DBFInsertLicencje"));
        bind(q);
        q.setLine(5, keyLineOf(e, QStringLiteral("TYPLICENCJI"), 0));
        q.setLine(7, QString::number(e.date(QStringLiteral("DATAZAKUPU"))));
        q.setLine(9, keyLineOf(e, QStringLiteral("IDFIRMY"), -1));
        q.setLine(11, amountLineOf(e, QStringLiteral("NETTO")));
        q.setLine(13, amountLineOf(e, QStringLiteral("VAT")));
        q.setLine(15, amountLineOf(e, QStringLiteral("BRUTTO")));
        q.execSQL();
    });
    if (key <= 0)
        return;
    relocate({key});
    if (!hasRow())
        return;
    // The user goes on in the full editor, on the programs the licence covers.
    e.setOpenOnLinks(true);
    edit();
    e.setOpenOnLinks(false);
}

void LicenceCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(kKey);
    const QString oldNumber = row().text(kNumber);
    TfLicencje& e = editor();
    e.setPreview(false);
    load(key);
    if (!confirmUnique(e, {kTable, kNumber, kDuplicate}, kNumber, &oldNumber))
        return;
    write(710, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateLicencje"));
        bind(q);
        q.setLine(9, keyLineOf(e, QStringLiteral("TYPLICENCJI"), 0));
        q.setLine(11, QString::number(e.date(QStringLiteral("DATAZAKUPU"))));
        q.setLine(13, keyLineOf(e, QStringLiteral("IDFIRMY"), -1));
        q.setLine(15, amountLineOf(e, QStringLiteral("NETTO")));
        q.setLine(17, amountLineOf(e, QStringLiteral("VAT")));
        q.setLine(19, amountLineOf(e, QStringLiteral("BRUTTO")));
        q.setLine(21, QString::number(key));
        RowGone::unlessChanged(q.execSQL());
    });
    relocate({key});
}

void LicenceCommands::preview()
{
    if (!hasRow())
        return;
    load(row().integer(kKey));
    TfLicencje& e = editor();
    e.setPreview(true, showsLiquidated());
    e.exec();
    e.setPreview(false);
}
