#include "registers/AssetCommands.h"

#include "base/ErrorLog.h"
#include "editors/AssetEditor.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"

#include <QStringList>

AssetCommands::AssetCommands(CommandContext& context, const QString& registerName, const QString& list,
                             Rules rules)
    : RegisterCommands(context, registerName, list), m_rules(std::move(rules))
{
}

QString AssetCommands::lookupLine(const char* column, qint64 fallback)
{
    const QVariant key = editor().key(QLatin1String(column));
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    return QString::number(key.isValid() && ok ? value : fallback);
}

QString AssetCommands::amountLine(const QString& column)
{
    // The editor's check has left a plain decimal text; anything else is written as 0.
    double value = 0;
    if (!AmountFields::parse(editor().text(column), &value))
        return QStringLiteral("0");
    return editor().amountSql(column);
}

QString AssetCommands::dateLine(const char* column)
{
    return QString::number(editor().date(QLatin1String(column)));
}

int AssetCommands::setAssetLines(Statement& q, int first)
{
    const QStringList values = {lookupLine("IDFIRMY", -1),
                                lookupLine("STANTECH", 0),
                                dateLine("DATAPROD"),
                                dateLine("DATAZAKUPU"),
                                amountLine(QStringLiteral("NETTO")),
                                amountLine(QStringLiteral("VAT")),
                                amountLine(QStringLiteral("BRUTTO")),
                                lookupLine("KLASYFIKATOR", 0)};
    int line = first;
    for (const QString& v : values) {
        q.setLine(line, v);
        line += 2;
    }
    return line;
}

void AssetCommands::bindTexts(Statement& q)
{
    const AssetEditor& e = editor();
    q.setParam(0, e.key(QStringLiteral("NREW")).toString());
    q.setParam(1, e.text(QStringLiteral("NAZWA")));
    q.setParam(2, e.text(QStringLiteral("PRODUCENT")));
    q.setParam(3, e.text(QStringLiteral("NREWID")));
    q.setParam(4, e.text(QStringLiteral("NRSERYJNY")));
    q.setParam(5, e.text(QStringLiteral("NRFAKTURY")));
    q.setParam(6, e.text(QStringLiteral("INNE")));
    q.setParam(7, e.text(QStringLiteral("NRKPIR")));
}

void AssetCommands::load(const Statement& r)
{
    AssetEditor& e = editor();
    e.reopenLookups();
    e.prepare(m_rules.kind, r.integer(m_rules.keyColumn));
    e.fillFromRow(r);
}

void AssetCommands::add()
{
    AssetEditor& e = editor();
    e.setPreview(false);
    e.reopenLookups();
    e.prepareNew();
    if (takeCopy() && hasRow()) {
        e.fillFromRow(row());
        // The copy is a new, current asset.
        e.setDate(QStringLiteral("DATAARCH"), 0);
        e.setText(QStringLiteral("PRZYCZYNA"), QString());
    }
    if (!confirmUnique(e, {m_rules.table, QStringLiteral("NREWID"), m_rules.addDuplicate},
                       QStringLiteral("NREWID")))
        return;
    // The asset and its 14 property rows are written together or not at all.
    const qint64 key = insertWithKey(
        m_rules.insertCode, m_rules.table, m_rules.keyColumn, [&] { insert(); },
        [&](qint64 id) {
            if (!db().createPropertyRows(m_rules.kind, id)) {
                ErrorLog::report(QStringLiteral("Nie udało się założyć rekodów w zbiorze wlasciowsci.db"),
                                 true, m_rules.propertyCode);
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

void AssetCommands::saveProperties(qint64 key)
{
    Statement& q = db().statement(QStringLiteral("DBFUpdateWlasciwosci"));
    for (int lp = 1; lp <= 14; ++lp) {
        q.clearParams();
        q.setParam(0, editor().propertyValue(lp));
        q.setParam(1, m_rules.kind);
        q.setLine(2, QString::number(lp));
        q.setLine(4, QString::number(key));
        q.execSQL();
    }
}

void AssetCommands::edit()
{
    if (!hasRow())
        return;
    const qint64 key = row().integer(m_rules.keyColumn);
    const QString oldNumber = row().text(QStringLiteral("NREWID"));
    AssetEditor& e = editor();
    e.setPreview(false);
    load(row());
    if (!confirmUnique(e, {m_rules.table, QStringLiteral("NREWID"), m_rules.editDuplicate},
                       QStringLiteral("NREWID"), &oldNumber))
        return;
    // The asset and its property values together; an asset another
    // workstation deleted meanwhile gets neither, and the list then shows it gone.
    write(m_rules.updateCode, [&] {
        RowGone::unlessChanged(update(key));
        saveProperties(key);
    });
    relocate({key});
}

void AssetCommands::preview()
{
    if (!hasRow())
        return;
    showPreview(row(), showsLiquidated());
}

void AssetCommands::showPreview(const Statement& r, bool liquidated)
{
    AssetEditor& e = editor();
    load(r);
    e.setPreview(true, liquidated);
    e.exec();
    e.setPreview(false);
}
