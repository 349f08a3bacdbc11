#include "store/OldTablesImport.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/OldTableFile.h"
#include "store/OldTablesError.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include <sqlcipher/sqlite3.h>

using Reason = OldTablesError::Reason;

namespace {
// Entries of the canonical list (1-based) each version brought.
struct Step
{
    QString version;
    int first;
    int last;
};
const std::array<Step, 6> kSteps = {{{QStringLiteral("pierwsza"), 1, 18},
                                     {QStringLiteral("1.0.2"), 19, 22},
                                     {QStringLiteral("1.0.3"), 23, 25},
                                     {QStringLiteral("1.0.4"), 26, 26},
                                     {QStringLiteral("1.0.5"), 27, 27},
                                     {QStringLiteral("2.6"), 28, 28}}};
// Tables whose ACT column came with version 1.0.5; older files lack it.
const QStringList kActTables = {QStringLiteral("naprawy"), QStringLiteral("dokumenty")};
constexpr int kProgressEvery = 512;
constexpr int kListedSkips = 20;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

std::filesystem::path fsPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

void removeQuietly(const QString& path)
{
    if (!path.isEmpty() && QFileInfo::exists(path))
        QFile::remove(path);
}

QString temporaryName(const QString& target)
{
    for (;;) {
        const QString name =
            target + QStringLiteral(".new-") + QString::number(QRandomGenerator::global()->generate(), 16);
        if (!QFileInfo::exists(name) && !QFileInfo::exists(name + QStringLiteral("-journal")))
            return name;
    }
}

// Lower-case name -> the name as it is on the disk (the old files are named
// in any letter case).
QHash<QString, QString> filesIn(const QString& dir)
{
    QHash<QString, QString> files;
    for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System))
        files.insert(name.toLower(), name);
    return files;
}

// The UTF-8 of every Windows-1250 byte, made once.
const std::array<std::string, 256>& utf8Of()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (int b = 0; b < 256; ++b) {
            QStringDecoder decoder("windows-1250");
            const char c = char(b);
            const QString text = decoder(QByteArrayView(&c, 1));
            t[size_t(b)] = text.toStdString();
        }
        return t;
    }();
    return table;
}

// Without trailing blanks (and the zero bytes a memo may end with).
qsizetype trimmedLength(const QByteArray& bytes)
{
    qsizetype n = bytes.size();
    while (n > 0 && (bytes[n - 1] == ' ' || bytes[n - 1] == '\0'))
        --n;
    return n;
}

void appendUtf8(std::string& out, const char* bytes, qsizetype n)
{
    const auto& table = utf8Of();
    out.clear();
    out.reserve(size_t(n) * 2);
    for (qsizetype i = 0; i < n; ++i)
        out += table[quint8(bytes[i])];
}

QString decoded(const QByteArray& bytes)
{
    std::string utf8;
    appendUtf8(utf8, bytes.constData(), trimmedLength(bytes));
    return QString::fromStdString(utf8);
}

// A target column as the schema template declares it.
struct Column
{
    enum class Kind
    {
        Integer,
        Real,
        Text,
        Bytes
    };
    QString name;
    Kind kind = Kind::Text;
    int limit = 0; // characters; 0 without a limit
    bool key = false;
};

QList<Column> columnsOf(SqlConnection& connection, const QString& table)
{
    static const QRegularExpression sized(QStringLiteral("^(?:VAR)?CHAR\\((\\d+)\\)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    Statement info(&connection, QStringLiteral("columns"),
                   {QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')')});
    info.open();
    QList<Column> columns;
    for (info.first(); !info.eof(); info.next()) {
        Column c;
        c.name = info.text(QStringLiteral("name"));
        const QString type = info.text(QStringLiteral("type")).trimmed().toUpper();
        c.key = info.integer(QStringLiteral("pk")) > 0;
        if (type == QLatin1String("INTEGER")) {
            c.kind = Column::Kind::Integer;
        } else if (type == QLatin1String("REAL")) {
            c.kind = Column::Kind::Real;
        } else if (type == QLatin1String("BLOB")) {
            c.kind = Column::Kind::Bytes;
        } else {
            c.kind = Column::Kind::Text;
            const QRegularExpressionMatch m = sized.match(type);
            c.limit = m.hasMatch() ? m.captured(1).toInt() : 0;
        }
        columns << c;
    }
    return columns;
}

QStringList createStatements(const QStringList& definition, bool withAct)
{
    static const QRegularExpression act(QStringLiteral(",\\s*ACT\\s+CHAR\\(1\\)[^,)]*"));
    QStringList statements;
    for (QString statement : definition)
        if (statement.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive)) {
            if (!withAct)
                statement.remove(act);
            statements << statement;
        }
    return statements;
}

QStringList indexStatements(const QStringList& definition)
{
    QStringList statements;
    for (const QString& statement : definition)
        if (!statement.startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive))
            statements << statement;
    return statements;
}

[[noreturn]] void storeFailed(const DbError& e, const QString& folder)
{
    switch (e.sqliteCode() & 0xff) {
    case SQLITE_FULL:
        throw OldTablesError(
            Reason::TargetFailed,
            QStringLiteral("Na dysku z folderem %1 zabrakło miejsca na nową bazę danych. Zwolnij "
                           "miejsce albo wskaż inny folder i przenieś dane ponownie.")
                .arg(native(folder)),
            e.sqliteCode());
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_IOERR:
        throw OldTablesError(
            Reason::TargetFailed,
            QStringLiteral("Nie można zapisać nowej bazy danych w folderze %1: brak uprawnień do "
                           "zapisu albo folder jest tylko do odczytu. Wskaż inny folder.")
                .arg(native(folder)),
            e.sqliteCode());
    default:
        throw OldTablesError(Reason::TargetFailed,
                             QStringLiteral("Nie udało się zapisać nowej bazy danych w folderze %1: %2")
                                 .arg(native(folder), e.message()),
                             e.sqliteCode());
    }
}
} // namespace

// The old folder as found: its files and the tables opened from it.
struct OldTablesImport::Source
{
    QString dir;
    QHash<QString, QString> files;
    std::vector<std::unique_ptr<OldTableFile>> tables; // in the canonical order
    QStringList present;                               // "komputery.db", ...

    QString pathOf(const QString& lowerName) const
    {
        const auto it = files.constFind(lowerName);
        return it == files.constEnd() ? QString() : dir + QLatin1Char('/') + it.value();
    }

    std::unique_ptr<OldTableFile> open(const QString& lowerName) const
    {
        auto table = std::make_unique<OldTableFile>(pathOf(lowerName));
        table->open();
        if (table->hasMemoFields()) {
            const QString blob = pathOf(QFileInfo(lowerName).completeBaseName() + QStringLiteral(".mb"));
            if (!blob.isEmpty())
                table->attachBlobFile(blob);
        }
        return table;
    }
};

// How each column of one table is filled from the old file.
struct OldTablesImport::Conversion
{
    enum class How
    {
        IntegerFromInteger, // also yes/no and dates
        IntegerFromNumber,
        IntegerFromText,
        RealFromNumber,
        RealFromText,
        TextFromText,
        TextFromInteger,
        TextFromLogical,
        TextFromNumber,
        BytesFromText
    };
    struct Plan
    {
        Column column;
        int field = -1;
        How how = How::TextFromText;
        qint64 emptyInteger = 0;
    };

    QString table;
    QString file;
    QList<Plan> plans;
    bool withAct = true;
    QStringList notes;

    // Maps the template's columns onto the old fields; throws when a column
    // has no field or a field of a kind that cannot fill it.
    static Conversion plan(const QString& file, const QString& table, const OldTableFile& old,
                           const QList<Column>& columns)
    {
        Conversion c;
        c.file = file;
        c.table = table;
        for (const Column& column : columns) {
            Plan p;
            p.column = column;
            p.field = old.fieldIndex(column.name);
            if (p.field < 0) {
                if (column.name == QLatin1String("ACT") && kActTables.contains(c.table)) {
                    c.withAct = false; // added by the upgrade 1.0.5 at the first login
                    continue;
                }
                throw OldTablesError(
                    Reason::Damaged,
                    QStringLiteral(
                        "Tabela %1 nie ma kolumny %2, którą ma ta tabela w każdej wersji programu: plik "
                        "jest uszkodzony albo nie pochodzi z programu Sprzetnik.")
                        .arg(old.fileName(), column.name));
            }
            const OldTableFile::Kind kind = old.fields().at(p.field).kind;
            using K = OldTableFile::Kind;
            bool ok = true;
            switch (column.kind) {
            case Column::Kind::Integer:
                p.how = kind == K::Number                      ? How::IntegerFromNumber
                        : (kind == K::Text || kind == K::Memo) ? How::IntegerFromText
                                                               : How::IntegerFromInteger;
                ok = kind != K::Other;
                break;
            case Column::Kind::Real:
                p.how = (kind == K::Text || kind == K::Memo) ? How::RealFromText : How::RealFromNumber;
                ok = kind == K::Number || kind == K::Integer || kind == K::Text || kind == K::Memo;
                break;
            case Column::Kind::Text:
                p.how = kind == K::Logical                        ? How::TextFromLogical
                        : kind == K::Number                       ? How::TextFromNumber
                        : (kind == K::Integer || kind == K::Date) ? How::TextFromInteger
                                                                  : How::TextFromText;
                ok = kind != K::Other;
                break;
            case Column::Kind::Bytes:
                p.how = How::BytesFromText;
                ok = kind == K::Text || kind == K::Memo;
                break;
            }
            if (!ok)
                throw OldTablesError(
                    Reason::DoesNotFit,
                    QStringLiteral("Kolumna %1 tabeli %2 ma w poprzedniej wersji rodzaj, którego "
                                   "nie da się przenieść do nowej bazy danych.")
                        .arg(column.name, old.fileName()));
            // A company reference left empty means no company; the own company is row 1 of firmy itself.
            p.emptyInteger = column.name == QLatin1String("IDFIRMY") && !column.key ? -1 : 0;
            c.plans << p;
        }
        for (const OldTableFile::Field& field : old.fields()) {
            const bool used = std::any_of(columns.begin(), columns.end(), [&](const Column& column) {
                return column.name.compare(field.name, Qt::CaseInsensitive) == 0;
            });
            if (!used)
                c.notes << QStringLiteral(
                               "Kolumna %1 tabeli %2 nie ma odpowiednika w nowej bazie danych i nie "
                               "została przeniesiona.")
                               .arg(field.name, file);
        }
        return c;
    }
};

qint64 OldTablesImport::Summary::rows() const
{
    qint64 n = 0;
    for (const TableResult& t : tables)
        n += t.rows;
    return n;
}

qint64 OldTablesImport::Summary::skippedRows() const
{
    qint64 n = 0;
    for (const TableResult& t : tables)
        n += t.skipped.size();
    return n;
}

QString OldTablesImport::Summary::text() const
{
    QStringList lines;
    lines << QStringLiteral("Dane poprzedniej wersji programu przeniesiono do nowej bazy danych (wersja "
                            "poprzedniej bazy: %1).")
                 .arg(version);
    lines << QString() << QStringLiteral("Przeniesione wiersze tabel:");
    for (const TableResult& t : tables)
        lines << QStringLiteral("  %1: %2").arg(t.file).arg(t.rows);
    lines << QStringLiteral("Razem %1 w %2 tabelach.").arg(rows()).arg(tables.size());
    QStringList skipped;
    for (const TableResult& t : tables)
        for (const QString& line : t.skipped)
            skipped << QStringLiteral("  %1, %2").arg(t.file, line);
    lines << QString();
    if (skipped.isEmpty()) {
        lines << QStringLiteral("Pominięte wiersze: brak.");
    } else {
        lines << QStringLiteral("Pominięte wiersze: %1").arg(skipped.size());
        lines << skipped.mid(0, kListedSkips);
        if (skipped.size() > kListedSkips)
            lines << QStringLiteral("  i %1 dalszych (wszystkie w dzienniku błędów).")
                         .arg(skipped.size() - kListedSkips);
    }
    if (!notes.isEmpty()) {
        lines << QString() << QStringLiteral("Uwagi:");
        for (const QString& note : notes)
            lines << QStringLiteral("  ") + note;
    }
    if (version != QLatin1String("2.6"))
        lines << QString()
              << QStringLiteral("Przy pierwszym logowaniu program uzupełni bazę o tabele i kolumny, których "
                                "poprzednia wersja nie miała.");
    lines << QString()
          << QStringLiteral("Zaloguj się nazwą użytkownika i hasłem z poprzedniej wersji programu.");
    return lines.join(QLatin1Char('\n'));
}

OldTablesImport::OldTablesImport(const QString& sourceDir, const QString& oldPassword,
                                 const QString& targetDir, const QString& newPassword)
    : m_sourceDir(sourceDir), m_oldPassword(oldPassword), m_targetDir(targetDir), m_newPassword(newPassword)
{
}

QString OldTablesImport::versionOf(const QStringList& tables)
{
    QString version;
    for (const Step& step : kSteps) {
        for (int entry = step.first; entry <= step.last; ++entry)
            if (!tables.contains(TableList::files().at(entry - 1)))
                return version;
        version = step.version;
    }
    return version;
}

QStringList OldTablesImport::lockFiles(const QString& dir)
{
    // The previous version's engine keeps a lock file in the folder of open
    // tables (and in its network-control folder) for as long as any computer
    // has them open.
    QStringList found;
    for (const QString& folder : {dir, dir + QStringLiteral("/NetFileDir")})
        for (const QString& name :
             QDir(folder).entryList({QStringLiteral("*.lck")}, QDir::Files | QDir::Hidden | QDir::System))
            found << QDir(folder).filePath(name);
    return found;
}

OldTablesImport::Summary OldTablesImport::run()
{
    // 1. The old folder, checked and read before anything is written.
    Source source;
    source.dir = QDir::cleanPath(QDir::fromNativeSeparators(m_sourceDir.trimmed()));
    if (m_sourceDir.trimmed().isEmpty() || !QFileInfo(source.dir).isDir())
        throw OldTablesError(
            Reason::NoTables,
            QStringLiteral("Folder %1 nie istnieje. Wskaż folder bazy danych poprzedniej wersji "
                           "programu.")
                .arg(native(source.dir)));
    source.files = filesIn(source.dir);
    for (const QString& file : TableList::files())
        if (source.files.contains(file))
            source.present << file;
    if (source.present.isEmpty())
        throw OldTablesError(
            Reason::NoTables,
            QStringLiteral("W folderze %1 nie ma plików tabel poprzedniej wersji programu (firmy.db, "
                           "komputery.db i dalszych). Wskaż folder, w którym poprzednia wersja "
                           "trzymała bazę danych.")
                .arg(native(source.dir)));
    const QStringList locks = lockFiles(source.dir);
    if (!locks.isEmpty())
        throw OldTablesError(
            Reason::Locked,
            QStringLiteral("Poprzednia wersja programu ma tę bazę danych otwartą: w folderze jest "
                           "plik blokady %1. Zamknij program Sprzetnik na wszystkich komputerach, "
                           "które z niej korzystają, i przenieś dane ponownie. Jeśli program jest "
                           "wszędzie zamknięty, plik pozostał po przerwanej pracy i można go "
                           "usunąć.")
                .arg(native(locks.first())));
    for (int entry = kSteps[0].first; entry <= kSteps[0].last; ++entry) {
        const QString file = TableList::files().at(entry - 1);
        if (!source.present.contains(file))
            throw OldTablesError(
                Reason::Damaged,
                QStringLiteral("W folderze %1 brakuje pliku tabeli %2, którą ma każda baza "
                               "poprzedniej wersji programu. Przenieś dane z pełnej kopii bazy.")
                    .arg(native(source.dir), file));
    }
    for (const QString& file : source.present)
        source.tables.push_back(source.open(file));

    // The password: every protected table keeps its checksum in the header.
    bool anyProtected = false;
    for (const auto& table : source.tables)
        anyProtected = anyProtected || table->isProtected();
    if (anyProtected) {
        QStringEncoder encoder("windows-1250");
        const QByteArray password = encoder(m_oldPassword);
        const quint32 checksum = OldTableFile::passwordChecksum(password);
        if (checksum == 0 && !m_oldPassword.isEmpty())
            throw OldTablesError(Reason::TargetFailed,
                                 QStringLiteral("Nie można sprawdzić hasła: brak miejsca w folderze plików "
                                                "tymczasowych."));
        for (const auto& table : source.tables)
            if (!table->accepts(checksum))
                throw OldTablesError(
                    Reason::WrongPassword,
                    QStringLiteral("Podane hasło nie otwiera tabeli %1. Podaj hasło bazy danych "
                                   "poprzedniej wersji programu (wielkość liter ma znaczenie).")
                        .arg(table->fileName()));
    }

    // The columns of the template, read from a database in memory.
    SqlConnection model;
    std::vector<Conversion> conversions;
    QHash<QString, QStringList> definitions;
    try {
        model.open(QStringLiteral(":memory:"), QStringLiteral("model"), true);
        for (size_t i = 0; i < source.tables.size(); ++i) {
            const QString table = TableList::tableName(source.present.at(int(i)));
            definitions.insert(table, DatabaseTemplate::tableDefinition(table, m_templateDir));
            for (const QString& statement : createStatements(definitions.value(table), true))
                model.exec(statement);
            conversions.push_back(Conversion::plan(source.present.at(int(i)), table, *source.tables[i],
                                                   columnsOf(model, table)));
        }
    } catch (const DbError& e) {
        throw OldTablesError(Reason::TargetFailed,
                             QStringLiteral("Nie można odczytać wzorca bazy danych: ") + e.message(),
                             e.sqliteCode());
    }
    model.close();

    // 2. The new database.
    const QString targetDir = QDir::cleanPath(QDir::fromNativeSeparators(m_targetDir.trimmed()));
    if (m_targetDir.trimmed().isEmpty())
        throw OldTablesError(Reason::TargetFailed, QStringLiteral("Nie wskazano folderu nowej bazy danych."));
    const QString target = DatabaseTemplate::databaseFile(targetDir);
    if (QFileInfo::exists(target))
        throw OldTablesError(
            Reason::TargetExists,
            QStringLiteral("W folderze %1 jest już baza danych programu. Dane poprzedniej wersji "
                           "przenosi się zawsze do nowej bazy: wskaż inny folder.")
                .arg(native(targetDir)));
    if (QFileInfo(targetDir).canonicalFilePath() == QFileInfo(source.dir).canonicalFilePath() &&
        QFileInfo::exists(targetDir))
        throw OldTablesError(
            Reason::TargetExists,
            QStringLiteral("Nowej bazy danych nie zakłada się w folderze bazy poprzedniej wersji "
                           "(%1): wskaż inny folder.")
                .arg(native(targetDir)));
    for (const QString& table : kActTables) {
        const QString copy = targetDir + QLatin1Char('/') + table + QStringLiteral(".BAK");
        if (QFileInfo::exists(copy))
            throw OldTablesError(
                Reason::TargetExists,
                QStringLiteral("W folderze %1 jest już plik %2 innej bazy danych: wskaż inny "
                               "folder.")
                    .arg(native(targetDir), table + QStringLiteral(".BAK")));
    }
    // The folders made here go again when the work fails.
    QStringList madeFolders;
    for (QString folder = targetDir; !folder.isEmpty() && !QFileInfo::exists(folder);
         folder = QFileInfo(folder).path())
        madeFolders << folder;
    if (!QDir().mkpath(targetDir) || !QFileInfo(targetDir).isDir())
        throw OldTablesError(
            Reason::TargetFailed,
            QStringLiteral("Nie można utworzyć folderu %1: brak uprawnień albo zła nazwa. Wskaż "
                           "inny folder.")
                .arg(native(targetDir)));

    QStringList temporaries;
    QStringList renamed;
    const auto discard = [&] {
        for (const QString& file : temporaries) {
            removeQuietly(file);
            removeQuietly(file + QStringLiteral("-journal"));
        }
        for (const QString& file : renamed)
            removeQuietly(file);
        for (const QString& folder : madeFolders)
            QDir().rmdir(folder);
    };

    QStringList backups; // the old folder's copies taken by the upgrade 1.0.5
    for (const QString& table : kActTables)
        if (!source.pathOf(table + QStringLiteral(".bak")).isEmpty())
            backups << table;
    const int steps = int(conversions.size() + size_t(backups.size()));

    Summary summary;
    summary.version = versionOf(source.present);
    try {
        const QString temporary = temporaryName(target);
        temporaries << temporary;
        SqlConnection db;
        try {
            db.open(temporary, m_newPassword, true);
            // The file is thrown away on any failure, so it needs no journal;
            // the commit still reaches the disk before the rename.
            db.exec(QStringLiteral(
                "PRAGMA journal_mode=OFF; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-65536"));
            if (m_pageLimit > 0)
                db.exec(QStringLiteral("PRAGMA max_page_count=%1").arg(m_pageLimit));
            db.exec(QStringLiteral("BEGIN"));
            for (size_t i = 0; i < conversions.size(); ++i) {
                const Conversion& c = conversions[i];
                for (const QString& statement : createStatements(definitions.value(c.table), c.withAct))
                    db.exec(statement);
                TableResult result = convert(db, *source.tables[i], c, int(i) + 1, steps);
                summary.tables << result;
                summary.notes << c.notes;
            }
            // Indexes are built once the rows are in: quicker than keeping them up row by row.
            for (const Conversion& c : conversions)
                for (const QString& statement : indexStatements(definitions.value(c.table)))
                    db.exec(statement);
            db.exec(QStringLiteral("COMMIT"));
            db.close();
        } catch (const DbError& e) {
            storeFailed(e, targetDir);
        }

        // The copies of two tables that the upgrade 1.0.5 took in the old folder.
        QList<QPair<QString, QString>> copies; // temporary -> final
        for (int k = 0; k < backups.size(); ++k) {
            const QString& table = backups.at(k);
            const QString final = targetDir + QLatin1Char('/') + table + QStringLiteral(".BAK");
            const QString temporaryCopy = temporaryName(final);
            temporaries << temporaryCopy;
            if (backupCopy(source.pathOf(table + QStringLiteral(".bak")), table, temporaryCopy,
                           DatabaseTemplate::tableDefinition(table, m_templateDir),
                           int(conversions.size()) + k + 1, steps, summary.notes, targetDir))
                copies << qMakePair(temporaryCopy, final);
        }

        std::error_code ec;
        for (const auto& [from, to] : copies) {
            std::filesystem::rename(fsPath(from), fsPath(to), ec);
            if (ec)
                break;
            renamed << to;
        }
        if (!ec)
            std::filesystem::rename(fsPath(temporary), fsPath(target), ec);
        if (ec)
            throw OldTablesError(Reason::TargetFailed,
                                 QStringLiteral("Nie udało się zapisać pliku %1 (brak uprawnień do zapisu w "
                                                "folderze).")
                                     .arg(native(target)));
    } catch (...) {
        discard();
        throw;
    }

    writeMarkers(source, conversions, targetDir);
    return summary;
}

namespace {
[[noreturn]] void cancelled()
{
    throw OldTablesError(
        Reason::Cancelled,
        QStringLiteral("Przenoszenie danych przerwano. Nowa baza danych nie została utworzona."));
}

[[noreturn]] void doesNotFit(const QString& file, int row, const QString& column, const QString& why)
{
    throw OldTablesError(
        Reason::DoesNotFit,
        QStringLiteral("Wartość w tabeli %1, w wierszu %2, w kolumnie %3 nie mieści się w nowej "
                       "bazie danych: %4. Popraw ją w poprzedniej wersji programu i przenieś dane "
                       "ponownie.")
            .arg(file)
            .arg(row)
            .arg(column, why));
}

struct FinalizeGuard
{
    sqlite3_stmt* statement = nullptr;
    ~FinalizeGuard() { sqlite3_finalize(statement); }
};
} // namespace

OldTablesImport::TableResult OldTablesImport::convert(SqlConnection& db, OldTableFile& old,
                                                      const Conversion& conversion, int number, int count)
{
    using How = Conversion::How;
    TableResult result;
    result.file = conversion.file;
    const int rows = old.recordCount();
    if (m_progress && !m_progress->tableStarted(conversion.file, number, count, rows))
        cancelled();
    if (conversion.plans.isEmpty())
        return result;

    QStringList names;
    QStringList marks;
    for (const Conversion::Plan& p : conversion.plans) {
        names << p.column.name;
        marks << QStringLiteral("?");
    }
    const QByteArray sql = (QStringLiteral("INSERT INTO ") + conversion.table + QStringLiteral(" (") +
                            names.join(QLatin1Char(',')) + QStringLiteral(") VALUES (") +
                            marks.join(QLatin1Char(',')) + QLatin1Char(')'))
                               .toUtf8();
    FinalizeGuard insert;
    if (const int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), -1, &insert.statement, nullptr);
        rc != SQLITE_OK)
        db.fail(rc);

    const auto plans = conversion.plans;
    std::vector<std::string> texts(size_t(plans.size()));
    std::vector<QByteArray> raw(size_t(plans.size()));
    for (int r = 0; r < rows; ++r) {
        old.read(r);
        const int row = r + 1;
        for (int k = 0; k < plans.size(); ++k) {
            const Conversion::Plan& p = plans.at(k);
            sqlite3_stmt* s = insert.statement;
            const int slot = k + 1;
            qint64 integer = 0;
            double number = 0;
            QByteArray& bytes = raw[size_t(k)];
            std::string& text = texts[size_t(k)];
            switch (p.how) {
            case How::IntegerFromInteger:
                sqlite3_bind_int64(s, slot, old.integer(p.field, integer) ? integer : p.emptyInteger);
                break;
            case How::IntegerFromNumber:
                if (!old.number(p.field, number)) {
                    sqlite3_bind_int64(s, slot, p.emptyInteger);
                } else {
                    if (!std::isfinite(number) || number != std::floor(number) ||
                        std::fabs(number) > 2147483647.0)
                        doesNotFit(conversion.file, row, p.column.name,
                                   QStringLiteral("%1 nie jest liczbą całkowitą").arg(number, 0, 'g', 15));
                    sqlite3_bind_int64(s, slot, qint64(number));
                }
                break;
            case How::IntegerFromText:
            case How::RealFromText: {
                const QString value = old.bytes(p.field, bytes) ? decoded(bytes).trimmed() : QString();
                if (value.isEmpty()) {
                    if (p.how == How::IntegerFromText)
                        sqlite3_bind_int64(s, slot, p.emptyInteger);
                    else
                        sqlite3_bind_double(s, slot, 0.0);
                    break;
                }
                bool ok = false;
                if (p.how == How::IntegerFromText) {
                    integer = value.toLongLong(&ok);
                    if (!ok || integer > 2147483647LL || integer < -2147483648LL)
                        doesNotFit(conversion.file, row, p.column.name,
                                   QStringLiteral("„%1” nie jest liczbą całkowitą").arg(value));
                    sqlite3_bind_int64(s, slot, integer);
                } else {
                    number = QString(value).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
                    if (!ok)
                        doesNotFit(conversion.file, row, p.column.name,
                                   QStringLiteral("„%1” nie jest liczbą").arg(value));
                    sqlite3_bind_double(s, slot, number);
                }
                break;
            }
            case How::RealFromNumber:
                sqlite3_bind_double(s, slot, old.number(p.field, number) ? number : 0.0);
                break;
            case How::TextFromText:
            case How::TextFromInteger:
            case How::TextFromLogical:
            case How::TextFromNumber: {
                qsizetype length = 0;
                if (p.how == How::TextFromText) {
                    if (old.bytes(p.field, bytes)) {
                        length = trimmedLength(bytes);
                        appendUtf8(text, bytes.constData(), length);
                    } else {
                        text.clear();
                    }
                } else if (p.how == How::TextFromNumber) {
                    text = old.number(p.field, number) ? QByteArray::number(number, 'g', 15).toStdString()
                                                       : std::string();
                    length = qsizetype(text.size());
                } else if (old.integer(p.field, integer)) {
                    text = p.how == How::TextFromLogical ? std::string(integer ? "T" : "N")
                                                         : std::to_string(integer);
                    length = qsizetype(text.size());
                } else {
                    text.clear();
                }
                // One byte of the old text is one character.
                if (p.column.limit > 0 && length > p.column.limit)
                    doesNotFit(conversion.file, row, p.column.name,
                               QStringLiteral("tekst ma %1 znaków, a kolumna mieści najwyżej %2")
                                   .arg(length)
                                   .arg(p.column.limit));
                sqlite3_bind_text(s, slot, text.data(), int(text.size()), SQLITE_STATIC);
                break;
            }
            case How::BytesFromText:
                // Kept byte for byte: an older password cipher text is compared as stored.
                if (old.bytes(p.field, bytes)) {
                    while (!bytes.isEmpty() && bytes.endsWith('\0'))
                        bytes.chop(1);
                    sqlite3_bind_blob(s, slot, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
                } else {
                    sqlite3_bind_text(s, slot, "", 0, SQLITE_STATIC);
                }
                break;
            }
        }
        const int rc = sqlite3_step(insert.statement);
        sqlite3_reset(insert.statement);
        if (rc == SQLITE_DONE) {
            ++result.rows;
        } else if ((rc & 0xff) == SQLITE_CONSTRAINT) {
            // A second row under a key already taken cannot be kept: it is left out and listed.
            QStringList keys;
            for (int k = 0; k < plans.size(); ++k)
                if (plans.at(k).column.key) {
                    const std::string& shown = texts[size_t(k)];
                    qint64 v = 0;
                    keys << plans.at(k).column.name + QStringLiteral(" = ") +
                                (plans.at(k).column.kind == Column::Kind::Integer
                                     ? QString::number(old.integer(plans.at(k).field, v) ? v : 0)
                                     : QStringLiteral("„") + QString::fromStdString(shown) +
                                           QStringLiteral("”"));
                }
            result.skipped << QStringLiteral("wiersz %1: powtórzony klucz %2")
                                  .arg(row)
                                  .arg(keys.join(QStringLiteral(", ")));
        } else {
            db.fail(rc);
        }
        if (m_progress && (row % kProgressEvery == 0 || row == rows) && !m_progress->rowsDone(row))
            cancelled();
    }

    // New keys carry on after the highest the old table ever handed out, deleted rows included.
    const qint64 last = old.lastAutoIncrement();
    const bool counted = std::any_of(plans.begin(), plans.end(), [](const Conversion::Plan& p) {
        return p.column.key && p.column.kind == Column::Kind::Integer;
    });
    if (counted && last > 0) {
        FinalizeGuard sequence;
        const char* text = "INSERT OR REPLACE INTO sqlite_sequence (rowid, name, seq) "
                           "SELECT (SELECT rowid FROM sqlite_sequence WHERE name = ?1), ?1, "
                           "MAX(?2, COALESCE((SELECT seq FROM sqlite_sequence WHERE name = ?1), 0))";
        int rc = sqlite3_prepare_v2(db.handle(), text, -1, &sequence.statement, nullptr);
        const QByteArray table = conversion.table.toUtf8();
        if (rc == SQLITE_OK) {
            sqlite3_bind_text(sequence.statement, 1, table.constData(), int(table.size()), SQLITE_STATIC);
            sqlite3_bind_int64(sequence.statement, 2, last);
            rc = sqlite3_step(sequence.statement);
        }
        if (rc != SQLITE_DONE)
            db.fail(rc);
    }
    return result;
}

bool OldTablesImport::backupCopy(const QString& oldFile, const QString& table, const QString& file,
                                 const QStringList& definition, int number, int count, QStringList& notes,
                                 const QString& folder)
{
    const QString name = table + QStringLiteral(".BAK");
    try {
        OldTableFile old(oldFile);
        old.open();
        SqlConnection model;
        model.open(QStringLiteral(":memory:"), QStringLiteral("model"), true);
        for (const QString& statement : createStatements(definition, true))
            model.exec(statement);
        const Conversion conversion = Conversion::plan(name, table, old, columnsOf(model, table));
        model.close();
        SqlConnection db;
        db.open(file, m_newPassword, true);
        db.exec(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=NORMAL"));
        if (m_pageLimit > 0)
            db.exec(QStringLiteral("PRAGMA max_page_count=%1").arg(m_pageLimit));
        db.exec(QStringLiteral("BEGIN"));
        for (const QString& statement : createStatements(definition, conversion.withAct))
            db.exec(statement);
        convert(db, old, conversion, number, count);
        db.exec(QStringLiteral("COMMIT"));
        db.close();
        return true;
    } catch (const DbError& e) {
        storeFailed(e, folder);
    } catch (const OldTablesError& e) {
        if (e.reason() != Reason::Damaged && e.reason() != Reason::DoesNotFit)
            throw;
        // The copy is never used by the program; the data itself is whole.
        removeQuietly(file);
        notes << QStringLiteral("Kopia %1 z poprzedniej wersji nie została przeniesiona: %2")
                     .arg(name, e.message());
        return false;
    }
}

void OldTablesImport::writeMarkers(const Source& source, const std::vector<Conversion>& conversions,
                                   const QString& folder) const
{
    const QStringList markers = DatabaseTemplate::upgradeMarkers();
    for (int i = 0; i < markers.size(); ++i) {
        const Step& step = kSteps[size_t(i) + 1];
        bool done = source.files.contains(markers.at(i));
        for (int entry = step.first; entry <= step.last; ++entry)
            done = done && source.present.contains(TableList::files().at(entry - 1));
        if (step.version == QLatin1String("1.0.5"))
            for (const Conversion& c : conversions)
                done = done && c.withAct;
        // A marker is written only where the old folder shows the step done;
        // otherwise the step runs at the first login, with its messages.
        QFile marker(folder + QLatin1Char('/') + markers.at(i));
        if (done && !marker.exists() && marker.open(QIODevice::WriteOnly))
            marker.close();
        else if (!done)
            marker.remove();
    }
}
