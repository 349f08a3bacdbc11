#include "reminders/DeadlineCheck.h"

#include "base/Config.h"
#include "registers/TextExport.h"
#include "store/AppState.h"
#include "store/Guarded.h"

#include <QIODevice>
#include <QSet>

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

// Above this many objects of one kind in a section their labels are read
// many at a time instead of one lookup each.
constexpr int kLookupsPerKind = 64;

// Repairs and documents know fewer kinds than deadlines: their labels are kept apart.
QString labelKey(const QString& kind, qint64 id, bool onlyAssets)
{
    return kind + (onlyAssets ? QLatin1Char(':') : QLatin1Char('+')) + QString::number(id);
}
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
    const auto add = [&entries](const Statement& q) { entries.reserve(entries.size() + q.recordCount()); };

    // Deadlines, repairs and documents: one row of a section is one entry.
    struct Columns {
        const char *date, *kind, *name, *details, *key;
    };
    const auto reader = [&entries, &add, this](Columns c, const QString& kindText, const QString& detailsPrefix,
                                               bool attached, qint64 labelCode) {
        return [&entries, &add, this, c, kindText, detailsPrefix, attached, labelCode](Statement& q) {
            const int date = field(q, c.date), kind = field(q, c.kind), object = field(q, "IDOBIEKTU"),
                      name = field(q, c.name), details = field(q, c.details), key = field(q, c.key);
            add(q);
            for (int r = 0, n = q.recordCount(); r < n; ++r) {
                DeadlineEntry e;
                e.date = q.integerAt(r, date);
                e.kind = kindText;
                e.label = objectLabel(q.textAt(r, kind), q.integerAt(r, object), attached, labelCode);
                e.name = q.textAt(r, name);
                e.details = detailsPrefix + q.textAt(r, details);
                e.key = q.integerAt(r, key);
                entries.push_back(std::move(e));
            }
        };
    };
    if (options.terminy && rights[7]) {
        const auto deadline = [&](const char* dateField, qint64 labelCode) {
            return reader({dateField, "CZEGODOTYCZY", "OPIS", "KLASYFIKATOR", "IDTERMINU"},
                          QStringLiteral("Term."), QStringLiteral("Rodzaj: "), false, labelCode);
        };
        readSection(QStringLiteral("DBFdatyTerminarzDTOD"), upper, lower, 190, QStringLiteral("CZEGODOTYCZY"),
                    deadline("DATAOD", 20023));
        readSection(QStringLiteral("DBFdatyTerminarzDTDO"), upper, lower, 190, QStringLiteral("CZEGODOTYCZY"),
                    deadline("DATADO", 21023));
    }
    if (options.naprawy && rights[9])
        readSection(QStringLiteral("DBFdatyNaprawy"), upper, lower, 190, QStringLiteral("KOMPSPRZ"),
                    reader({"TERMIN", "KOMPSPRZ", "OPIS", "NAZWA", "IDNAPRAWY"}, QStringLiteral("Napr."),
                           QStringLiteral("Firma: "), true, 22023));
    if (options.dokumenty && rights[16])
        readSection(QStringLiteral("DBFdatyDokumenty"), upper, lower, 81904, QStringLiteral("CZEGODOTYCZY"),
                    reader({"TERMIN", "CZEGODOTYCZY", "NAZWA", "NUMER", "IDDOKUMENTU"}, QStringLiteral("Dok."),
                           QStringLiteral("Nr dok.: "), true, 81903));
    if (options.bhpStan && rights[24])
        readSection(QStringLiteral("DBFdatyStanBHP"), upper, lower, 62037, QString(), [&](Statement& q) {
            const int date = field(q, "DATADO"), number = field(q, "NREWID"), name = field(q, "NAZWA"),
                      employee = field(q, "PRACOWNIK"), nrew = field(q, "RNREW"), item = field(q, "IDBHP");
            add(q);
            for (int r = 0, n = q.recordCount(); r < n; ++r) {
                DeadlineEntry e;
                e.date = q.integerAt(r, date);
                e.kind = QStringLiteral("Bhp");
                e.label = QStringLiteral("BHP (") + q.textAt(r, number) + QLatin1Char(')');
                e.name = q.textAt(r, name);
                e.details = QStringLiteral("Prac.: ") + q.textAt(r, employee);
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

QHash<qint64, QString>* DeadlineCheck::knownLabels(const QString& kind, bool onlyAssets)
{
    const ObjectKind* k = findKind(kind, onlyAssets);
    if (!k)
        return nullptr;
    return &m_knownLabels[size_t(k - kKinds) * 2 + (onlyAssets ? 1 : 0)];
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
    QHash<QString, QSet<qint64>> ids;
    const int kind = rows.fieldIndex(kindField);
    const int object = rows.fieldIndex(QStringLiteral("IDOBIEKTU"));
    if (kind < 0 || object < 0)
        return; // the rows' own reading reports the missing field
    for (int r = 0, n = rows.recordCount(); r < n; ++r)
        ids[rows.textAt(r, kind)].insert(rows.integerAt(r, object));
    for (auto it = ids.cbegin(); it != ids.cend(); ++it) {
        const ObjectKind* k = findKind(it.key(), onlyAssets);
        if (!k || it.value().size() <= kLookupsPerKind)
            continue;
        QHash<qint64, QString>& labels = *knownLabels(it.key(), onlyAssets);
        labels.reserve(labels.size() + it.value().size());
        // Read in chunks of keys by the primary key, so the cost follows the
        // entries listed, not the size of the table. A failure leaves the
        // labels to the single lookups, which report it.
        const QList<qint64> keys(it.value().cbegin(), it.value().cend());
        const QString name = QString::fromUtf8(k->name);
        constexpr int kChunk = 500;
        for (int from = 0; from < keys.size(); from += kChunk) {
            try {
                QStringList list;
                for (int i = from; i < qMin(int(keys.size()), from + kChunk); ++i)
                    list << QString::number(keys.at(i));
                Statement& q = m_db.mySQL();
                q.clear();
                q.add(QStringLiteral("SELECT ") + QLatin1String(k->keyColumn) +
                      QStringLiteral(" AS ID,NREWID FROM ") + QLatin1String(k->table) +
                      QStringLiteral(" WHERE ") + QLatin1String(k->keyColumn) + QStringLiteral(" IN (") +
                      list.join(QLatin1Char(',')) + QLatin1Char(')'));
                q.open();
                QHash<qint64, QString> found;
                found.reserve(q.recordCount());
                for (q.first(); !q.eof(); q.next())
                    found.insert(q.integer(QStringLiteral("ID")), q.text(QStringLiteral("NREWID")));
                q.close();
                // Objects that no longer exist show empty brackets.
                for (int i = from; i < qMin(int(keys.size()), from + kChunk); ++i)
                    labels.insert(keys.at(i), name + QStringLiteral(" (") + found.value(keys.at(i)) +
                                                  QLatin1Char(')'));
            } catch (const DbError&) {
                m_db.mySQL().close();
            }
        }
    }
}

QString DeadlineCheck::objectLabel(const QString& kind, qint64 id, bool onlyAssets, qint64 code)
{
    // Known kinds are kept by key alone; another letter by its text.
    QHash<qint64, QString>* known = knownLabels(kind, onlyAssets);
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
    const ObjectKind* k = findKind(kind, onlyAssets);
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
