#include "store/OldTablesImport.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/OldTableConversion.h"
#include "store/OldTableFile.h"
#include "store/OldTablesError.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
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
// The tables whose copies the upgrade 1.0.5 took before adding their ACT column.
const QStringList kActTables = {QStringLiteral("naprawy"), QStringLiteral("dokumenty")};
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
    lines << QStringLiteral("Razem przeniesionych wierszy: %1 (tabel: %2).").arg(rows()).arg(tables.size());
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
    std::vector<OldTableConversion> conversions;
    QHash<QString, QStringList> definitions;
    try {
        model.open(QStringLiteral(":memory:"), QStringLiteral("model"), true);
        for (size_t i = 0; i < source.tables.size(); ++i) {
            const QString table = TableList::tableName(source.present.at(int(i)));
            definitions.insert(table, DatabaseTemplate::tableDefinition(table, m_templateDir));
            for (const QString& statement :
                 OldTableConversion::createStatements(definitions.value(table), true))
                model.exec(statement);
            conversions.emplace_back(source.present.at(int(i)), table, *source.tables[i], model);
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
    if (!QDir().mkpath(targetDir) || !QFileInfo(targetDir).isDir()) {
        for (const QString& folder : madeFolders)
            QDir().rmdir(folder);
        throw OldTablesError(
            Reason::TargetFailed,
            QStringLiteral("Nie można utworzyć folderu %1: brak uprawnień albo zła nazwa. Wskaż "
                           "inny folder.")
                .arg(native(targetDir)));
    }

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
                const OldTableConversion& c = conversions[i];
                for (const QString& statement :
                     OldTableConversion::createStatements(definitions.value(c.table()), c.withAct()))
                    db.exec(statement);
                TableResult result = convert(db, *source.tables[i], c, int(i) + 1, steps);
                summary.tables << result;
                summary.notes << c.notes();
            }
            // Indexes are built once the rows are in: quicker than keeping them up row by row.
            for (const OldTableConversion& c : conversions)
                for (const QString& statement :
                     OldTableConversion::indexStatements(definitions.value(c.table())))
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

} // namespace

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
        for (const QString& statement : OldTableConversion::createStatements(definition, true))
            model.exec(statement);
        const OldTableConversion conversion(name, table, old, model);
        model.close();
        SqlConnection db;
        db.open(file, m_newPassword, true);
        db.exec(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=NORMAL"));
        if (m_pageLimit > 0)
            db.exec(QStringLiteral("PRAGMA max_page_count=%1").arg(m_pageLimit));
        db.exec(QStringLiteral("BEGIN"));
        for (const QString& statement :
             OldTableConversion::createStatements(definition, conversion.withAct()))
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

OldTablesImport::TableResult OldTablesImport::convert(SqlConnection& db, OldTableFile& old,
                                                      const OldTableConversion& conversion, int number,
                                                      int count)
{
    if (m_progress && !m_progress->tableStarted(conversion.file(), number, count, old.recordCount()))
        cancelled();
    const OldTableConversion::Result done = conversion.run(db, old, [this](qint64 rows) {
        if (m_progress && !m_progress->rowsDone(rows))
            cancelled();
    });
    TableResult result;
    result.file = conversion.file();
    result.rows = done.rows;
    result.skipped = done.skipped;
    return result;
}

void OldTablesImport::writeMarkers(const Source& source, const std::vector<OldTableConversion>& conversions,
                                   const QString& folder) const
{
    const QStringList markers = DatabaseTemplate::upgradeMarkers();
    for (int i = 0; i < markers.size(); ++i) {
        const Step& step = kSteps[size_t(i) + 1];
        bool done = source.files.contains(markers.at(i));
        for (int entry = step.first; entry <= step.last; ++entry)
            done = done && source.present.contains(TableList::files().at(entry - 1));
        if (step.version == QLatin1String("1.0.5"))
            for (const OldTableConversion& c : conversions)
                done = done && c.withAct();
        // A marker is written only where the old folder shows the step done;
        // otherwise the step runs at the first login, with its messages.
        QFile marker(folder + QLatin1Char('/') + markers.at(i));
        if (done && !marker.exists() && marker.open(QIODevice::WriteOnly))
            marker.close();
        else if (!done)
            marker.remove();
    }
}
