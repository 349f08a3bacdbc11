#include "reminders/DeadlineCheck.h"

#include "base/Config.h"
#include "registers/TextExport.h"
#include "store/AppState.h"
#include "store/Guarded.h"
#include "store/PreparedStatement.h"
#include "store/ReadTransaction.h"

#include <QIODevice>

#include <algorithm>

namespace {
struct ObjectKind
{
    char letter;
    const char* from; // table and key condition of the label lookup
    const char* table;
    const char* keyColumn;
    const char* name;
    bool asset; // repairs and documents belong to computers and equipment only
};

const ObjectKind kKinds[] = {
    {'K', "komputery WHERE IDKOMPUTERA=", "komputery", "IDKOMPUTERA", "Komp.", true},
    {'S', "sprzet WHERE IDSPRZETU=", "sprzet", "IDSPRZETU", "Sprzęt", true},
    {'B', "bhp WHERE IDBHP=", "bhp", "IDBHP", "BHP", false},
    {'L', "licencje WHERE IDLICENCJI=", "licencje", "IDLICENCJI", "Lic.", false},
};

const ObjectKind* findKind(const QString& letter, bool onlyAssets)
{
    if (letter.size() != 1)
        return nullptr;
    for (const ObjectKind& k : kKinds)
        if (letter.at(0) == QLatin1Char(k.letter) && (k.asset || !onlyAssets))
            return &k;
    return nullptr;
}

// The same by the letter's stored bytes: the index in kKinds, or -1.
int kindIndex(QByteArrayView letter, bool onlyAssets)
{
    if (letter.size() != 1)
        return -1;
    for (size_t i = 0; i < std::size(kKinds); ++i)
        if (letter[0] == kKinds[i].letter && (kKinds[i].asset || !onlyAssets))
            return int(i);
    return -1;
}

// Labels are read by ranges of the primary key: at most this many keys a
// range, and a range spans at most kSpread keys for each key it holds, so
// that scattered keys are read one by one and few rows are read unneeded.
constexpr size_t kKeysPerRange = 512;
constexpr qint64 kSpread = 4;

// Another kind letter is kept by its text; repairs and documents know fewer
// kinds than deadlines, so their lookups are kept apart.
QString labelKey(const QString& kind, qint64 id, bool onlyAssets)
{
    return kind + (onlyAssets ? QLatin1Char(':') : QLatin1Char('+')) + QString::number(id);
}

// A text made of UTF-8 pieces in one allocation; the buffer is kept from
// text to text.
class Joiner
{
public:
    QString operator()(QByteArrayView prefix, QByteArrayView middle, QByteArrayView suffix = {})
    {
        m_buffer.resize(0);
        m_buffer.append(prefix).append(middle).append(suffix);
        return QString::fromUtf8(m_buffer);
    }

private:
    QByteArray m_buffer;
};
} // namespace

QString DeadlineEntry::keyText() const
{
    if (isBhp())
        return QStringLiteral("NREW=\"") + nrew + QStringLiteral("\" AND IDBHP=") + QString::number(idbhp);
    return QString::number(key);
}

QStringList DeadlineEntry::cells() const
{
    return {TmyDataBase::dateText(date), kind, label, name, details};
}

DeadlineOptions DeadlineOptions::fromConfig()
{
    const Config& c = Config::global();
    DeadlineOptions o;
    o.dataWsteczna = c.number(QStringLiteral("dataWsteczna"));
    o.dataWstecznaMin = c.number(QStringLiteral("dataWstecznaMin"));
    o.terminy = c.flag(QStringLiteral("cbTerminy"));
    o.naprawy = c.flag(QStringLiteral("cbNaprawy"));
    o.dokumenty = c.flag(QStringLiteral("cbDokumenty"));
    o.bhpStan = c.flag(QStringLiteral("cbBhpStan"));
    return o;
}

qint64 DeadlineCheck::upperBound(const QDate& today, int dataWsteczna)
{
    return DueWindow::toYmd(today.addDays(dataWsteczna));
}

qint64 DeadlineCheck::lowerBound(const QDate& today, int dataWstecznaMin)
{
    return dataWstecznaMin == 0 ? 0 : DueWindow::toYmd(today.addDays(-qint64(dataWstecznaMin) - 1));
}

QStringList DeadlineCheck::titles()
{
    return {QStringLiteral("data"), QString(), QStringLiteral("nr ewid."), QStringLiteral("Nazwa / opis"),
            QStringLiteral("Szczegóły")};
}

int DeadlineCheck::writeRight(const QString& kind)
{
    if (kind == QLatin1String("Term."))
        return 8;
    if (kind == QLatin1String("Dok."))
        return 17;
    if (kind == QLatin1String("Napr."))
        return 10;
    return 25;
}

namespace {
// A column of a section's result, found by name once per opening rather
// than once per row.
int field(const Statement& q, const char* name)
{
    const QString n = QLatin1String(name);
    const int c = q.fieldIndex(n);
    if (c < 0)
        throw DbError(q.name() + QStringLiteral(": Field '") + n + QStringLiteral("' not found"));
    return c;
}
} // namespace

QList<DeadlineEntry> DeadlineCheck::collect(const DeadlineOptions& options, const Rights& rights,
                                            const QDate& today)
{
    clearLabels();
    const qint64 upper = upperBound(today, options.dataWsteczna);
    const qint64 lower = lowerBound(today, options.dataWstecznaMin);
    QList<DeadlineEntry> entries;
    // Entries are relocatable: the list grows by moving its block, never by
    // copying them, so it is not reserved section by section.

    // Deadlines, repairs and documents: one row of a section is one entry.
    struct Columns
    {
        const char *date, *kind, *name, *details, *key;
    };
    const auto reader = [&entries, this](Columns c, const QString& kindText, const char* detailsPrefix,
                                         bool attached, qint64 labelCode) {
        return [&entries, this, c, kindText, detailsPrefix, attached, labelCode](Statement& q) {
            const int date = field(q, c.date), kind = field(q, c.kind), object = field(q, "IDOBIEKTU"),
                      name = field(q, c.name), details = field(q, c.details), key = field(q, c.key);
            Joiner join;
            QByteArray spare;
            for (int r = 0, n = q.recordCount(); r < n; ++r) {
                DeadlineEntry e;
                e.date = q.integerAt(r, date);
                e.kind = kindText;
                const qint64 id = q.integerAt(r, object);
                const int known = kindIndex(q.utf8At(r, kind, spare), attached);
                e.label = known >= 0 ? objectLabel(known, id, labelCode)
                                     : objectLabel(q.textAt(r, kind), id, attached, labelCode);
                e.name = q.textAt(r, name);
                e.details = join(detailsPrefix, q.utf8At(r, details, spare));
                e.key = q.integerAt(r, key);
                entries.push_back(std::move(e));
            }
        };
    };
    if (options.terminy && rights[7]) {
        const auto deadline = [&](const char* dateField, qint64 labelCode) {
            return reader({dateField, "CZEGODOTYCZY", "OPIS", "KLASYFIKATOR", "IDTERMINU"},
                          QStringLiteral("Term."), "Rodzaj: ", false, labelCode);
        };
        readSection(QStringLiteral("DBFdatyTerminarzDTOD"), upper, lower, 190, QStringLiteral("CZEGODOTYCZY"),
                    deadline("DATAOD", 20023));
        readSection(QStringLiteral("DBFdatyTerminarzDTDO"), upper, lower, 190, QStringLiteral("CZEGODOTYCZY"),
                    deadline("DATADO", 21023));
    }
    if (options.naprawy && rights[9])
        readSection(QStringLiteral("DBFdatyNaprawy"), upper, lower, 190, QStringLiteral("KOMPSPRZ"),
                    reader({"TERMIN", "KOMPSPRZ", "OPIS", "NAZWA", "IDNAPRAWY"}, QStringLiteral("Napr."),
                           "Firma: ", true, 22023));
    if (options.dokumenty && rights[16])
        readSection(QStringLiteral("DBFdatyDokumenty"), upper, lower, 81904, QStringLiteral("CZEGODOTYCZY"),
                    reader({"TERMIN", "CZEGODOTYCZY", "NAZWA", "NUMER", "IDDOKUMENTU"},
                           QStringLiteral("Dok."), "Nr dok.: ", true, 81903));
    if (options.bhpStan && rights[24])
        readSection(QStringLiteral("DBFdatyStanBHP"), upper, lower, 62037, QString(), [&](Statement& q) {
            const int date = field(q, "DATADO"), number = field(q, "NREWID"), name = field(q, "NAZWA"),
                      employee = field(q, "PRACOWNIK"), nrew = field(q, "RNREW"), item = field(q, "IDBHP");
            const QString kind = QStringLiteral("Bhp");
            Joiner join;
            QByteArray spare;
            for (int r = 0, n = q.recordCount(); r < n; ++r) {
                DeadlineEntry e;
                e.date = q.integerAt(r, date);
                e.kind = kind;
                e.label = join("BHP (", q.utf8At(r, number, spare), ")");
                e.name = q.textAt(r, name);
                e.details = join("Prac.: ", q.utf8At(r, employee, spare));
                e.nrew = q.textAt(r, nrew);
                e.idbhp = q.integerAt(r, item);
                entries.push_back(std::move(e));
            }
        });
    clearLabels();
    return entries;
}

void DeadlineCheck::clearLabels()
{
    m_labels.clear();
    for (QHash<qint64, QString>& labels : m_knownLabels)
        labels.clear();
}

void DeadlineCheck::readSection(const QString& statement, qint64 upper, qint64 lower, qint64 sectionCode,
                                const QString& kindField, const std::function<void(Statement&)>& rows)
{
    Statement& q = m_db.statement(statement);
    // The bounds go on the two slot lines of each source's text.
    int upperLine = 1;
    if (statement.startsWith(QLatin1String("DBFdatyTerminarz")))
        upperLine = 7;
    else if (statement == QLatin1String("DBFdatyStanBHP"))
        upperLine = 6;
    guarded(sectionCode, [&] {
        q.close();
        q.setLine(upperLine, QString::number(upper));
        q.setLine(upperLine + 2, QString::number(lower));
        q.open();
        if (!kindField.isEmpty())
            preloadLabels(q, kindField,
                          kindField == QLatin1String("KOMPSPRZ") ||
                              statement == QLatin1String("DBFdatyDokumenty"));
        rows(q);
    });
    q.close();
}

void DeadlineCheck::preloadLabels(Statement& rows, const QString& kindField, bool onlyAssets)
{
    const int kind = rows.fieldIndex(kindField);
    const int object = rows.fieldIndex(QStringLiteral("IDOBIEKTU"));
    if (kind < 0 || object < 0)
        return; // the rows' own reading reports the missing field
    std::array<std::vector<qint64>, std::size(kKinds)> wanted;
    QByteArray spare;
    for (int r = 0, n = rows.recordCount(); r < n; ++r) {
        const int k = kindIndex(rows.utf8At(r, kind, spare), onlyAssets);
        if (k < 0)
            continue;
        const qint64 id = rows.integerAt(r, object);
        if (!m_knownLabels[size_t(k)].contains(id))
            wanted[size_t(k)].push_back(id);
    }
    for (size_t k = 0; k < wanted.size(); ++k)
        if (!wanted[k].empty())
            readLabels(int(k), wanted[k]);
}

void DeadlineCheck::readLabels(int kind, std::vector<qint64>& keys)
{
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    const ObjectKind& k = kKinds[kind];
    QHash<qint64, QString>& labels = m_knownLabels[size_t(kind)];
    labels.reserve(labels.size() + qsizetype(keys.size()));
    const QByteArray name = QByteArray(k.name) + " (";
    Joiner join;
    try {
        // One lock for all the ranges: each read of its own would take the
        // lock and check the file anew.
        const ReadTransaction read(m_db.DatabaseMain());
        PreparedStatement range(
            m_db.DatabaseMain(),
            QStringLiteral("SELECT ") + QLatin1String(k.keyColumn) + QStringLiteral(",NREWID FROM ") +
                QLatin1String(k.table) + QStringLiteral(" WHERE ") + QLatin1String(k.keyColumn) +
                QStringLiteral(" BETWEEN :PARAM0 AND :PARAM1 ORDER BY ") + QLatin1String(k.keyColumn));
        for (size_t from = 0; from < keys.size();) {
            size_t to = from + 1;
            while (to < keys.size() && to - from < kKeysPerRange &&
                   keys[to] - keys[from] < kSpread * qint64(to - from + 1))
                ++to;
            range.bind(0, keys[from]);
            range.bind(1, keys[to - 1]);
            // Objects that no longer exist show empty brackets.
            size_t next = from;
            while (range.step()) {
                const qint64 id = range.integer(0);
                for (; next < to && keys[next] < id; ++next)
                    labels.insert(keys[next], join(name, {}, ")"));
                if (next < to && keys[next] == id)
                    labels.insert(keys[next++], join(name, range.utf8(1), ")"));
            }
            range.reset();
            for (; next < to; ++next)
                labels.insert(keys[next], join(name, {}, ")"));
            from = to;
        }
    } catch (const DbError&) {
        // The labels not read are left to the single lookups, which report the failure.
    }
}

QString DeadlineCheck::objectLabel(int kind, qint64 id, qint64 code)
{
    const QHash<qint64, QString>& known = m_knownLabels[size_t(kind)];
    if (const auto cached = known.constFind(id); cached != known.cend())
        return *cached;
    return objectLabel(QString(QLatin1Char(kKinds[kind].letter)), id, false, code);
}

QString DeadlineCheck::objectLabel(const QString& kind, qint64 id, bool onlyAssets, qint64 code)
{
    // Known kinds are kept by key alone (their label is the same from every
    // source); another letter by its text.
    const ObjectKind* k = findKind(kind, onlyAssets);
    QHash<qint64, QString>* known = k ? &m_knownLabels[size_t(k - kKinds)] : nullptr;
    const QString cacheKey = known ? QString() : labelKey(kind, id, onlyAssets);
    if (known) {
        const auto cached = known->constFind(id);
        if (cached != known->cend())
            return *cached;
    } else {
        const auto cached = m_labels.constFind(cacheKey);
        if (cached != m_labels.cend())
            return *cached;
    }
    QString label;
    Statement& q = m_db.mySQL();
    // An unknown kind letter leaves the lookup without its table: it fails and
    // is reported, and the entry is listed without a label.
    guarded(code, [&] {
        q.clear();
        q.add(QStringLiteral("SELECT NREWID FROM ") + (k ? QString::fromUtf8(k->from) : QString()) +
              QString::number(id));
        q.open();
        label = QString::fromUtf8(k->name) + QStringLiteral(" (") +
                (q.isEmpty() ? QString() : q.text(QStringLiteral("NREWID"))) + QLatin1Char(')');
    });
    q.close();
    if (known)
        known->insert(id, label);
    else
        m_labels.insert(cacheKey, label);
    return label;
}

namespace {
QString deactivateText(const QString& kind)
{
    if (kind == QLatin1String("Term."))
        return QStringLiteral("UPDATE terminy SET ACT='N' WHERE IDTERMINU=");
    if (kind == QLatin1String("Dok."))
        return QStringLiteral("UPDATE dokumenty SET ACT='N' WHERE IDDOKUMENTU=");
    return QStringLiteral("UPDATE naprawy SET ACT='N' WHERE IDNAPRAWY=");
}

qint64 deactivateCode(const QString& kind)
{
    if (kind == QLatin1String("Term."))
        return 172001;
    if (kind == QLatin1String("Dok."))
        return 172002;
    return 172003;
}
} // namespace

bool DeadlineCheck::remove(const DeadlineEntry& entry)
{
    Statement& q = m_db.mySQL();
    qint64 code = 171903;
    if (entry.kind == QLatin1String("Term."))
        code = 171900;
    else if (entry.kind == QLatin1String("Dok."))
        code = 171901;
    else if (entry.kind == QLatin1String("Napr."))
        code = 171902;
    const bool ok = guarded(code, [&] {
        q.clear();
        if (entry.kind == QLatin1String("Term."))
            q.add(QStringLiteral("DELETE FROM terminy WHERE IDTERMINU= ") + QString::number(entry.key));
        else if (entry.kind == QLatin1String("Dok."))
            q.add(QStringLiteral("DELETE FROM dokumenty WHERE IDDOKUMENTU= ") + QString::number(entry.key));
        else if (entry.kind == QLatin1String("Napr."))
            q.add(QStringLiteral("DELETE FROM naprawy WHERE IDNAPRAWY= ") + QString::number(entry.key));
        else {
            // The employee's whole holding of the item; the employee key is bound.
            q.add(QStringLiteral("DELETE FROM r_bhpprac WHERE NREW=:PARAM0 AND IDBHP=") +
                  QString::number(entry.idbhp));
            q.setParam(0, entry.nrew);
        }
        q.execSQL();
    });
    q.close();
    return ok;
}

bool DeadlineCheck::deactivate(const DeadlineEntry& entry)
{
    if (entry.isBhp())
        return false;
    Statement& q = m_db.mySQL();
    const bool ok = guarded(deactivateCode(entry.kind), [&] {
        q.clear();
        q.add(deactivateText(entry.kind) + QString::number(entry.key));
        q.execSQL();
    });
    q.close();
    return ok;
}

QList<DeadlineEntry> DeadlineCheck::deactivateAll(const QList<DeadlineEntry>& entries, const Rights& rights,
                                                  bool* ok)
{
    QList<DeadlineEntry> left;
    Statement& q = m_db.mySQL();
    const bool done = guarded(172001, [&] {
        WriteTransaction transaction(m_db.DatabaseMain());
        for (const DeadlineEntry& e : entries) {
            if (e.isBhp() || !rights[size_t(writeRight(e.kind))]) {
                left << e;
                continue;
            }
            try {
                q.clear();
                q.add(deactivateText(e.kind) + QString::number(e.key));
                q.execSQL();
            } catch (const DbError& error) {
                ErrorLog::report(error.message(), true, deactivateCode(e.kind));
                throw AlreadyReported();
            }
        }
        transaction.commit();
    });
    q.close();
    if (ok)
        *ok = done;
    return done ? left : entries;
}

bool DeadlineCheck::writeText(const QList<QStringList>& rows, QIODevice& device)
{
    QStringList lines;
    for (const QStringList& r : rows) {
        lines << QStringLiteral("Termin (dot. ") + r.value(1) + QStringLiteral("): ") + r.value(0);
        lines << QStringLiteral("Nr ewid.: ") + r.value(2);
        lines << QStringLiteral("Nazwa / opis: ") + r.value(3);
        lines << QStringLiteral("Szczegóły: ") + r.value(4);
        lines << QString(33, QLatin1Char('-'));
    }
    return TextExport::write(lines, device);
}
