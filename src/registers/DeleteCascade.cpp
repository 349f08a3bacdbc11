#include "registers/DeleteCascade.h"

#include "base/Config.h"
#include "base/ErrorLog.h"
#include "editors/AttachmentFiles.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"

namespace DeleteCascade {

namespace {
Step sql(const char* text)
{
    return Step{text, nullptr};
}
Step files(const char* kind)
{
    return Step{nullptr, kind};
}

std::vector<Rule> build()
{
    return {
        {"komputery",
         "DBFKomputery",
         "IDKOMPUTERA",
         "DELETE FROM komputery WHERE IDKOMPUTERA= ",
         false,
         {sql("DELETE FROM r_kompprac WHERE IDKOMPUTERA="),
          sql("DELETE FROM terminy WHERE CZEGODOTYCZY='K' AND IDOBIEKTU="),
          sql("DELETE FROM naprawy WHERE KOMPSPRZ='K' AND IDOBIEKTU="),
          sql("DELETE FROM dokumenty WHERE CZEGODOTYCZY='K' AND IDOBIEKTU="),
          sql("DELETE FROM historia WHERE KOMPSPRZ='K' AND IDOBIEKTU="),
          sql("DELETE FROM wlasciwosci WHERE KOMPSPRZET='K' AND IDOBIEKTU="),
          sql("DELETE FROM r_lickomp WHERE IDKOMPUTERA="), files("K"),
          sql("DELETE FROM zalaczniki WHERE CZEGODOTYCZY='K' AND IDOBIEKTU=")},
         16},
        {"sprzet",
         "DBFSprzet",
         "IDSPRZETU",
         "DELETE FROM sprzet WHERE IDSPRZETU= ",
         false,
         {sql("DELETE FROM r_sprzprac WHERE IDSPRZETU="),
          sql("DELETE FROM terminy WHERE CZEGODOTYCZY='S' AND IDOBIEKTU="),
          sql("DELETE FROM naprawy WHERE KOMPSPRZ='S' AND IDOBIEKTU="),
          sql("DELETE FROM dokumenty WHERE CZEGODOTYCZY='S' AND IDOBIEKTU="),
          sql("DELETE FROM historia WHERE KOMPSPRZ='S' AND IDOBIEKTU="),
          sql("DELETE FROM zlecenia WHERE CZEGODOTYCZY='S' AND IDOBIEKTU="),
          sql("DELETE FROM rozliczenia WHERE CZEGODOTYCZY='S' AND IDOBIEKTU="),
          sql("DELETE FROM wlasciwosci WHERE KOMPSPRZET='S' AND IDOBIEKTU="), files("S"),
          sql("DELETE FROM zalaczniki WHERE CZEGODOTYCZY='S' AND IDOBIEKTU=")},
         4016},
        {"licencje",
         "DBFLicencje",
         "IDLICENCJI",
         "DELETE FROM licencje WHERE IDLICENCJI= ",
         false,
         {sql("DELETE FROM terminy WHERE CZEGODOTYCZY='L' AND IDOBIEKTU="),
          sql("DELETE FROM r_licprog WHERE IDLICENCJI="), sql("DELETE FROM r_lickomp WHERE IDLICENCJI="),
          files("L"), sql("DELETE FROM zalaczniki WHERE CZEGODOTYCZY='L' AND IDOBIEKTU=")},
         116},
        {"programy",
         "DBFProgramy",
         "IDPROGRAMU",
         "DELETE FROM programy WHERE IDPROGRAMU= ",
         false,
         {sql("DELETE FROM r_licprog WHERE IDPROGRAMU="), sql("DELETE FROM r_lickomp WHERE IDPROGRAMU="),
          files("P"), sql("DELETE FROM zalaczniki WHERE CZEGODOTYCZY='P' AND IDOBIEKTU=")},
         8016},
        {"odziezSrodki",
         "DBFBhp",
         "IDBHP",
         "DELETE FROM bhp WHERE IDBHP= ",
         false,
         {sql("DELETE FROM r_bhpprac WHERE IDBHP="),
          sql("DELETE FROM terminy WHERE CZEGODOTYCZY='B' AND IDOBIEKTU="),
          sql("DELETE FROM historia WHERE KOMPSPRZ='B' AND IDOBIEKTU="), files("B"),
          sql("DELETE FROM zalaczniki WHERE CZEGODOTYCZY='B' AND IDOBIEKTU=")},
         152031},
        {"zakupBhp",
         "DBFZakupBhp",
         "IDZAKUPBHP",
         "DELETE FROM zakupbhp WHERE IDZAKUPBHP= ",
         false,
         {},
         171804},
        {"dodatkoweMagazyn", "DBFMagazyn", "ID", "DELETE FROM magazyn WHERE ID = ", false, {}, 192203},
        {"DodatkoweTerminarz",
         "DBFTerminy",
         "IDTERMINU",
         "DELETE FROM terminy WHERE IDTERMINU= ",
         false,
         {},
         7020},
        {"DodatkoweNaprawy",
         "DBFNaprawy",
         "IDNAPRAWY",
         "DELETE FROM naprawy WHERE IDNAPRAWY= ",
         false,
         {},
         8820},
        {"dodatkoweDokumenty",
         "DBFDokumenty",
         "IDDOKUMENTU",
         "DELETE FROM dokumenty WHERE IDDOKUMENTU= ",
         false,
         {},
         261316},
        {"DodatkoweHistoria",
         "DBFHistoria",
         "IDHISTORII",
         "DELETE FROM historia WHERE IDHISTORII= ",
         false,
         {},
         2012},
        {"DodatkoweZlecenia",
         "DBFZlecenia",
         "IDZLECENIA",
         "DELETE FROM zlecenia WHERE IDZLECENIA= ",
         false,
         {},
         271848},
        {"DodatkoweRozliczenia",
         "DBFRozliczenia",
         "IDROZLICZENIA",
         "DELETE FROM rozliczenia WHERE IDROZLICZENIA= ",
         false,
         {},
         71901},
        {"DodatkoweZalaczniki",
         "DBFZalaczniki",
         "IDZALACZNIKA",
         "DELETE FROM zalaczniki WHERE IDZALACZNIKA= ",
         false,
         {},
         311842,
         true,
         311843},
        {"slOsobowa", "DBFosobowa", "NREW", "DELETE FROM osobowa WHERE NREW = :PARAM0", true, {}, 21},
        {"SlFirmy", "DBFFirmy", "IDFIRMY", "DELETE FROM firmy WHERE IDFIRMY=", false, {}, 2022},
    };
}

std::vector<Liquidation> buildLiquidations()
{
    return {
        {"komputery",
         "DBFKomputery",
         "IDKOMPUTERA",
         "DBFLikwidacjaKomputery",
         "K",
         {"UPDATE naprawy SET ACT='N' WHERE KOMPSPRZ='K' AND IDOBIEKTU=",
          "UPDATE dokumenty SET ACT='N' WHERE CZEGODOTYCZY='K' AND IDOBIEKTU=",
          "UPDATE r_kompprac SET ACT='N' WHERE IDKOMPUTERA=",
          "UPDATE r_lickomp SET ACT='N' WHERE IDKOMPUTERA="},
         6010},
        {"sprzet",
         "DBFSprzet",
         "IDSPRZETU",
         "DBFLikwidacjaSprzet",
         "S",
         {"UPDATE naprawy SET ACT='N' WHERE KOMPSPRZ='S' AND IDOBIEKTU=",
          "UPDATE dokumenty SET ACT='N' WHERE CZEGODOTYCZY='S' AND IDOBIEKTU=",
          "UPDATE r_sprzprac SET ACT='N' WHERE IDSPRZETU="},
         4410},
        // The licence stops being installed on any computer; inactive
        // installations stay as a record.
        {"licencje",
         "DBFLicencje",
         "IDLICENCJI",
         "DBFLikwidacjaLicencje",
         "L",
         {"UPDATE r_licprog SET ACT='N' WHERE IDLICENCJI=",
          "DELETE FROM r_lickomp WHERE ACT='T' AND IDLICENCJI="},
         1010},
    };
}

// One statement through the general query: its text set anew each time.
int exec(TmyDataBase& db, const QString& text)
{
    Statement& q = db.mySQL();
    q.clear();
    q.add(text);
    return q.execSQL();
}

// The stored names of a kind's attachments of an object. A failed query is
// reported (242126) and removes no file; the cascade goes on.
QStringList attachmentNames(TmyDataBase& db, const QString& kind, qint64 id)
{
    QStringList names;
    Statement& q = db.mySQL();
    guarded(242126, [&] {
        q.clear();
        q.add(QStringLiteral("SELECT NAZWAPLIKU FROM zalaczniki WHERE CZEGODOTYCZY=:KIND AND IDOBIEKTU=") +
              QString::number(id));
        q.setParam(QStringLiteral("KIND"), kind);
        q.open();
        for (; !q.eof(); q.next())
            names << q.text(QStringLiteral("NAZWAPLIKU"));
    });
    q.close();
    return names;
}

// After the commit: a file that cannot be removed is reported and ends the
// removal; a file already gone is no failure.
void removeFiles(const QStringList& names, qint64 code)
{
    for (const QString& name : names) {
        if (name.isEmpty())
            continue;
        QString error;
        if (!AttachmentFiles::remove(name, &error)) {
            ErrorLog::report(QStringLiteral("Nie można usunąć pliku ") + AttachmentFiles::path(name) +
                                 (error.isEmpty() ? QString() : QStringLiteral(": ") + error),
                             true, code);
            return;
        }
    }
}
} // namespace

const std::vector<Rule>& rules()
{
    static const std::vector<Rule> table = build();
    return table;
}

const Rule* find(const QString& registerName)
{
    for (const Rule& r : rules())
        if (registerName == QLatin1String(r.registerName))
            return &r;
    return nullptr;
}

const Liquidation* liquidationOf(const QString& registerName)
{
    static const std::vector<Liquidation> table = buildLiquidations();
    for (const Liquidation& l : table)
        if (registerName == QLatin1String(l.registerName))
            return &l;
    return nullptr;
}

bool run(TmyDataBase& db, const Rule& rule, const QVariant& key, const QString& ownFile)
{
    const bool withFiles = Config::global().flag(QStringLiteral("usuwajZajaczniki"));
    const QString keyText = rule.textKey ? QString() : QString::number(key.toLongLong());
    QStringList doomed;
    const bool done = guardedWrite(db.DatabaseMain(), rule.code, [&] {
        int removed = 0;
        if (rule.textKey) {
            Statement& q = db.mySQL();
            q.clear();
            q.add(QLatin1String(rule.mainDelete));
            q.setParam(0, key.toString());
            removed = q.execSQL();
        } else {
            removed = exec(db, QLatin1String(rule.mainDelete) + keyText);
        }
        // Deleted meanwhile at another workstation: nothing hangs on it any more.
        if (removed == 0)
            return;
        if (rule.ownFile && withFiles)
            doomed << ownFile;
        for (const Step& step : rule.cascade) {
            if (step.filesOf) {
                if (withFiles)
                    doomed << attachmentNames(db, QLatin1String(step.filesOf), key.toLongLong());
                continue;
            }
            exec(db, QLatin1String(step.sql) + keyText);
        }
    });
    db.mySQL().clear();
    if (!done)
        return false;
    removeFiles(doomed, rule.fileCode);
    return true;
}

bool liquidate(TmyDataBase& db, const Liquidation& rule, qint64 key, const QString& reason, qint64 date)
{
    const QString keyText = QString::number(key);
    const bool done = guardedWrite(db.DatabaseMain(), rule.code, [&] {
        Statement& main = db.statement(QLatin1String(rule.statement));
        main.clearParams();
        main.setParam(0, reason);
        main.setLine(4, QString::number(date));
        main.setLine(6, keyText);
        // A record deleted elsewhere meanwhile is not liquidated, nor its rows touched.
        RowGone::unlessChanged(main.execSQL());
        Statement& deadlines = db.statement(QStringLiteral("DBFUnactiveTerminy"));
        deadlines.clearParams();
        deadlines.setParam(0, QLatin1String(rule.kind));
        deadlines.setLine(2, keyText);
        deadlines.execSQL();
        for (const char* text : rule.followUps)
            exec(db, QLatin1String(text) + keyText);
    });
    db.mySQL().clear();
    return done;
}

} // namespace DeleteCascade
