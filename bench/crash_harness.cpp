// Kills a writer at random and checks that nothing saved is lost:
//   crash_harness [--kills N] [--seed S] [--unguarded] [--workload NAME]
// For each workload (notes saves, computer inserts with their property rows,
// account inserts with their rights, archives replacing the archive of a
// folder) a child process writes in a loop and is killed with SIGKILL after a
// random time, N times. After every kill the database must pass the program's
// own database test, PRAGMA integrity_check must answer "ok", and every save
// must be whole or absent; an archive folder must hold one whole archive (its
// description, database and attachment files of one generation) or none.
// --unguarded runs the same writes without transactions (archives written in
// place, description last), to show that the checks catch a half save.
// --workload runs one of notes, computers, accounts, archives. The full run
// takes about a minute; a test runs a few archive kills.
#include "maintenance/ArchiveBuilder.h"
#include "maintenance/ArchiveDescription.h"
#include "maintenance/DatabaseSnapshot.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/NewKey.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "users/UserAccounts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {
const QString kPassword = QStringLiteral("tajne1");
bool g_unguarded = false;

enum class Workload
{
    Notes,
    Computers,
    Accounts,
    Archives
};

// The archive workload: the files of the attachments folder (all alike but
// the generation file) and the folder the archives are made in.
constexpr int kAttachmentFiles = 24;
constexpr int kAttachmentBytes = 96 * 1024;
const QString kGenerationFile = QStringLiteral("pokolenie.txt");

QString attachmentsOf(const QString& dir)
{
    return dir + QStringLiteral("/../zalaczniki");
}

QString archiveOf(const QString& dir)
{
    return dir + QStringLiteral("/../archiwum");
}

QByteArray attachmentBytes(int file)
{
    QByteArray bytes(kAttachmentBytes, '\0');
    std::mt19937 fill(unsigned(file) + 1);
    for (char& c : bytes)
        c = char(fill() & 0xff);
    return bytes;
}

const char* workloadName(Workload w)
{
    switch (w) {
    case Workload::Notes:
        return "notes saves";
    case Workload::Computers:
        return "computer inserts";
    case Workload::Accounts:
        return "account and rights saves";
    case Workload::Archives:
        return "archives replacing the folder's archive";
    }
    return "";
}

std::array<NoteSlot, 30> notesOfGeneration(qint64 generation)
{
    std::array<NoteSlot, 30> notes{};
    for (int i = 0; i < 30; ++i)
        notes[size_t(i)] = {QStringLiteral("09-12-2026"),
                            QStringLiteral("gen %1 notatka %2 \"cytat\"").arg(generation).arg(i + 1),
                            QString()};
    return notes;
}

// The notes save as it was: a delete and 30 inserts, each on its own.
void saveNotesUnguarded(TmyDataBase& db, const std::array<NoteSlot, 30>& notes)
{
    Statement& q = db.mySQL();
    q.clear();
    q.add(QStringLiteral("DELETE FROM notatki"));
    q.execSQL();
    for (int i = 1; i <= 30; ++i) {
        q.clear();
        q.add(QStringLiteral("INSERT INTO notatki (IDNOTATKI,DATA,OPIS,RESERVED) VALUES (") +
              QString::number(i) + QStringLiteral(",:PARAM0,:PARAM1,:PARAM2)"));
        q.setParam(0, notes[size_t(i - 1)].data);
        q.setParam(1, notes[size_t(i - 1)].opis);
        q.setParam(2, notes[size_t(i - 1)].reserved);
        q.execSQL();
    }
}

// A computer insert, its new key and its 14 property rows: one write, as the
// add command does it.
void insertComputer(TmyDataBase& db, qint64 n)
{
    auto insert = [&] {
        Statement& q = db.statement(QStringLiteral("DBFInsertKomputery"));
        q.clearParams();
        for (int line : {5, 7, 9, 11, 13, 15, 17, 19, 21})
            q.setLine(line, QStringLiteral("0"));
        q.setParam(0, QString());
        q.setParam(1, QStringLiteral("Komputer %1").arg(n));
        q.setParam(2, QStringLiteral("Producent"));
        q.setParam(3, QStringLiteral("CRASH/%1").arg(n));
        for (int p = 4; p <= 7; ++p)
            q.setParam(p, QString());
        q.execSQL();
    };
    auto properties = [&](qint64 key) {
        if (key <= 0 || !db.createPropertyRows(QStringLiteral("K"), key))
            throw DbError(QStringLiteral("property rows"));
    };
    if (g_unguarded) {
        insert();
        properties(db.maxKey(QStringLiteral("KOMPUTERY"), QStringLiteral("IDKOMPUTERA")));
    } else {
        guarded(4, [&] {
            insertReturningKey(db.DatabaseMain(), QStringLiteral("KOMPUTERY"), QStringLiteral("IDKOMPUTERA"),
                               insert, properties);
        });
    }
}

// The archive as it was made before: the snapshot renamed into place, the
// attachment files copied over the old ones, the description last.
void archiveInPlace(TmyDataBase& db, const QString& folder, const QString& attachments,
                    const ArchiveDescription& description)
{
    DatabaseSnapshot::write(db.DatabaseMain(), kPassword, QDir(folder).filePath(kDatabaseFileName));
    namespace fs = std::filesystem;
    const fs::path target = fs::path(QDir(folder).filePath(ArchiveBuilder::kAttachmentsFolder).toStdString());
    fs::create_directories(target);
    fs::copy(fs::path(attachments.toStdString()), target,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    description.write(folder);
}

// One generation: its notes in the database, its number in the attachments
// folder and in the description, then the archive of all three.
void archiveGeneration(TmyDataBase& db, const QString& dir, qint64 generation)
{
    db.saveNotes(notesOfGeneration(generation));
    QFile mark(QDir(attachmentsOf(dir)).filePath(kGenerationFile));
    if (mark.open(QIODevice::WriteOnly | QIODevice::Truncate))
        mark.write(QByteArray::number(generation));
    mark.close();
    const ArchiveDescription description{QStringLiteral("pokolenie %1").arg(generation), QString()};
    if (g_unguarded) {
        archiveInPlace(db, archiveOf(dir), attachmentsOf(dir), description);
    } else {
        ArchiveBuilder builder(db.DatabaseMain(), kPassword);
        builder.build(archiveOf(dir), attachmentsOf(dir), description);
    }
}

[[noreturn]] void writer(const QString& dir, Workload workload, qint64 start)
{
    TmyDataBase db;
    if (!db.connectTo(dir, kPassword))
        _exit(3);
    UserAccounts accounts(db);
    for (qint64 n = start;; ++n) {
        switch (workload) {
        case Workload::Notes:
            if (g_unguarded)
                saveNotesUnguarded(db, notesOfGeneration(n));
            else
                db.saveNotes(notesOfGeneration(n));
            break;
        case Workload::Computers:
            insertComputer(db, n);
            break;
        case Workload::Archives:
            archiveGeneration(db, dir, n);
            break;
        case Workload::Accounts: {
            const QString name = QStringLiteral("CRASH%1").arg(n);
            accounts.add(name, QStringLiteral("haslo1"), QStringLiteral("konto %1").arg(n));
            // Every other account goes again with its rights; the others have a
            // box of the rights page ticked and unticked (right 30, outside 1-29).
            if (n % 2 == 0) {
                accounts.remove(name);
            } else {
                accounts.setRight(name, 30, true);
                accounts.setRight(name, 30, false);
            }
            break;
        }
        }
    }
}

qint64 scalar(SqlConnection& connection, const QString& sql)
{
    Statement q(&connection, QStringLiteral("check"), {sql});
    q.open();
    return q.eof() ? -1 : q.integer(q.fieldNames().value(0));
}

QString text(SqlConnection& connection, const QString& sql)
{
    Statement q(&connection, QStringLiteral("check"), {sql});
    q.open();
    return q.eof() ? QString() : q.text(q.fieldNames().value(0));
}

// Whole or absent: what a half save would leave behind, counted.
QString brokenSaves(SqlConnection& c, Workload workload)
{
    switch (workload) {
    case Workload::Notes: {
        const qint64 rows = scalar(c, QStringLiteral("SELECT count(*) FROM notatki"));
        const qint64 generations = scalar(
            c,
            QStringLiteral("SELECT count(DISTINCT substr(OPIS, 1, instr(OPIS, ' notatka'))) FROM notatki"));
        if (rows != 30 || generations != 1)
            return QStringLiteral("%1 notes of %2 saves").arg(rows).arg(generations);
        return {};
    }
    case Workload::Computers: {
        const qint64 partial =
            scalar(c, QStringLiteral("SELECT count(*) FROM komputery k WHERE k.NREWID LIKE 'CRASH/%' AND "
                                     "(SELECT count(*) FROM wlasciwosci w WHERE w.KOMPSPRZET='K' AND "
                                     "w.IDOBIEKTU=k.IDKOMPUTERA) <> 14"));
        const qint64 orphans = scalar(c, QStringLiteral("SELECT count(*) FROM wlasciwosci w WHERE "
                                                        "w.KOMPSPRZET='K' AND NOT EXISTS (SELECT 1 FROM "
                                                        "komputery k WHERE k.IDKOMPUTERA=w.IDOBIEKTU)"));
        if (partial || orphans)
            return QStringLiteral("%1 computers without 14 properties, %2 orphan rows")
                .arg(partial)
                .arg(orphans);
        return {};
    }
    case Workload::Archives:
        return {}; // the archive is judged by brokenArchive()
    case Workload::Accounts: {
        const qint64 partial =
            scalar(c, QStringLiteral("SELECT count(*) FROM userzy u WHERE u.NAZWA LIKE 'CRASH%' AND "
                                     "(SELECT count(*) FROM uprawnienia r WHERE r.NAZWA=u.NAZWA AND "
                                     "CAST(r.UPR AS INTEGER) BETWEEN 1 AND 29) <> 29"));
        const qint64 orphans =
            scalar(c, QStringLiteral("SELECT count(*) FROM uprawnienia r WHERE r.NAZWA LIKE "
                                     "'CRASH%' AND NOT EXISTS (SELECT 1 FROM userzy u WHERE "
                                     "u.NAZWA=r.NAZWA)"));
        if (partial || orphans)
            return QStringLiteral("%1 accounts without 29 rights, %2 orphan rights")
                .arg(partial)
                .arg(orphans);
        return {};
    }
    }
    return {};
}

// One whole archive or none: the description, the database and the
// attachment files all of one generation, every file complete.
QString brokenArchive(const QString& dir, bool* present)
{
    const QString folder = archiveOf(dir);
    *present = ArchiveDescription::existsIn(folder);
    if (!*present)
        return {};
    QFile record(QDir(folder).filePath(ArchiveDescription::kFileName));
    ArchiveDescription description;
    if (!record.open(QIODevice::ReadOnly) || !ArchiveDescription::fromRecord(record.readAll(), &description))
        return QStringLiteral("the description is not whole");
    const QString generation = description.name.section(QLatin1Char(' '), 1);
    const QString file = QDir(folder).filePath(kDatabaseFileName);
    if (DatabaseSnapshot::check(file, kPassword) != DatabaseSnapshot::Check::Ok)
        return QStringLiteral("the database of generation %1 is not whole").arg(generation);
    try {
        SqlConnection c;
        c.open(file, kPassword);
        const QString notes = text(c, QStringLiteral("SELECT OPIS FROM notatki WHERE IDNOTATKI=1"));
        if (notes.section(QLatin1Char(' '), 1, 1) != generation)
            return QStringLiteral("description of generation %1, database of %2")
                .arg(generation, notes.section(QLatin1Char(' '), 1, 1));
    } catch (const DbError& e) {
        return QStringLiteral("cannot open the archive: ") + e.message();
    }
    const QDir copies(QDir(folder).filePath(ArchiveBuilder::kAttachmentsFolder));
    QFile mark(copies.filePath(kGenerationFile));
    if (!mark.open(QIODevice::ReadOnly))
        return QStringLiteral("no attachments in generation %1").arg(generation);
    const QString copied = QString::fromLatin1(mark.readAll());
    if (copied != generation)
        return QStringLiteral("description of generation %1, attachments of %2").arg(generation, copied);
    int cut = 0;
    for (int i = 0; i < kAttachmentFiles; ++i) {
        QFile f(copies.filePath(QStringLiteral("plik%1.bin").arg(i)));
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != attachmentBytes(i))
            ++cut;
    }
    if (cut > 0)
        return QStringLiteral("%1 attachment files cut or missing in generation %2").arg(cut).arg(generation);
    return {};
}

struct Tally
{
    int kills = 0;
    int hotJournals = 0;
    int reopened = 0;
    int integrityOk = 0;
    int whole = 0;
    int noArchive = 0;
};

Tally run(const QString& dir, Workload workload, int kills, std::mt19937& random)
{
    Tally tally;
    std::uniform_int_distribution<int> delayMs(60, 400);
    qint64 start = 1;
    for (int k = 0; k < kills; ++k) {
        const pid_t child = fork();
        if (child < 0) {
            std::perror("fork");
            std::exit(2);
        }
        if (child == 0)
            writer(dir, workload, start);
        usleep(useconds_t(delayMs(random)) * 1000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ++tally.kills;
        start += 100000; // names of the next writer never meet the last one's
        if (QFileInfo(TmyDataBase::databaseFile(dir) + QStringLiteral("-journal")).size() > 0)
            ++tally.hotJournals;

        DatabaseLocation location;
        location.set(dir, kPassword);
        const bool reopened = location.test(true) == DatabaseLocation::Ok;
        tally.reopened += reopened;
        QString verdict;
        try {
            SqlConnection c;
            c.open(TmyDataBase::databaseFile(dir), kPassword);
            const QString integrity = text(c, QStringLiteral("PRAGMA integrity_check"));
            tally.integrityOk += integrity == QLatin1String("ok");
            verdict = brokenSaves(c, workload);
            if (integrity != QLatin1String("ok"))
                verdict += QStringLiteral(" integrity: ") + integrity;
            if (workload == Workload::Archives) {
                bool present = false;
                verdict += brokenArchive(dir, &present);
                tally.noArchive += !present;
            }
        } catch (const DbError& e) {
            verdict = QStringLiteral("cannot open: ") + e.message();
        }
        if (verdict.isEmpty())
            ++tally.whole;
        else
            std::printf("  kill %d: %s%s\n", k + 1, reopened ? "" : "not reopened; ", qPrintable(verdict));
    }
    return tally;
}
} // namespace

int main(int argc, char* argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // progress shows while it runs
    int kills = 50;
    unsigned seed = std::random_device{}();
    QString only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--kills") && i + 1 < argc)
            kills = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = unsigned(std::strtoul(argv[++i], nullptr, 10));
        else if (!std::strcmp(argv[i], "--unguarded"))
            g_unguarded = true;
        else if (!std::strcmp(argv[i], "--workload") && i + 1 < argc)
            only = QString::fromLocal8Bit(argv[++i]);
        else {
            std::fprintf(stderr, "usage: %s [--kills N] [--seed S] [--unguarded] [--workload NAME]\n",
                         argv[0]);
            return 1;
        }
    }
    QTemporaryDir config;
    QDir(config.path()).mkpath(QStringLiteral("debug"));
    qputenv("SPRZETNIK_CONFIG_DIR", config.path().toLocal8Bit());
    const QString templates =
        QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath() + QStringLiteral("/data");

    std::mt19937 random(seed);
    std::printf("seed %u, %d kills per workload%s\n", seed, kills,
                g_unguarded ? ", without transactions" : "");
    bool allWhole = true;
    const std::pair<Workload, const char*> workloads[] = {{Workload::Notes, "notes"},
                                                          {Workload::Computers, "computers"},
                                                          {Workload::Accounts, "accounts"},
                                                          {Workload::Archives, "archives"}};
    for (const auto& [workload, name] : workloads) {
        if (!only.isEmpty() && only != QLatin1String(name))
            continue;
        QTemporaryDir folder;
        const QString dir = folder.path() + QStringLiteral("/baza");
        try {
            DatabaseTemplate::create(dir, kPassword, false, false, templates);
            TmyDataBase db;
            if (!db.connectTo(dir, kPassword) || !db.saveNotes(notesOfGeneration(0)))
                throw DbError(QStringLiteral("cannot prepare the database"));
            if (workload == Workload::Archives) {
                QDir().mkpath(attachmentsOf(dir));
                QDir().mkpath(archiveOf(dir));
                for (int i = 0; i < kAttachmentFiles; ++i) {
                    QFile f(QDir(attachmentsOf(dir)).filePath(QStringLiteral("plik%1.bin").arg(i)));
                    if (!f.open(QIODevice::WriteOnly) || f.write(attachmentBytes(i)) != kAttachmentBytes)
                        throw DbError(QStringLiteral("cannot prepare the attachments"));
                }
                archiveGeneration(db, dir, 0); // an archive to be replaced from the first kill on
            }
        } catch (const DbError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            return 2;
        }
        std::printf("%s:\n", workloadName(workload));
        const Tally t = run(dir, workload, kills, random);
        std::printf(
            "  %d kills, %d left a hot journal; reopened %d/%d; integrity ok %d/%d; whole or absent %d/%d\n",
            t.kills, t.hotJournals, t.reopened, t.kills, t.integrityOk, t.kills, t.whole, t.kills);
        if (workload == Workload::Archives)
            std::printf("  %d kills left no archive in the folder\n", t.noArchive);
        allWhole = allWhole && t.reopened == t.kills && t.whole == t.kills && t.integrityOk == t.kills;
    }
    return allWhole ? 0 : 1;
}
