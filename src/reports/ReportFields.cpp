#include "reports/ReportFields.h"

#include "base/Config.h"
#include "reports/TDMRaporty.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {
// The object label, a line break and the object's OPIS column.
QString labelWithText(const Statement* q, const QString& kindField)
{
    if (!ReportFields::usable(q))
        return {};
    const QString kind = ReportFields::text(q, kindField);
    return TmyDataBase::objectLabel(kind, *q) + QLatin1Char('\r') +
           ReportFields::text(q, kind + QStringLiteral("OPIS"));
}

// "Data likwid.:\r" + date, or empty without a date.
QString liquidationShort(const Statement* q)
{
    const QString d = ReportFields::date(q, QStringLiteral("DATAARCH"));
    return d.isEmpty() ? QString() : QStringLiteral("Data likwid.:\r") + d;
}

QString liquidationLong(const Statement* q)
{
    const QString d = ReportFields::date(q, QStringLiteral("DATAARCH"));
    if (d.isEmpty())
        return {};
    return QStringLiteral("Data likwidacji: ") + d + QStringLiteral(" Przyczyna: ") +
           ReportFields::text(q, QStringLiteral("PRZYCZYNA"));
}

QString prefixed(const QString& value)
{
    return value.isEmpty() ? value : QStringLiteral("/ ") + value;
}
} // namespace

ReportFields::ReportFields(TDMRaporty& data) : m_data(data) {}

bool ReportFields::value(const QString& name, QString* value)
{
    const Provider provider = providerOf(m_data.m_report);
    if (!provider)
        return false;
    m_name = name;
    m_q = rows(m_data.m_mainSource);
    m_value = value;
    return (this->*provider)();
}

ReportFields::Provider ReportFields::providerOf(const QString& report)
{
    static const std::pair<const char*, Provider> providers[] = {
        {"frDrukujPozycje", &ReportFields::printout},
        {"frReportDoki", &ReportFields::document},
        {"frReport6", &ReportFields::employees},
        {"frReport5", &ReportFields::deadlines},
        {"frReport4", &ReportFields::repairs},
        {"frReport7", &ReportFields::purchases},
        {"frReport8", &ReportFields::purchases},
        {"frReport9", &ReportFields::purchases},
        {"frReport10", &ReportFields::byLocation},
        {"frReport11", &ReportFields::byEmployee},
        {"frPracBhp", &ReportFields::bhpHoldings},
        {"frDormak", &ReportFields::plannedDeadlines},
        {"frReport12", &ReportFields::inventory},
        {"frReportLic", &ReportFields::freeLicences},
        {"frRKompDetails", &ReportFields::assetDetails},
        {"frRSprzetDetails", &ReportFields::assetDetails},
        {"frROprogDetails", &ReportFields::softwareDetails},
        {"frReport1", &ReportFields::documents},
        {"frReport2", &ReportFields::history},
        {"frReport13", &ReportFields::orders},
        {"frReport14", &ReportFields::orders},
        {"frZakupBhp", &ReportFields::bhpPurchases},
        {"frBhp", &ReportFields::stock},
        {"frReport37", &ReportFields::stock},
        {"frReport3", &ReportFields::attachments},
    };
    for (const auto& [name, provider] : providers)
        if (report == QLatin1String(name))
            return provider;
    return nullptr;
}

bool ReportFields::usable(const Statement* q)
{
    return q && q->isOpen() && !q->eof();
}

QString ReportFields::text(const Statement* q, const QString& field)
{
    return usable(q) && q->hasField(field) ? q->text(field) : QString();
}

qint64 ReportFields::integer(const Statement* q, const QString& field)
{
    return usable(q) && q->hasField(field) ? q->integer(field) : 0;
}

QString ReportFields::date(const Statement* q, const QString& field)
{
    return TmyDataBase::dateText(integer(q, field));
}

QString ReportFields::amount(const Statement* q, const QString& field)
{
    return usable(q) && q->hasField(field) ? TmyDataBase::amountText(q->number(field)) : QString();
}

bool ReportFields::is(const char* name) const
{
    return m_name == QLatin1String(name);
}

bool ReportFields::put(const QString& value)
{
    *m_value = value;
    return true;
}

const Statement* ReportFields::rows(const QString& source) const
{
    return m_data.rows(source);
}

bool ReportFields::reportIs(const char* report) const
{
    return m_data.m_report == QLatin1String(report);
}

QString ReportFields::sumText(int sum) const
{
    return TmyDataBase::amountText(m_data.m_sums.at(std::size_t(sum - 1)));
}

QString ReportFields::accumulate(const Statement* q, const QString& field, int sum, bool add)
{
    if (!usable(q) || !q->hasField(field))
        return {};
    bool ok = false;
    const double value = q->isNull(field) ? 0.0 : q->text(field).trimmed().toDouble(&ok);
    if (q->isNull(field))
        ok = true;
    if (ok && add)
        m_data.m_sums.at(std::size_t(sum - 1)) += value;
    return TmyDataBase::amountText(value);
}

QString ReportFields::accumulateOnce(const Statement* q, const QString& field, int sum, QChar kind,
                                     const QString& keyField)
{
    if (!usable(q))
        return {};
    const QString item = kind + QString::number(integer(q, keyField));
    const bool first = !m_data.m_counted.contains(item);
    if (first)
        m_data.m_counted.insert(item);
    return accumulate(q, field, sum, first);
}

bool ReportFields::costs()
{
    if (is("NETTO"))
        return put(accumulate(m_q, m_name, 1));
    if (is("VAT"))
        return put(accumulate(m_q, m_name, 2));
    if (is("BRUTTO"))
        return put(accumulate(m_q, m_name, 3));
    if (is("SNETTO"))
        return put(sumText(1));
    if (is("SVAT"))
        return put(sumText(2));
    if (is("SBRUTTO"))
        return put(sumText(3));
    return false;
}

bool ReportFields::dated(std::initializer_list<const char*> fields)
{
    for (const char* f : fields)
        if (is(f))
            return put(date(m_q, m_name));
    return false;
}

bool ReportFields::alias(const char* variable, const Statement* from, const char* field)
{
    return is(variable) && put(text(from, QLatin1String(field)));
}

bool ReportFields::printout()
{
    if (is("TEMAT"))
        return put(m_data.m_title);
    if (is("TRESC"))
        return put(m_data.m_body);
    return false;
}

bool ReportFields::document()
{
    const auto it = m_data.m_document.constFind(m_name);
    return it != m_data.m_document.constEnd() && put(*it);
}

bool ReportFields::employees()
{
    if (is("NAZWISKO"))
        return put(text(m_q, QStringLiteral("NAZWISKO")) + QLatin1Char(' ') +
                   text(m_q, QStringLiteral("IMIE")));
    if (is("ADRES")) {
        QStringList parts;
        for (const char* f : {"ADRES", "NUMER", "KOD", "MIASTO", "KRAJ"})
            if (const QString p = text(m_q, QLatin1String(f)).trimmed(); !p.isEmpty())
                parts << p;
        return put(parts.join(QLatin1Char(' ')));
    }
    return alias("DZIAL", m_q, "DZIAL_O") || alias("STANOWISKO", m_q, "STANOWISKO_O");
}

bool ReportFields::deadlines()
{
    if (is("CZEGODOTYCZY"))
        return put(labelWithText(m_q, m_name));
    return alias("KLASYFIKATOR", m_q, "KLASYFIKATOR_O") || dated({"DATAOD", "DATADO"});
}

bool ReportFields::repairs()
{
    if (is("KOMPSPRZ"))
        return put(labelWithText(m_q, m_name));
    return alias("WYKONAWCA", m_q, "FIRMA") || dated({"TERMIN", "DATANAPRAWY"}) || costs();
}

// The purchase costs of computers (frReport7), equipment (8) and licences (9).
bool ReportFields::purchases()
{
    if (is("ARCHIWUM")) {
        const char* caption = reportIs("frReport7")   ? "Archiwum / komputery zlikwidowane"
                              : reportIs("frReport8") ? "Archiwum / Sprzet zlikwidowany"
                                                      : "Archiwum / Licencje zlikwidowany";
        return put(text(m_q, m_name) == QLatin1String("T") ? QString::fromUtf8(caption) : QString());
    }
    if (is("DATAARCH"))
        return put(liquidationShort(m_q));
    if (is("PROGRAM") && reportIs("frReport9"))
        return put(usable(m_q) ? m_data.licenceProgramsText(integer(m_q, QStringLiteral("IDLICENCJI")))
                               : QString());
    return alias("DOSTAWCA", m_q, "FIRMA") || dated({"DATAZAKUPU"}) || costs();
}

bool ReportFields::byLocation()
{
    const TDMRaporty::Choices& c = m_data.m_choices;
    if (is("KOMPUTERY"))
        return put(c.computers ? QStringLiteral("Komputery:") : QString());
    if (is("SPRZET"))
        return put(c.equipment ? QStringLiteral("Inny Sprzęt:") : QString());
    if (is("ARCHIWUM"))
        return put(c.archiveSeries ? QStringLiteral("Archiwum / wyposażenie zlikwidowane") : QString());
    // Columns of the computer, and with the prefix S of the equipment, of the location.
    const bool equipment = m_name.startsWith(QLatin1Char('S')) && m_name != QLatin1String("SUMANETTO");
    const Statement* item =
        rows(equipment ? QStringLiteral("frUserDatasetSprz") : QStringLiteral("frUserDatasetKomp"));
    const QString field = equipment ? m_name.mid(1) : m_name;
    if (field == QLatin1String("DOSTAWCA"))
        return put(text(item, QStringLiteral("FIRMA")));
    if (field == QLatin1String("DATAARCH"))
        return put(liquidationShort(item));
    if (field == QLatin1String("DATAZAKUPU"))
        return put(date(item, field));
    for (const char* f : {"NAZWA", "NREWID", "PRODUCENT", "INNE", "NRFAKTURY", "NRSERYJNY", "NRKPIR"})
        if (field == QLatin1String(f))
            return put(text(item, field));
    return false;
}

bool ReportFields::byEmployee()
{
    const TDMRaporty::Choices& c = m_data.m_choices;
    if (is("NAZWISKO"))
        return put(text(m_q, QStringLiteral("NAZWISKO")) + QLatin1Char(' ') +
                   text(m_q, QStringLiteral("IMIE")));
    if (is("KOMPUTERY"))
        return put(c.computers ? QStringLiteral("Komputer:") : QString());
    if (is("SPRZET"))
        return put(c.equipment ? QStringLiteral("Sprzęt:") : QString());
    if (is("LICENCJE"))
        return put(c.licences ? QStringLiteral("Oprogramowanie - licencje:") : QString());
    if (is("SUMANETTO"))
        return put(sumText(1));
    if (is("DATARAPORTU"))
        return put(c.issueDate);
    if (alias("DZIAL", m_q, "DZIAL_O") || alias("STANOWISKO", m_q, "STANOWISKO_O"))
        return true;
    const Statement* used = rows(QStringLiteral("frUserDatasetPracKomp"));
    const Statement* usedEq = rows(QStringLiteral("frUserDatasetPracSprz"));
    const Statement* own = rows(QStringLiteral("frUserDatasetUKomp"));
    const Statement* ownEq = rows(QStringLiteral("frUserDatasetUSprz"));
    // The licences of whichever computer section is printing.
    const Statement* lic = rows(QStringLiteral("frUserDatasetUKompLic"));
    if (!usable(lic))
        lic = rows(QStringLiteral("frUserKompLic"));
    // The total is what the listed items are worth: a computer two employees
    // use, or a licence installed on several computers, is counted once.
    if (is("KNETTO"))
        return put(accumulateOnce(used, QStringLiteral("NETTO"), 1, QLatin1Char('K'),
                                  QStringLiteral("IDKOMPUTERA")));
    if (is("SNETTO"))
        return put(accumulateOnce(usedEq, QStringLiteral("NETTO"), 1, QLatin1Char('S'),
                                  QStringLiteral("IDSPRZETU")));
    if (is("LNETTO"))
        return put(
            accumulateOnce(lic, QStringLiteral("LNETTO"), 1, QLatin1Char('L'), QStringLiteral("IDLICENCJI")));
    if (is("DATAZAKUPU"))
        return put(date(used, m_name));
    if (is("SDATAZAKUPU"))
        return put(date(usedEq, QStringLiteral("DATAZAKUPU")));
    if (is("UDATAZAKUPU"))
        return put(date(own, QStringLiteral("DATAZAKUPU")));
    if (is("USDATAZAKUPU"))
        return put(date(ownEq, QStringLiteral("DATAZAKUPU")));
    if (is("LDATAZAKUPU"))
        return put(date(lic, QStringLiteral("LDATAZAKUPU")));
    for (const char* f : {"NAZWA", "PRODUCENT", "NREWID", "NRSERYJNY"}) {
        const QString column = QLatin1String(f);
        if (m_name == column)
            return put(text(used, column));
        if (m_name == QLatin1Char('S') + column)
            return put(text(usedEq, column));
        if (m_name == QLatin1Char('U') + column)
            return put(text(own, column));
        if (m_name == QStringLiteral("US") + column)
            return put(text(ownEq, column));
    }
    return alias("KNRKPIR", used, "NRKPIR") || alias("SNRKPIR", usedEq, "NRKPIR") ||
           alias("LNREWID", lic, "LNREWID") || alias("LNRLICENCJI", lic, "NRLICENCJI") ||
           alias("LNAZWA", lic, "NAZWA") || alias("LWERSJA", lic, "WERSJA") ||
           alias("LNRKPIR", lic, "LNRKPIR");
}

bool ReportFields::bhpHoldings()
{
    if (is("ILOSC"))
        return put(amount(m_q, QStringLiteral("PILOSC")));
    return alias("INNE", m_q, "PINNE") || alias("KLASYFIKATOR", m_q, "KLASOPIS") ||
           dated({"DATAOD", "DATADO"});
}

bool ReportFields::plannedDeadlines()
{
    if (is("CZEGODOTYCZY"))
        return put(labelWithText(m_q, m_name));
    const QString kind = text(m_q, QStringLiteral("CZEGODOTYCZY"));
    const bool asset = kind == QLatin1String("K") || kind == QLatin1String("S");
    if (is("OSOBA"))
        return put(asset ? m_data.responsibleText(text(m_q, kind + QStringLiteral("NREW"))) : QString());
    if (is("LOKALIZACJA"))
        return put(asset ? m_data.locationText(integer(m_q, kind + QStringLiteral("LOKALIZACJA")))
                         : QString());
    return alias("KLASYFIKATOR", m_q, "KLASYFIKATOR_O") || dated({"DATAOD", "DATADO"});
}

// The register of equipment: current rows are numbered in sum 2,
// liquidated rows in sum 1.
bool ReportFields::inventory()
{
    std::array<double, 3>& sums = m_data.m_sums;
    const Statement* arch = rows(QStringLiteral("frUserDataset12Arch"));
    if (is("WART")) {
        if (!usable(m_q))
            return put(QString());
        return put(accumulate(
            m_q, m_data.m_choices.grossValue ? QStringLiteral("BRUTTO") : QStringLiteral("NETTO"), 1));
    }
    if (is("LP")) {
        sums[1] += 1;
        return put(QString::number(sums[1], 'f', 0) + QLatin1Char('.'));
    }
    if (is("SWART"))
        return put(sumText(1));
    if (is("SLP"))
        return put(QString::number(sums[1], 'f', 0));
    if (is("ALP")) {
        sums[0] += 1;
        return put(QString::number(sums[0], 'f', 0) + QLatin1Char('.'));
    }
    if (is("ASLP"))
        return put(QString::number(sums[0], 'f', 0));
    if (is("ADATAARCH"))
        return put(date(arch, QStringLiteral("DATAARCH")));
    return alias("ANREWID", arch, "NREWID") || alias("ALOK", arch, "LOK") ||
           alias("APRZYCZYNA", arch, "PRZYCZYNA") || dated({"DATAZAKUPU"});
}

bool ReportFields::freeLicences()
{
    if (is("ILOSCLIC")) {
        if (text(m_q, QStringLiteral("WIELOSTAN")) == QLatin1String("T"))
            return put(QStringLiteral("Wielostanowiskowa"));
        return put(usable(m_q) ? QString::number(integer(m_q, m_name) - m_data.m_installed) : QString());
    }
    return false;
}

// The details of computers (frRKompDetails) and of equipment (frRSprzetDetails).
bool ReportFields::assetDetails()
{
    const bool computers = reportIs("frRKompDetails");
    if (m_name.size() == 8 && m_name.startsWith(QLatin1String("NAZ_WL"))) {
        const int lp = m_name.mid(6).toInt();
        return lp >= 1 && lp <= 14 && put(m_data.m_propertyNames.at(std::size_t(lp - 1)));
    }
    if (m_name.size() == 4 && m_name.startsWith(QLatin1String("WL"))) {
        const int lp = m_name.mid(2).toInt();
        return lp >= 1 && lp <= 14 && put(m_data.m_propertyValues.at(std::size_t(lp - 1)));
    }
    if (is("DATAARCH"))
        return put(liquidationLong(m_q));
    const Statement* users =
        rows(computers ? QStringLiteral("frDSKompUzyt") : QStringLiteral("frDSSprzetUzyt"));
    if (alias("UNREW", users, "NREW") || alias("UNAZWISKO", users, "PRACOWNIK") ||
        alias("UNIP", users, "NIP") || alias("UDZIAL", users, "DZIAL") ||
        alias("USTANOWISKO", users, "STANOWISKO") || alias("UNRPOKOJU", users, "NRPOKOJU"))
        return true;
    if (computers) {
        const Statement* lic = rows(QStringLiteral("frDSKompLic"));
        const Statement* eq = rows(QStringLiteral("frDSKompSprzet"));
        if (alias("LNRLICENCJI", lic, "NRLICENCJI") || alias("LNAZWA", lic, "NAZWA") ||
            alias("LWERSJA", lic, "WERSJA") || alias("SNREWID", eq, "NREWID") ||
            alias("SNAZWA", eq, "NAZWA") || alias("SPRODUCENT", eq, "PRODUCENT") ||
            alias("SNRSERYJNY", eq, "NRSERYJNY"))
            return true;
    } else {
        const Statement* rep = rows(QStringLiteral("frDSSprzetNaprawy"));
        if (is("NTERMIN") || is("NDATANAPRAWY"))
            return put(date(rep, m_name.mid(1)));
        if (is("NNETTO") || is("NBRUTTO"))
            return put(amount(rep, m_name.mid(1)));
        if (alias("NOPIS", rep, "OPIS") || alias("NWYKONAWCA", rep, "FIRMA") ||
            alias("NNRFAKTURY", rep, "NRFAKTURY"))
            return true;
    }
    return dated({"DATAPROD", "DATAZAKUPU"}) || costs();
}

bool ReportFields::softwareDetails()
{
    if (is("HASLO"))
        return put(m_data.m_choices.showPasswords ? text(m_q, m_name) : QStringLiteral("******"));
    if (is("DATAARCH"))
        return put(liquidationLong(m_q));
    if (is("NETTO") || is("VAT") || is("BRUTTO"))
        return put(amount(m_q, m_name));
    const Statement* k = rows(QStringLiteral("frDSOprogKomp"));
    if (is("KDATAZAKUPU"))
        return put(date(k, QStringLiteral("DATAZAKUPU")));
    return alias("PNRSERYJNY", m_q, "NRSERYJNY") || alias("PNAZWA", m_q, "NAZWA") ||
           alias("PWERSJA", m_q, "WERSJA") || alias("PKLASYFIKATOR", m_q, "KLAS") ||
           alias("PPRODUCENT", m_q, "PRODUCENT") || alias("PIDFIRMY", m_q, "PIDFI") ||
           alias("NREWID", m_q, "LNREWID") || alias("TYPLICENCJI", m_q, "TYPL") ||
           alias("IDF", m_q, "IDFI") || alias("INNE", m_q, "LINNE") || alias("KNREWID", k, "NREWID") ||
           alias("KNAZWA", k, "NAZWA") || alias("KLOK", k, "LOK") || alias("KPRODUCENT", k, "PRODUCENT") ||
           dated({"DATAZAKUPU"});
}

bool ReportFields::documents()
{
    if (is("CZEGODOTYCZY"))
        return put(labelWithText(m_q, m_name));
    return dated({"TERMIN", "DATADOK"});
}

bool ReportFields::history()
{
    if (is("KOMPSPRZ"))
        return put(labelWithText(m_q, m_name));
    return dated({"DATAOD", "DATADO"});
}

// Orders (frReport13) and settlements (frReport14), the latter with hours and values summed.
bool ReportFields::orders()
{
    if (is("CZEGODOTYCZY"))
        return put(labelWithText(m_q, m_name));
    if (is("FIRMA") || is("OPIS"))
        return put(prefixed(text(m_q, m_name)));
    if (reportIs("frReport14")) {
        if (is("GODZINY"))
            return put(accumulate(m_q, m_name, 1));
        if (is("WARTOSC"))
            return put(accumulate(m_q, m_name, 2));
        if (is("STAWKA"))
            return put(amount(m_q, m_name));
        if (is("SGODZINY"))
            return put(sumText(1));
        if (is("SWARTOSC"))
            return put(sumText(2));
    }
    return dated({"DATAOD", "DATADO"});
}

bool ReportFields::bhpPurchases()
{
    if (is("ILOSC"))
        return put(amount(m_q, m_name));
    return alias("DOSTAWCA", m_q, "FIRMA") || alias("KLASYFIKATOR", m_q, "KLASOPIS") ||
           dated({"DATAZAKUPU"}) || costs();
}

// BHP items (frBhp) and stock levels (frReport37).
bool ReportFields::stock()
{
    if (is("ILOSC") || is("PRZYPOMNIJ"))
        return put(amount(m_q, m_name));
    return alias("KLASYFIKATOR", m_q, "KLASOPIS");
}

bool ReportFields::attachments()
{
    const bool check = m_data.m_choices.attachmentCheck;
    if (is("CZEGODOTYCZY"))
        return put(labelWithText(m_q, m_name));
    if (is("DATADODANIA"))
        return put(date(m_q, m_name));
    if (is("TYTULSPR"))
        return put(check ? QStringLiteral("Spr") : QStringLiteral("-"));
    if (is("SPR")) {
        if (!check)
            return put(QStringLiteral("-"));
        const QString folder = Config::global().text(QStringLiteral("lokalizacjaZalacznikow"));
        if (folder.isEmpty())
            return put(QStringLiteral("#2"));
        const QString file = text(m_q, QStringLiteral("NAZWAPLIKU"));
        return put(QFileInfo::exists(QDir(folder).filePath(file)) && !file.isEmpty() ? QString()
                                                                                     : QStringLiteral("#1"));
    }
    if (is("LEGENDA") && check)
        return put(QStringLiteral("Legenda:\r#1 plik załącznika nie istnieje\r#2 katalog z załącznikami nie "
                                  "istnieje"));
    return false;
}
