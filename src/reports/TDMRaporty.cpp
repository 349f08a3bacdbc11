#include "reports/TDMRaporty.h"

#include "base/Config.h"
#include "reports/ReportFields.h"
#include "store/Guarded.h"
#include "store/ListState.h"
#include "store/Statement.h"
#include "store/StatementTexts.h"
#include "store/TmyDataBase.h"

namespace {
TDMRaporty* g_instance = nullptr;

const QString kPrintTitle = QStringLiteral("Wydruk z programu Sprzetnik");

// How a source finds its rows.
enum class SourceKind
{
    List,       // a private copy of a register list, filtered as the list is
    Prepared,   // a named report query the catalogue has filled and opened
    Detail,     // re-read in First for the current row of its master
    Properties, // the one-row source of the 14 property names and values
};

struct SourceDef
{
    const char* name;
    SourceKind kind;
    const char* statement; // list or named query
    const char* master = "";
};

struct ReportDef
{
    const char* name;
    bool printout; // titled "Wydruk z programu Sprzetnik"
    std::vector<SourceDef> sources;
};

const std::vector<ReportDef>& reports()
{
    using K = SourceKind;
    // clang-format off
    static const std::vector<ReportDef> table = {
        {"frReport6", false, {{"frUserDataset6", K::List, "DBFosobowa"}}},
        {"frReport5", false, {{"frUserDataset5", K::List, "DBFTerminy"}}},
        {"frReport4", false, {{"frUserDataset4", K::List, "DBFNaprawy"}}},
        {"frReport7", false, {{"frUserDataset7", K::List, "DBFKomputery"}}},
        {"frReport8", false, {{"frUserDataset8", K::List, "DBFSprzet"}}},
        {"frReport9", false, {{"frUserDataset9", K::List, "DBFLicencje"}}},
        {"frReport10", false, {{"frUserDataset10", K::List, "DBFLokalizacje"},
                               {"frUserDatasetKomp", K::Detail, "DBFKomputery", "frUserDataset10"},
                               {"frUserDatasetSprz", K::Detail, "DBFSprzet", "frUserDataset10"}}},
        {"frReport11", false, {{"frUserDataset11", K::List, "DBFosobowa"},
                               {"frUserDatasetPracKomp", K::Detail, "DBFPracKomp", "frUserDataset11"},
                               {"frUserKompLic", K::Detail, "DBFLicKomp", "frUserDatasetPracKomp"},
                               {"frUserDatasetPracSprz", K::Detail, "DBFPracSprz", "frUserDataset11"},
                               {"frUserDatasetUKomp", K::Detail, "DBFKomputery", "frUserDataset11"},
                               {"frUserDatasetUKompLic", K::Detail, "DBFLicKomp", "frUserDatasetUKomp"},
                               {"frUserDatasetUSprz", K::Detail, "DBFSprzet", "frUserDataset11"}}},
        {"frReport12", false, {{"frUserDataset12", K::Prepared, "DBFSpis1"},
                               {"frUserDataset12Arch", K::Prepared, "DBFSpis2"}}},
        {"frReportDoki", false, {}},
        {"frReportLic", false, {{"frUserDatasetLic", K::Prepared, "DBFWolneLic"}}},
        {"frRKompDetails", false, {{"frDSKompDetails", K::Prepared, "DBFRapKomp"},
                                   {"frDSKompWl", K::Properties, "", "frDSKompDetails"},
                                   {"frDSKompUzyt", K::Detail, "DBFUzytkownicy", "frDSKompDetails"},
                                   {"frDSKompLic", K::Detail, "DBFLicKomp", "frDSKompDetails"},
                                   {"frDSKompSprzet", K::Detail, "DBFSprzet", "frDSKompDetails"}}},
        {"frRSprzetDetails", false, {{"frDSSprzetDetails", K::Prepared, "DBFRapSprzet"},
                                     {"frDSSprzetWl", K::Properties, "", "frDSSprzetDetails"},
                                     {"frDSSprzetUzyt", K::Detail, "DBFUzywajacy", "frDSSprzetDetails"},
                                     {"frDSSprzetNaprawy", K::Detail, "DBFNaprawy", "frDSSprzetDetails"}}},
        {"frROprogDetails", false, {{"frDSOprogDetails", K::Prepared, "DBFRapOprog"},
                                    {"frDSOprogKomp", K::Detail, "DBFRapOprogKomp", "frDSOprogDetails"}}},
        {"frReport1", false, {{"frUserDataset1", K::List, "DBFDokumenty"}}},
        {"frReport2", false, {{"frUserDataset2", K::List, "DBFHistoria"}}},
        {"frReport13", false, {{"frUserDataset13", K::List, "DBFZlecenia"}}},
        {"frReport14", false, {{"frUserDataset14", K::List, "DBFRozliczenia"}}},
        {"frZakupBhp", false, {{"frDSZakupBhp", K::List, "DBFZakupBhp"}}},
        {"frBhp", false, {{"frDSBhp", K::List, "DBFBhp"}}},
        {"frPracBhp", false, {{"frDSPracBhp", K::Prepared, "DBFPracBhp"}}},
        {"frReport37", true, {{"frUserDataset37", K::List, "DBFMagazyn"}}},
        {"frDrukujPozycje", true, {}},
        {"frReport3", true, {{"frUserDataset3", K::List, "DBFZalaczniki"}}},
        // The planned deadlines walk the deadline list as it is filtered.
        {"frDormak", false, {{"frDSDormak", K::List, "DBFTerminy"}}},
    };
    // clang-format on
    return table;
}

const ReportDef* findReport(const QString& name)
{
    for (const ReportDef& r : reports())
        if (name == QLatin1String(r.name))
            return &r;
    return nullptr;
}

const SourceDef* findSource(const QString& report, const QString& source)
{
    if (const ReportDef* r = findReport(report))
        for (const SourceDef& s : r->sources)
            if (source == QLatin1String(s.name))
                return &s;
    return nullptr;
}

} // namespace

struct TDMRaporty::Walk
{
    std::unique_ptr<Statement> own; // private copy of a list or query
    Statement* rows = nullptr;
    bool empty = true; // positioned past its end
};

TDMRaporty::TDMRaporty(TmyDataBase& db) : m_db(db), m_scratch(std::make_unique<Statement>(&db.DatabaseMain()))
{
    g_instance = this;
}

TDMRaporty::~TDMRaporty()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TDMRaporty* TDMRaporty::instance()
{
    return g_instance;
}

QStringList TDMRaporty::reportNames()
{
    QStringList names;
    for (const ReportDef& r : reports())
        names << QLatin1String(r.name);
    return names;
}

QStringList TDMRaporty::sourcesOf(const QString& report)
{
    QStringList names;
    if (const ReportDef* r = findReport(report))
        for (const SourceDef& s : r->sources)
            names << QLatin1String(s.name);
    return names;
}

QString TDMRaporty::reportTitle(const QString& report)
{
    const ReportDef* r = findReport(report);
    return r && r->printout ? kPrintTitle : QStringLiteral("Raport");
}

bool TDMRaporty::setReport(const QString& report)
{
    if (!findReport(report))
        return false;
    m_report = report;
    const QStringList sources = sourcesOf(report);
    m_mainSource = sources.isEmpty() ? QString() : sources.first();
    m_walks.clear();
    resetRun();
    m_page = 0;
    m_companyRead = false;
    return true;
}

void TDMRaporty::setPrintout(const QString& title, const QString& body)
{
    m_title = title;
    m_body = body;
}

void TDMRaporty::resetRun()
{
    m_page = 1;
    m_sums = {};
    m_installed = 0;
    m_counted.clear();
}

bool TDMRaporty::hasSource(const QString& source) const
{
    return findSource(m_report, source) != nullptr;
}

TDMRaporty::Walk& TDMRaporty::walk(const QString& source)
{
    std::unique_ptr<Walk>& w = m_walks[source];
    if (!w)
        w = std::make_unique<Walk>();
    return *w;
}

Statement* TDMRaporty::rows(const QString& source) const
{
    const auto it = m_walks.find(source);
    if (it == m_walks.end() || it->second->empty)
        return nullptr;
    return it->second->rows;
}

bool TDMRaporty::openQuery(const QString& source, Statement& query, qint64 code)
{
    Walk& w = walk(source);
    w.rows = &query;
    w.empty = !guarded(code, [&] { query.open(); });
    if (w.empty)
        query.close();
    else
        query.first();
    return !w.empty;
}

// A private copy of the list statement with the list's current filter and
// order: the grids of the main window keep their rows while a report runs.
bool TDMRaporty::openList(const QString& source, const QString& list)
{
    Walk& w = walk(source);
    if (!w.own)
        w.own = std::make_unique<Statement>(&m_db.DatabaseMain(), list);
    w.own->close();
    w.own->setLines(statementLines(list));
    m_db.listState().applyTo(list, *w.own);
    if (source == QLatin1String("frUserDataset10") && m_choices.oneLocation)
        w.own->setLine(1, w.own->line(1) + QStringLiteral(" AND KOD=") + QString::number(m_choices.location));
    return openQuery(source, *w.own, TmyDataBase::reloadCode(list));
}

void TDMRaporty::first(const QString& source)
{
    const SourceDef* def = findSource(m_report, source);
    if (!def)
        return;
    const QString name = QLatin1String(def->statement);
    Walk& w = walk(source);
    switch (def->kind) {
    case SourceKind::List:
        resetRun();
        openList(source, name);
        return;
    case SourceKind::Prepared: {
        if (source == QLatin1String("frUserDataset12Arch"))
            m_sums[0] = 0; // the liquidated part numbers from 1 again
        else
            resetRun();
        Statement& q = m_db.statement(name);
        w.rows = &q;
        w.empty = !q.isOpen();
        if (!w.empty)
            q.first();
        if (source == QLatin1String("frUserDatasetLic"))
            skipToFreeLicence();
        return;
    }
    case SourceKind::Properties: {
        const Statement* master = rows(QLatin1String(def->master));
        if (source == QLatin1String("frDSKompWl"))
            loadProperties(QStringLiteral("K"), 0,
                           ReportFields::integer(master, QStringLiteral("IDKOMPUTERA")));
        else
            loadProperties(QStringLiteral("S"), ReportFields::integer(master, QStringLiteral("KLASYFIKATOR")),
                           ReportFields::integer(master, QStringLiteral("IDSPRZETU")));
        return;
    }
    case SourceKind::Detail:
        break;
    }

    const Statement* master = rows(QLatin1String(def->master));
    if (!ReportFields::usable(master) || !sectionWanted(source)) {
        w.empty = true;
        return;
    }
    if (source == QLatin1String("frUserDatasetPracKomp") ||
        source == QLatin1String("frUserDatasetPracSprz")) {
        Statement& q = m_db.statement(name);
        q.close();
        q.setParam(0, ReportFields::text(master, QStringLiteral("NREW")));
        openQuery(source, q, 81137);
        return;
    }
    if (source == QLatin1String("frDSOprogKomp")) {
        Statement& q = m_db.statement(name);
        q.close();
        q.setLine(1, QString::number(ReportFields::integer(master, QStringLiteral("IDLICENCJI"))));
        q.setLine(3, QString::number(ReportFields::integer(master, QStringLiteral("IDPROGRAMU"))));
        openQuery(source, q, 81131);
        return;
    }
    // The other details are register lists narrowed to the master's row; the
    // shared list state is left as it was.
    ListState state = m_db.listState();
    if (source == QLatin1String("frDSKompUzyt") || source == QLatin1String("frDSKompLic")) {
        state.setOwner(name, ReportFields::integer(master, QStringLiteral("IDKOMPUTERA")));
    } else if (source == QLatin1String("frDSKompSprzet")) {
        state.setOwner(name, ReportFields::integer(master, QStringLiteral("IDKOMPUTERA")));
        state.setCondition(name, ListState::Role::Archive, ListState::archiveCondition(false));
    } else if (source == QLatin1String("frDSSprzetUzyt")) {
        state.setOwner(name, ReportFields::integer(master, QStringLiteral("IDSPRZETU")));
    } else if (source == QLatin1String("frUserKompLic") || source == QLatin1String("frUserDatasetUKompLic")) {
        state.setOwner(name, ReportFields::integer(master, QStringLiteral("IDKOMPUTERA")));
    } else if (source == QLatin1String("frUserDatasetKomp") || source == QLatin1String("frUserDatasetSprz")) {
        state.setSlot(name, ListState::reservedLines(name).value(0),
                      QStringLiteral("AND ") +
                          ListState::qualifiedColumn(name, QStringLiteral("LOKALIZACJA")) + QLatin1Char('=') +
                          QString::number(ReportFields::integer(master, QStringLiteral("KOD"))));
    } else if (source == QLatin1String("frUserDatasetUKomp") ||
               source == QLatin1String("frUserDatasetUSprz")) {
        // The employee's number is quoted: it is a text typed by a user.
        state.setSlot(name, ListState::reservedLines(name).value(0),
                      QStringLiteral("AND ") + ListState::qualifiedColumn(name, QStringLiteral("NREW")) +
                          QLatin1Char('=') +
                          ListState::literal(ReportFields::text(master, QStringLiteral("NREW"))));
    } else if (source == QLatin1String("frDSSprzetNaprawy")) {
        // The kind as well: keys of computers and equipment overlap.
        state.setObject(name, QStringLiteral("S"),
                        ReportFields::integer(master, QStringLiteral("IDSPRZETU")));
    }
    if (!w.own)
        w.own = std::make_unique<Statement>(&m_db.DatabaseMain(), name);
    w.own->close();
    w.own->setLines(statementLines(name));
    state.applyTo(name, *w.own);
    openQuery(source, *w.own, TmyDataBase::reloadCode(name));
}

// The sections of the location and employee reports that the catalogue left out are empty.
bool TDMRaporty::sectionWanted(const QString& source) const
{
    const Choices& c = m_choices;
    if (source == QLatin1String("frUserDatasetKomp"))
        return c.computers;
    if (source == QLatin1String("frUserDatasetSprz"))
        return c.equipment;
    if (source == QLatin1String("frUserDatasetPracKomp"))
        return c.computers && c.uses;
    if (source == QLatin1String("frUserKompLic"))
        return c.licences && c.uses;
    if (source == QLatin1String("frUserDatasetPracSprz"))
        return c.equipment && c.uses;
    if (source == QLatin1String("frUserDatasetUKomp"))
        return c.computers && c.responsible;
    if (source == QLatin1String("frUserDatasetUKompLic"))
        return c.licences && c.responsible;
    if (source == QLatin1String("frUserDatasetUSprz"))
        return c.equipment && c.responsible;
    return true;
}

void TDMRaporty::next(const QString& source)
{
    const SourceDef* def = findSource(m_report, source);
    if (!def)
        return;
    if (def->kind == SourceKind::Properties) {
        m_propertyDelivered = true;
        return;
    }
    Walk& w = walk(source);
    if (w.empty || !w.rows)
        return;
    w.rows->next();
    if (source == QLatin1String("frUserDatasetLic"))
        skipToFreeLicence();
}

bool TDMRaporty::checkEof(const QString& source)
{
    const SourceDef* def = findSource(m_report, source);
    if (!def)
        return true;
    if (def->kind == SourceKind::Properties)
        return m_propertyDelivered;
    const auto it = m_walks.find(source);
    if (it == m_walks.end())
        return true;
    const Walk& w = *it->second;
    return w.empty || !w.rows || !w.rows->isOpen() || w.rows->eof();
}

void TDMRaporty::beginPage(int page)
{
    Q_UNUSED(page);
    ++m_page;
}

// Moves the free-licence source to the next row with a free seat.
void TDMRaporty::skipToFreeLicence()
{
    Statement* q = rows(QStringLiteral("frUserDatasetLic"));
    if (!q)
        return;
    Statement& count = m_db.statement(QStringLiteral("DBFWolneLicIlosc"));
    while (!q->eof()) {
        m_installed = 0;
        if (q->text(QStringLiteral("WIELOSTAN")) == QLatin1String("T"))
            return;
        qint64 installed = 0;
        const bool ok = guarded(81132, [&] {
            count.close();
            count.setLine(1, QString::number(q->integer(QStringLiteral("IDLICENCJI"))));
            count.setLine(3, QString::number(q->integer(QStringLiteral("IDPROGRAMU"))));
            count.open();
            installed = count.integer(QStringLiteral("ILE"));
            count.close();
        });
        if (!ok)
            return;
        if (installed < q->integer(QStringLiteral("ILOSCLIC"))) {
            m_installed = int(installed);
            return;
        }
        q->next();
    }
}

void TDMRaporty::loadProperties(const QString& kind, qint64 classifier, qint64 object)
{
    m_propertyNames = {};
    m_propertyValues = {};
    m_propertyDelivered = false;
    const auto read = [&](const char* statement, qint64 key, const char* column,
                          std::array<QString, 14>& into) {
        guarded(81133, [&] {
            Statement& q = *m_scratch;
            q.close();
            q.setLines(statementLines(QLatin1String(statement)));
            q.clearParams();
            q.setParam(0, kind);
            q.setLine(2, QString::number(key));
            q.open();
            std::size_t i = 0;
            for (q.first(); !q.eof() && i < into.size(); q.next())
                into[i++] = q.text(QLatin1String(column));
            q.close();
        });
    };
    read("DBFNazwaWlasciwosci", classifier, "NAZWA", m_propertyNames);
    read("DBFWlasciwosci", object, "WARTOSC", m_propertyValues);
}

QString TDMRaporty::licenceProgramsText(qint64 licence)
{
    // The licence-program list as the catalogue filtered it, for one licence.
    ListState state = m_db.listState();
    const QString list = QStringLiteral("DBFLicProg");
    state.setOwner(list, licence);
    state.setOrderColumn(list, QStringLiteral("NAZWA"));
    state.setAscending(list, true);
    QStringList programs;
    bool more = false;
    guarded(81134, [&] {
        Statement& q = *m_scratch;
        q.close();
        q.clearParams();
        q.setLines(statementLines(list));
        state.applyTo(list, q);
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            if (programs.size() == 3) {
                more = true;
                break;
            }
            programs << q.text(QStringLiteral("NAZWA")) + QLatin1Char(' ') + q.text(QStringLiteral("WERSJA"));
        }
        q.close();
    });
    QString value = programs.join(QLatin1Char('\r'));
    if (more)
        value += QStringLiteral(" ... (i więcej)");
    return value;
}

// "odp.: " + first name, surname and number of the responsible employee.
QString TDMRaporty::responsibleText(const QString& nrew)
{
    QString value = QStringLiteral("odp.: ");
    guarded(81138, [&] {
        Statement& q = *m_scratch;
        q.clear();
        q.add(QStringLiteral("SELECT IMIE,NAZWISKO FROM osobowa WHERE NREW=:PARAM0"));
        q.setParam(0, nrew);
        q.open();
        if (!q.eof())
            value += q.text(QStringLiteral("IMIE")) + QLatin1Char(' ') + q.text(QStringLiteral("NAZWISKO")) +
                     QStringLiteral(" (") + nrew + QLatin1Char(')');
        q.close();
    });
    return value;
}

QString TDMRaporty::locationText(qint64 kod)
{
    QString value = QStringLiteral("lok.: ");
    guarded(81139, [&] {
        Statement& q = *m_scratch;
        q.clear();
        q.add(QStringLiteral("SELECT OPIS FROM slowniki WHERE KOD=") + QString::number(kod));
        q.open();
        if (!q.eof())
            value += q.text(QStringLiteral("OPIS"));
        q.close();
    });
    return value;
}

// Name and NIP, and on a line of its own the address: street and number,
// postal code and town.
QString TDMRaporty::companyText(const Statement& q)
{
    const auto field = [&](const char* name) { return q.text(QLatin1String(name)).trimmed(); };
    QString text = q.text(QStringLiteral("NAZWA")) + QStringLiteral(" NIP:") + q.text(QStringLiteral("NIP"));
    QStringList address;
    for (const QString& part : {(field("ULICA") + QLatin1Char(' ') + field("NUMER")).trimmed(),
                                (field("KOD") + QLatin1Char(' ') + field("MIASTO")).trimmed()})
        if (!part.isEmpty())
            address << part;
    if (!address.isEmpty())
        text += QLatin1Char('\r') + address.join(QStringLiteral(", "));
    return text;
}

QString TDMRaporty::reportOfSource(const QString& source)
{
    for (const ReportDef& r : reports())
        for (const SourceDef& s : r.sources)
            if (source == QLatin1String(s.name))
                return QLatin1String(r.name);
    return {};
}

QString TDMRaporty::getValue(const QString& name)
{
    QString value;
    if (ReportFields(*this).value(name, &value))
        return value;
    // The common variables come before the columns: the supplier column
    // FIRMA of the cost lists must not replace the own company.
    if (isCommon(name))
        return commonValue(name);
    // A column of the main source's query answers under its own name.
    const Statement* q = rows(m_mainSource);
    if (ReportFields::usable(q) && q->hasField(name))
        return q->text(name);
    return {};
}

bool TDMRaporty::isCommon(const QString& name)
{
    static const QStringList names = {
        QStringLiteral("FIRMA"),        QStringLiteral("FIRMA_WLASNA"), QStringLiteral("WYSTAWIL"),
        QStringLiteral("ZAAKCEPTOWAL"), QStringLiteral("WYSTAWIONO"),   QStringLiteral("WLASCICIEL"),
        QStringLiteral("NRKPIR_TITLE"), QStringLiteral("RAP_DW_FIRMA"), QStringLiteral("STRONA")};
    return names.contains(name);
}

QString TDMRaporty::commonValue(const QString& name)
{
    // FIRMA_WLASNA: the own company where a report's FIRMA is a row's company.
    // Both are left empty when the option says the company is not to be printed.
    if (name == QLatin1String("FIRMA") || name == QLatin1String("FIRMA_WLASNA")) {
        if (!Config::global().flag(QStringLiteral("cbRapFirma")))
            return {};
        if (!m_companyRead) {
            m_companyRead = true;
            m_company.clear();
            guarded(81135, [&] {
                Statement& q = *m_scratch;
                q.close();
                q.clearParams();
                q.setLines(
                    {QStringLiteral("SELECT NAZWA,NIP,ULICA,NUMER,KOD,MIASTO FROM firmy WHERE IDFIRMY = 1")});
                q.open();
                if (!q.eof())
                    m_company = companyText(q);
                q.close();
            });
        }
        return m_company;
    }
    const QString line = QStringLiteral("_____________________\r");
    if (name == QLatin1String("WYSTAWIL"))
        return Config::global().flag(QStringLiteral("cbRapWystawil")) ? line + QStringLiteral("Wystawił")
                                                                      : QString();
    if (name == QLatin1String("ZAAKCEPTOWAL"))
        return Config::global().flag(QStringLiteral("cbRapZaakceptowal"))
                   ? line + QStringLiteral("Zaakceptował")
                   : QString();
    if (name == QLatin1String("WYSTAWIONO"))
        return m_choices.issueDateOn ? QStringLiteral("Wystawiono ") + m_choices.issueDate : QString();
    if (name == QLatin1String("WLASCICIEL"))
        return ReportFields::text(&m_db.statement(QStringLiteral("DBFKomputery")), QStringLiteral("NREW"));
    if (name == QLatin1String("NRKPIR_TITLE"))
        return QStringLiteral("Nr KPiR");
    if (name == QLatin1String("RAP_DW_FIRMA"))
        return QStringLiteral("wpisane do księgi przychodów i rozchodów pod numerem");
    if (name == QLatin1String("STRONA"))
        return QString::number(m_page);
    return {};
}
