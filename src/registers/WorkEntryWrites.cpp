#include "registers/WorkEntryWrites.h"

#include "editors/WorkEntryDialog.h"
#include "store/Statement.h"

namespace {
QString keyLine(const WorkEntryDialog& e, const char* column)
{
    bool ok = false;
    const qint64 key = e.key(QLatin1String(column)).toLongLong(&ok);
    return QString::number(ok ? key : 0);
}

QString dateLine(const WorkEntryDialog& e, const char* column)
{
    return QString::number(e.date(QLatin1String(column)));
}

QString employee(const WorkEntryDialog& e)
{
    const QVariant key = e.key(QStringLiteral("NREW"));
    return key.isValid() ? key.toString() : QString();
}
} // namespace

namespace WorkEntryWrites {
void bindInsert(Statement& q, const WorkEntryDialog& e, bool settlement)
{
    q.clearParams();
    q.setLine(3, keyLine(e, "SPRZET"));
    q.setLine(5, keyLine(e, "IDFIRMY"));
    q.setLine(7, dateLine(e, "DATAOD"));
    q.setLine(9, dateLine(e, "DATADO"));
    q.setLine(11, keyLine(e, "RODZAJPRAC"));
    if (settlement) {
        q.setLine(13, e.amountSql(QStringLiteral("GODZINY")));
        q.setLine(15, e.amountSql(QStringLiteral("STAWKA")));
    }
    q.setParam(0, QStringLiteral("S"));
    q.setParam(1, e.text(QStringLiteral("NRDOKUMENTU")));
    q.setParam(2, employee(e));
    q.setParam(3, e.text(QStringLiteral("OPIS")));
}

void bindUpdate(Statement& q, const WorkEntryDialog& e, bool settlement, qint64 key)
{
    q.clearParams();
    q.setParam(0, e.text(QStringLiteral("NRDOKUMENTU")));
    q.setParam(1, employee(e));
    q.setParam(2, e.text(QStringLiteral("OPIS")));
    q.setLine(5, keyLine(e, "IDFIRMY"));
    q.setLine(7, keyLine(e, "SPRZET"));
    q.setLine(9, dateLine(e, "DATAOD"));
    q.setLine(11, dateLine(e, "DATADO"));
    q.setLine(13, keyLine(e, "RODZAJPRAC"));
    int line = 15;
    if (settlement) {
        q.setLine(15, e.amountSql(QStringLiteral("GODZINY")));
        q.setLine(17, e.amountSql(QStringLiteral("STAWKA")));
        line = 19;
    }
    q.setLine(line, QString::number(key));
}
} // namespace WorkEntryWrites
