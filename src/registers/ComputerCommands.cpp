#include "registers/ComputerCommands.h"

#include "editors/TfKomputery.h"
#include "shell/ErrorLog.h"
#include "store/Guarded.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"

namespace {
const QString kDuplicate = QStringLiteral("Istnieje już komputer o podanym numerze ewidencyjnym.");

// The key of a lookup as a value line; the table's default when nothing is chosen.
QString lookupLine(const TfKomputery& e, const char* column, qint64 fallback)
{
    const QVariant key = e.key(QLatin1String(column));
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    return QString::number(key.isValid() && ok ? value : fallback);
}

// The typed texts of a computer, :PARAM0 ... :PARAM7 of its insert and update.
void bindTexts(Statement& q, const TfKomputery& e)
{
    q.setParam(0, e.key(QStringLiteral("NREW")).toString());
    q.setParam(1, e.text(QStringLiteral("NAZWA")));
    q.setParam(2, e.text(QStringLiteral("PRODUCENT")));
    q.setParam(3, e.text(QStringLiteral("NREWID")));
    q.setParam(4, e.text(QStringLiteral("NRSERYJNY")));
    q.setParam(5, e.text(QStringLiteral("NRFAKTURY")));
    q.setParam(6, e.text(QStringLiteral("INNE")));
    q.setParam(7, e.text(QStringLiteral("NRKPIR")));
}
} // namespace

ComputerCommands::ComputerCommands(CommandContext& context, TfKomputery& editor)
    : RegisterCommands(context, QStringLiteral("komputery"), QStringLiteral("DBFKomputery")), m_editor(editor)
{
}

QString ComputerCommands::amountLine(const QString& column) const
{
    // The editor's check has left a plain decimal text; anything else is written as 0.
    double value = 0;
    if (!AmountFields::parse(m_editor.text(column), &value))
        return QStringLiteral("0");
    return m_editor.amountSql(column);
}

void ComputerCommands::load(qint64 key)
{
    m_editor.reopenLookups();
    m_editor.prepare(QStringLiteral("K"), key);
    m_editor.fillFromRow(row());
}

void ComputerCommands::add()
{
    TfKomputery& e = m_editor;
    e.setPreview(false);
    e.reopenLookups();
    e.prepareNew();
    if (takeCopy() && hasRow()) {
        e.fillFromRow(row());
        // The copy is a new, current computer.
        e.setDate(QStringLiteral("DATAARCH"), 0);
        e.setText(QStringLiteral("PRZYCZYNA"), QString());
    }
    if (!confirmUnique(e, {QStringLiteral("komputery"), QStringLiteral("NREWID"), kDuplicate},
                       QStringLiteral("NREWID")))
        return;
    // The computer and its 14 property rows are written together or not at all.
    const qint64 key = insertWithKey(
        4, QStringLiteral("KOMPUTERY"), QStringLiteral("IDKOMPUTERA"), [&] { insert(); },
        [&](qint64 id) {
            if (!db().createPropertyRows(QStringLiteral("K"), id)) {
                ErrorLog::report(QStringLiteral("Nie udało się założyć rekodów w zbiorze wlasciowsci.db"),
                                 true, 4004);
                throw AlreadyReported();
            }
        });
    if (key <= 0)
        return;
    relocate({key});
    if (!hasRow())
        return;
    // The user goes on in the full editor, on the properties.
    e.setOpenOnProperties(true);
    edit();
    e.setOpenOnProperties(false);
}

void ComputerCommands::insert()
{
    const TfKomputery& e = m_editor;
    Statement& q = db().statement(QStringLiteral("DBFInsertKomputery"));
    q.clearParams();
    q.setLine(5, lookupLine(e, "IDFIRMY", -1));
    q.setLine(7, lookupLine(e, "STANTECH", 0));
    q.setLine(9, QString::number(e.date(QStringLiteral("DATAPROD"))));
    q.setLine(11, QString::number(e.date(QStringLiteral("DATAZAKUPU"))));
    q.setLine(13, amountLine(QStringLiteral("NETTO")));
    q.setLine(15, amountLine(QStringLiteral("VAT")));
    q.setLine(17, amountLine(QStringLiteral("BRUTTO")));
    q.setLine(19, lookupLine(e, "KLASYFIKATOR", 0));
    q.setLine(21, lookupLine(e, "LOKALIZACJA", 0));
    bindTexts(q, e);
    q.execSQL();
}

void ComputerCommands::update(qint64 key)
{
    const TfKomputery& e = m_editor;
    Statement& q = db().statement(QStringLiteral("DBFUpdateKomputery"));
    q.clearParams();
    bindTexts(q, e);
    q.setLine(9, lookupLine(e, "IDFIRMY", -1));
    q.setLine(11, lookupLine(e, "STANTECH", 0));
    q.setLine(13, QString::number(e.date(QStringLiteral("DATAPROD"))));
    q.setLine(15, QString::number(e.date(QStringLiteral("DATAZAKUPU"))));
    q.setLine(17, amountLine(QStringLiteral("NETTO")));
    q.setLine(19, amountLine(QStringLiteral("VAT")));
    q.setLine(21, amountLine(QStringLiteral("BRUTTO")));
    q.setLine(23, lookupLine(e, "KLASYFIKATOR", 0));
    q.setLine(25, lookupLine(e, "LOKALIZACJA", 0));
    q.setLine(27, QString::number(key));
    q.execSQL();
}

void ComputerCommands::saveProperties(qint64 key)
{
    write(10, [&] {
        Statement& q = db().statement(QStringLiteral("DBFUpdateWlasciwosci"));
        for (int lp = 1; lp <= 14; ++lp) {
            q.clearParams();
            q.setParam(0, m_editor.propertyValue(lp));
            q.setParam(1, QStringLiteral("K"));
            q.setLine(2, QString::number(lp));
            q.setLine(4, QString::number(key));
            q.execSQL();
        }
    });
}

void ComputerCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("IDKOMPUTERA"));
    const QString oldNumber = row().text(QStringLiteral("NREWID"));
    m_editor.setPreview(false);
    load(key);
    if (!confirmUnique(m_editor, {QStringLiteral("komputery"), QStringLiteral("NREWID"), kDuplicate},
                       QStringLiteral("NREWID"), &oldNumber))
        return;
    if (!write(10, [&] { update(key); }))
        return;
    relocate({key});
    saveProperties(key);
}

void ComputerCommands::preview()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(QStringLiteral("IDKOMPUTERA"));
    load(key);
    m_editor.setPreview(true, showsLiquidated());
    m_editor.exec();
    m_editor.setPreview(false);
}
