#include "registers/RecordCommands.h"

#include "editors/TfKomputery.h"
#include "registers/AdditionalCommands.h"
#include "shell/Dialogs.h"
#include "shell/ErrorLog.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"

namespace
{
const QString kKomputery = QStringLiteral("komputery");
const QString kList = QStringLiteral("DBFKomputery");
const QString kDuplicate = QStringLiteral("Istnieje już komputer o podanym numerze ewidencyjnym.");

// The key of a lookup as a value line; the table's default when nothing is chosen.
QString lookupLine(const TfKomputery& e, const char* column, qint64 fallback)
{
    const QVariant key = e.key(QLatin1String(column));
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    return QString::number(key.isValid() && ok ? value : fallback);
}
} // namespace

RecordCommands::RecordCommands(TmyDataBase& db, TfKomputery& computers, QObject* parent)
    : QObject(parent), m_db(db), m_computers(computers),
      m_additional(new AdditionalCommands(db, computers.parentWidget(), this))
{
    m_additional->setOwnerPreview([this](const QString& registerName) { return preview(registerName); });
    connect(m_additional, &AdditionalCommands::listReloaded, this, &RecordCommands::listReloaded);
}

bool RecordCommands::hasEditor(const QString& registerName)
{
    return registerName == kKomputery;
}

bool RecordCommands::add(const QString& registerName)
{
    if (registerName == kKomputery)
        return addComputer();
    m_copy = false;
    return false;
}

bool RecordCommands::copy(const QString& registerName)
{
    if (!hasEditor(registerName) || !listHasRow(kList))
        return false;
    m_copy = true;
    return add(registerName);
}

bool RecordCommands::edit(const QString& registerName)
{
    if (AdditionalCommands::handles(registerName))
        return m_additional->edit(registerName);
    return registerName == kKomputery && editComputer();
}

bool RecordCommands::preview(const QString& registerName)
{
    if (AdditionalCommands::handles(registerName))
        return m_additional->preview(registerName);
    return registerName == kKomputery && previewComputer();
}

bool RecordCommands::listHasRow(const QString& list)
{
    const Statement& q = m_db.statement(list);
    return q.isOpen() && !q.isEmpty() && !q.eof();
}

void RecordCommands::relocate(const QString& list, qint64 key)
{
    m_db.reloadList(list);
    m_db.locate(list, {key});
    emit listReloaded(list);
}

QString RecordCommands::amountLine(const QString& column) const
{
    // The editor's check has left a plain decimal text; anything else is written as 0.
    double value = 0;
    if (!AmountFields::parse(m_computers.text(column), &value))
        return QStringLiteral("0");
    return m_computers.amountSql(column);
}

void RecordCommands::loadComputer(qint64 key, const Statement& row)
{
    m_computers.reopenLookups();
    m_computers.prepare(QStringLiteral("K"), key);
    m_computers.fillFromRow(row);
}

bool RecordCommands::addComputer()
{
    TfKomputery& e = m_computers;
    e.setPreview(false);
    e.reopenLookups();
    e.prepareNew();
    if (m_copy && listHasRow(kList)) {
        e.fillFromRow(m_db.statement(kList));
        // The copy is a new, current computer.
        e.setDate(QStringLiteral("DATAARCH"), 0);
        e.setText(QStringLiteral("PRZYCZYNA"), QString());
    }
    m_copy = false;
    for (;;) {
        e.exec();
        if (!e.saved())
            return true;
        if (m_db.exists(QStringLiteral("komputery"), QStringLiteral("NREWID"), e.text(QStringLiteral("NREWID")))) {
            if (!m_db.lastCheckFailed()) // a failed check has shown its database error
                Dialogs::info(QStringLiteral("Uwaga"), kDuplicate);
            continue;
        }
        break;
    }
    if (!insertComputer())
        return true;
    const qint64 key = m_db.maxKey(QStringLiteral("KOMPUTERY"), QStringLiteral("IDKOMPUTERA"));
    if (key <= 0)
        return true;
    const bool rows = m_db.createPropertyRows(QStringLiteral("K"), key);
    if (!rows)
        ErrorLog::report(QStringLiteral("Nie udało się założyć rekodów w zbiorze wlasciowsci.db"), true, 4004);
    relocate(kList, key);
    if (!rows || !listHasRow(kList))
        return true;
    // The user goes on in the full editor, on the properties.
    e.setOpenOnProperties(true);
    editComputer();
    e.setOpenOnProperties(false);
    return true;
}

// The typed texts of a computer, :PARAM0 ... :PARAM7 of its insert and update.
static void bindComputerTexts(Statement& q, const TfKomputery& e)
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

bool RecordCommands::insertComputer()
{
    const TfKomputery& e = m_computers;
    return guarded(4, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFInsertKomputery"));
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
        bindComputerTexts(q, e);
        q.execSQL();
    });
}

bool RecordCommands::updateComputer(qint64 key)
{
    const TfKomputery& e = m_computers;
    return guarded(10, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFUpdateKomputery"));
        q.clearParams();
        bindComputerTexts(q, e);
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
    });
}

void RecordCommands::saveProperties(qint64 key)
{
    guarded(10, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFUpdateWlasciwosci"));
        for (int lp = 1; lp <= 14; ++lp) {
            q.clearParams();
            q.setParam(0, m_computers.propertyValue(lp));
            q.setParam(1, QStringLiteral("K"));
            q.setLine(2, QString::number(lp));
            q.setLine(4, QString::number(key));
            q.execSQL();
        }
    });
}

bool RecordCommands::editComputer()
{
    if (!listHasRow(kList))
        return true;
    const Statement& row = m_db.statement(kList);
    const qint64 key = row.integer(QStringLiteral("IDKOMPUTERA"));
    const QString oldNumber = row.text(QStringLiteral("NREWID"));
    TfKomputery& e = m_computers;
    e.setPreview(false);
    loadComputer(key, row);
    for (;;) {
        e.exec();
        if (!e.saved())
            return true;
        const QString number = e.text(QStringLiteral("NREWID"));
        if (number != oldNumber && m_db.exists(QStringLiteral("komputery"), QStringLiteral("NREWID"), number)) {
            if (!m_db.lastCheckFailed())
                Dialogs::info(QStringLiteral("Uwaga"), kDuplicate);
            continue;
        }
        break;
    }
    if (!updateComputer(key))
        return true;
    relocate(kList, key);
    saveProperties(key);
    return true;
}

bool RecordCommands::previewComputer()
{
    if (!listHasRow(kList))
        return true;
    const Statement& row = m_db.statement(kList);
    const qint64 key = row.integer(QStringLiteral("IDKOMPUTERA"));
    const bool liquidated =
        m_db.listState().condition(kList, ListState::Role::Archive) == ListState::archiveCondition(true);
    TfKomputery& e = m_computers;
    loadComputer(key, row);
    e.setPreview(true, liquidated);
    e.exec();
    e.setPreview(false);
    return true;
}
