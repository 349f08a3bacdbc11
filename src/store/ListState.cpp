#include "store/ListState.h"

#include "store/PolishCollation.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/Statement.h"

#include <algorithm>
#include <vector>

namespace {
// Where each list statement keeps its slots (-1: the list has no such slot).
struct Layout
{
    const char* name;
    const char* alias; // base table alias in the statement, "" without joins
    const char* defaultOrder;
    int orderLine;
    int directionLine;
    std::vector<int> reserved;
    int dateRange = -1;
    int archive = -1;
    int classifier = -1;
    int activeOnly = -1;
    int objectKey = -1;
    int objectKind = -1;
    int owner = -1;
    const char* dateFrom = ""; // column of the lower date bound
    const char* dateTo = "";   // column of the upper date bound
    const char* kindColumn = "";
    const char* ownerColumn = "";
};

const std::vector<Layout>& layouts()
{
    // clang-format off
    static const std::vector<Layout> table = {
        {.name = "DBFKomputery", .alias = "K", .defaultOrder = "NREWID", .orderLine = 15, .directionLine = 16,
         .reserved = {10}, .dateRange = 11, .archive = 12, .classifier = 13,
         .dateFrom = "DATAZAKUPU", .dateTo = "DATAZAKUPU"},
        // Line 11 holds either the date range or the owning computer.
        {.name = "DBFSprzet", .alias = "S", .defaultOrder = "NREWID", .orderLine = 15, .directionLine = 16,
         .reserved = {10}, .dateRange = 11, .archive = 12, .classifier = 13, .owner = 11,
         .dateFrom = "DATAZAKUPU", .dateTo = "DATAZAKUPU", .ownerColumn = "IDKOMPUTERA"},
        {.name = "DBFProgramy", .alias = "P", .defaultOrder = "NAZWA", .orderLine = 12, .directionLine = 13,
         .reserved = {7, 8, 9}, .classifier = 10},
        {.name = "DBFLicencje", .alias = "L", .defaultOrder = "NREWID", .orderLine = 12, .directionLine = 13,
         .reserved = {8}, .dateRange = 9, .archive = 10, .dateFrom = "DATAZAKUPU", .dateTo = "DATAZAKUPU"},
        {.name = "DBFTerminy", .alias = "T", .defaultOrder = "DATAOD", .orderLine = 19, .directionLine = 20,
         .reserved = {13}, .dateRange = 14, .activeOnly = 17, .objectKey = 15, .objectKind = 16,
         .dateFrom = "DATAOD", .dateTo = "DATADO", .kindColumn = "CZEGODOTYCZY"},
        {.name = "DBFNaprawy", .alias = "N", .defaultOrder = "TERMIN", .orderLine = 18, .directionLine = 19,
         .reserved = {12}, .dateRange = 13, .activeOnly = 16, .objectKey = 14, .objectKind = 15,
         .dateFrom = "DATANAPRAWY", .dateTo = "DATANAPRAWY", .kindColumn = "KOMPSPRZ"},
        {.name = "DBFDokumenty", .alias = "D", .defaultOrder = "DATADOK", .orderLine = 18, .directionLine = 19,
         .reserved = {12}, .dateRange = 13, .activeOnly = 16, .objectKey = 14, .objectKind = 15,
         .dateFrom = "DATADOK", .dateTo = "DATADOK", .kindColumn = "CZEGODOTYCZY"},
        {.name = "DBFHistoria", .alias = "H", .defaultOrder = "DATAOD", .orderLine = 18, .directionLine = 19,
         .reserved = {12, 16}, .dateRange = 13, .objectKey = 14, .objectKind = 15,
         .dateFrom = "DATAOD", .dateTo = "DATADO", .kindColumn = "KOMPSPRZ"},
        {.name = "DBFZlecenia", .alias = "Z", .defaultOrder = "DATAOD", .orderLine = 18, .directionLine = 19,
         .reserved = {12, 16}, .dateRange = 13, .objectKey = 14, .objectKind = 15,
         .dateFrom = "DATAOD", .dateTo = "DATADO", .kindColumn = "CZEGODOTYCZY"},
        {.name = "DBFRozliczenia", .alias = "Z", .defaultOrder = "DATAOD", .orderLine = 18, .directionLine = 19,
         .reserved = {12, 16}, .dateRange = 13, .objectKey = 14, .objectKind = 15,
         .dateFrom = "DATAOD", .dateTo = "DATADO", .kindColumn = "CZEGODOTYCZY"},
        {.name = "DBFZalaczniki", .alias = "Z", .defaultOrder = "NAZWAZALACZNIKA", .orderLine = 30,
         .directionLine = 31, .reserved = {22, 26}, .dateRange = 23, .objectKey = 24, .objectKind = 25,
         .dateFrom = "DATADODANIA", .dateTo = "DATADODANIA", .kindColumn = "CZEGODOTYCZY"},
        {.name = "DBFMagazyn", .alias = "", .defaultOrder = "CZESC", .orderLine = 12, .directionLine = 13,
         .reserved = {7, 8, 9}},
        {.name = "DBFBhp", .alias = "S", .defaultOrder = "NREWID", .orderLine = 15, .directionLine = 16,
         .reserved = {9, 10, 11}, .classifier = 12},
        {.name = "DBFZakupBhp", .alias = "Z", .defaultOrder = "NREWID", .orderLine = 14, .directionLine = 15,
         .reserved = {8, 10}, .dateRange = 9, .classifier = 11, .dateFrom = "DATAZAKUPU", .dateTo = "DATAZAKUPU"},
        {.name = "DBFosobowa", .alias = "O", .defaultOrder = "NAZWISKO", .orderLine = 8, .directionLine = 9,
         .reserved = {6}},
        {.name = "DBFFirmy", .alias = "", .defaultOrder = "NAZWA", .orderLine = 6, .directionLine = 7,
         .reserved = {4}},
        {.name = "DBFUzytkownicy", .alias = "R", .defaultOrder = "PRACOWNIK", .orderLine = 10, .directionLine = 11,
         .reserved = {7}, .owner = 8, .ownerColumn = "IDKOMPUTERA"},
        {.name = "DBFUzywajacy", .alias = "R", .defaultOrder = "PRACOWNIK", .orderLine = 10, .directionLine = 11,
         .reserved = {7}, .owner = 8, .ownerColumn = "IDSPRZETU"},
        {.name = "DBFPosiadajacy", .alias = "R", .defaultOrder = "PRACOWNIK", .orderLine = 10, .directionLine = 11,
         .reserved = {7}, .owner = 8, .ownerColumn = "IDBHP"},
        // The licence and program keys exist in both joined tables: the owner is qualified.
        {.name = "DBFLicProg", .alias = "R", .defaultOrder = "NAZWA", .orderLine = 13, .directionLine = 14,
         .reserved = {9}, .activeOnly = 11, .owner = 10, .ownerColumn = "R.IDLICENCJI"},
        {.name = "DBFLicKomp", .alias = "O", .defaultOrder = "NAZWA", .orderLine = 14, .directionLine = 15,
         .reserved = {10, 11, 12}, .owner = 9, .ownerColumn = "O.IDKOMPUTERA"},
    };
    // clang-format on
    return table;
}

const Layout* layout(const QString& list)
{
    for (const Layout& l : layouts())
        if (list == QLatin1String(l.name))
            return &l;
    return nullptr;
}

int roleLine(const Layout& l, ListState::Role role)
{
    switch (role) {
    case ListState::Role::Reserved:
        return l.reserved.empty() ? -1 : l.reserved.front();
    case ListState::Role::DateRange:
        return l.dateRange;
    case ListState::Role::Archive:
        return l.archive;
    case ListState::Role::Classifier:
        return l.classifier;
    case ListState::Role::ActiveOnly:
        return l.activeOnly;
    case ListState::Role::ObjectKey:
        return l.objectKey;
    case ListState::Role::ObjectKind:
        return l.objectKind;
    case ListState::Role::Owner:
        return l.owner;
    }
    return -1;
}

const char* const kArchiveLists[] = {"DBFKomputery", "DBFLicencje", "DBFSprzet"};
const char* const kActiveOnlyLists[] = {"DBFTerminy", "DBFNaprawy", "DBFDokumenty"};
const char* const kRegisterClassifierLists[] = {"DBFKomputery", "DBFSprzet", "DBFProgramy"};
} // namespace

ListState::ListState()
{
    resetAll();
}

void ListState::resetAll()
{
    m_entries.clear();
    for (const Layout& l : layouts())
        reset(QLatin1String(l.name));
}

void ListState::reset(const QString& list)
{
    const Layout* l = layout(list);
    if (!l)
        return;
    Entry e;
    for (int line : slotLines(list))
        e.conditions.insert(line, QString());
    if (l->archive >= 0)
        e.conditions[l->archive] = archiveCondition(false);
    e.orderColumn = QLatin1String(l->defaultOrder);
    e.ascending = true;
    m_entries[list] = e;
}

QStringList ListState::listNames()
{
    QStringList names;
    for (const Layout& l : layouts())
        names << QLatin1String(l.name);
    return names;
}

bool ListState::hasList(const QString& list)
{
    return layout(list) != nullptr;
}

int ListState::line(const QString& list, Role role)
{
    const Layout* l = layout(list);
    return l ? roleLine(*l, role) : -1;
}

QList<int> ListState::reservedLines(const QString& list)
{
    const Layout* l = layout(list);
    return l ? QList<int>(l->reserved.begin(), l->reserved.end()) : QList<int>();
}

QList<int> ListState::slotLines(const QString& list)
{
    const Layout* l = layout(list);
    if (!l)
        return {};
    QList<int> lines = reservedLines(list);
    for (int line :
         {l->dateRange, l->archive, l->classifier, l->activeOnly, l->objectKey, l->objectKind, l->owner})
        if (line >= 0 && !lines.contains(line))
            lines << line;
    std::sort(lines.begin(), lines.end());
    return lines;
}

int ListState::orderLine(const QString& list)
{
    const Layout* l = layout(list);
    return l ? l->orderLine : -1;
}

int ListState::directionLine(const QString& list)
{
    const Layout* l = layout(list);
    return l ? l->directionLine : -1;
}

QString ListState::defaultOrderColumn(const QString& list)
{
    const Layout* l = layout(list);
    return l ? QLatin1String(l->defaultOrder) : QString();
}

QString ListState::qualifiedColumn(const QString& list, const QString& column)
{
    const Layout* l = layout(list);
    if (!l || !*l->alias || column.contains(QLatin1Char('.')))
        return column;
    return QLatin1String(l->alias) + QLatin1Char('.') + column;
}

ListState::Entry* ListState::find(const QString& list)
{
    const auto it = m_entries.find(list);
    return it == m_entries.end() ? nullptr : &it->second;
}

const ListState::Entry* ListState::find(const QString& list) const
{
    const auto it = m_entries.find(list);
    return it == m_entries.end() ? nullptr : &it->second;
}

ListState::Entry ListState::entry(const QString& list) const
{
    const Entry* e = find(list);
    return e ? *e : Entry();
}

void ListState::setEntry(const QString& list, const Entry& entry)
{
    Entry* e = find(list);
    if (!e)
        return;
    // Only the list's own slot lines are kept.
    for (auto it = e->conditions.begin(); it != e->conditions.end(); ++it)
        it.value() = entry.conditions.value(it.key());
    e->orderColumn = entry.orderColumn;
    e->ascending = entry.ascending;
}

QString ListState::slot(const QString& list, int line) const
{
    const Entry* e = find(list);
    return e ? e->conditions.value(line) : QString();
}

void ListState::setSlot(const QString& list, int line, const QString& condition)
{
    Entry* e = find(list);
    if (e && e->conditions.contains(line))
        e->conditions[line] = condition;
}

QString ListState::condition(const QString& list, Role role) const
{
    return slot(list, line(list, role));
}

void ListState::setCondition(const QString& list, Role role, const QString& condition)
{
    const int l = line(list, role);
    if (l >= 0)
        setSlot(list, l, condition);
}

void ListState::setDateRange(qint64 from, qint64 to)
{
    for (const Layout& l : layouts())
        if (l.dateRange >= 0)
            setDateRange(QLatin1String(l.name), from, to);
}

void ListState::setDateRange(const QString& list, qint64 from, qint64 to)
{
    setCondition(list, Role::DateRange, dateRangeCondition(list, from, to));
}

void ListState::setArchive(bool liquidated)
{
    for (const char* list : kArchiveLists)
        setCondition(QLatin1String(list), Role::Archive, archiveCondition(liquidated));
}

void ListState::setClassifier(const QString& list, qint64 kod)
{
    setCondition(list, Role::Classifier, classifierCondition(kod));
}

void ListState::clearRegisterClassifiers()
{
    for (const char* list : kRegisterClassifierLists)
        clearCondition(QLatin1String(list), Role::Classifier);
}

void ListState::setActiveOnly(bool on)
{
    for (const char* list : kActiveOnlyLists)
        setActiveOnly(QLatin1String(list), on);
}

void ListState::setActiveOnly(const QString& list, bool on)
{
    setCondition(list, Role::ActiveOnly, on ? activeOnlyCondition() : QString());
}

void ListState::setObjectKey(const QString& list, qint64 key)
{
    setCondition(list, Role::ObjectKey, objectKeyCondition(key));
}

void ListState::setObjectKind(const QString& list, const QString& kind)
{
    setCondition(list, Role::ObjectKind, objectKindCondition(list, kind));
}

void ListState::setObject(const QString& list, const QString& kind, qint64 key)
{
    setObjectKey(list, key);
    setObjectKind(list, kind);
}

void ListState::clearObject(const QString& list)
{
    clearCondition(list, Role::ObjectKey);
    clearCondition(list, Role::ObjectKind);
}

void ListState::setOwner(const QString& list, qint64 key, const QString& column)
{
    setCondition(list, Role::Owner, ownerCondition(list, key, column));
}

QString ListState::orderColumn(const QString& list) const
{
    const Entry* e = find(list);
    return e ? e->orderColumn : QString();
}

bool ListState::isAscending(const QString& list) const
{
    const Entry* e = find(list);
    return !e || e->ascending;
}

void ListState::setOrderColumn(const QString& list, const QString& column)
{
    if (Entry* e = find(list))
        e->orderColumn = column;
}

bool ListState::ascending(const QString& list) const
{
    const Entry* e = find(list);
    return e ? e->ascending : true;
}

void ListState::setAscending(const QString& list, bool ascending)
{
    if (Entry* e = find(list))
        e->ascending = ascending;
}

void ListState::sortBy(const QString& list, const QString& column)
{
    Entry* e = find(list);
    if (!e)
        return;
    // The deadline list joins the dictionary, whose OPIS is the kind's text.
    // The name is mapped before it is compared, so a second click on the same
    // title inverts this column too.
    QString target = column;
    if (list == QLatin1String("DBFTerminy") &&
        column.compare(QLatin1String("OPIS"), Qt::CaseInsensitive) == 0)
        target = QStringLiteral("T.OPIS");
    if (target.compare(e->orderColumn, Qt::CaseInsensitive) == 0)
        e->ascending = !e->ascending;
    e->orderColumn = target;
}

void ListState::applyTo(const QString& list, Statement& statement) const
{
    const Entry* e = find(list);
    const Layout* l = layout(list);
    if (!e || !l)
        return;
    for (auto it = e->conditions.cbegin(); it != e->conditions.cend(); ++it) // line order
        statement.setLine(it.key(), it.value());
    statement.setLine(l->orderLine, e->orderColumn + PolishCollation::clause());
    const SqlDialect& dialect =
        statement.connection() ? statement.connection()->dialect() : SqlDialect::file();
    statement.setLine(l->directionLine, e->ascending ? dialect.ascending : dialect.descending);
    // Equal values keep one order, the same after a reload and after a sort in memory.
    statement.setLine(l->directionLine + 1, QStringLiteral(", 1"));
}

QString ListState::dateRangeCondition(const QString& list, qint64 from, qint64 to)
{
    const Layout* l = layout(list);
    if (!l || l->dateRange < 0)
        return QString();
    if (to == 0)
        to = kNoUpperBound;
    return QStringLiteral("AND ") + QLatin1String(l->dateFrom) + QStringLiteral(" >= ") +
           QString::number(from) + QStringLiteral(" AND ") + QLatin1String(l->dateTo) +
           QStringLiteral(" <= ") + QString::number(to);
}

QString ListState::archiveCondition(bool liquidated)
{
    return liquidated ? QStringLiteral("AND ARCHIWUM='T'") : QStringLiteral("AND ARCHIWUM='N'");
}

QString ListState::classifierCondition(qint64 kod)
{
    return QStringLiteral("AND KLASYFIKATOR=") + QString::number(kod);
}

QString ListState::activeOnlyCondition()
{
    return QStringLiteral("AND ACT='T'");
}

QString ListState::objectKeyCondition(qint64 key)
{
    return QStringLiteral("AND IDOBIEKTU=") + QString::number(key);
}

QString ListState::objectKindCondition(const QString& list, const QString& kind)
{
    const Layout* l = layout(list);
    if (!l || !*l->kindColumn)
        return QString();
    return QStringLiteral("AND ") + QLatin1String(l->kindColumn) + QLatin1Char('=') + literal(kind);
}

QString ListState::ownerCondition(const QString& list, qint64 key, const QString& column)
{
    const Layout* l = layout(list);
    if (!l || l->owner < 0)
        return QString();
    QString name = QLatin1String(l->ownerColumn);
    if (!column.isEmpty()) // qualified where the default owner column is
        name = name.contains(QLatin1Char('.')) ? qualifiedColumn(list, column) : column;
    return QStringLiteral("AND ") + name + QLatin1Char('=') + QString::number(key);
}

QString ListState::literal(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
