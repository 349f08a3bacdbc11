#include "maintenance/ArchiveBuilder.h"

#include "maintenance/DatabaseSnapshot.h"
#include "store/DbError.h"
#include "store/FileIdentity.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::function<void(const QString&)> g_stepHook;

void step(const QString& name)
{
    if (g_stepHook)
        g_stepHook(name);
}

fs::path toPath(const QString& path)
{
    return fs::path(QDir::fromNativeSeparators(path).toStdU16String());
}

QString reason(const std::error_code& ec)
{
    return QString::fromLocal8Bit(ec.message().c_str());
}

bool exists(const QString& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(toPath(path), ec));
}

void removeTree(const QString& path)
{
    std::error_code ec;
    fs::remove_all(toPath(path), ec);
    if (ec)
        throw DbError(QStringLiteral("Nie można usunąć ") + path + QStringLiteral(": ") + reason(ec));
}

void rename(const QString& from, const QString& to)
{
    std::error_code ec;
    fs::rename(toPath(from), toPath(to), ec);
    if (ec)
        throw DbError(QStringLiteral("Nie można przenieść ") + from + QStringLiteral(" do ") + to +
                      QStringLiteral(": ") + reason(ec));
}

// Copies the files of `from` (with its subfolders) into `to`, overwriting.
void copyFolder(const QString& from, const QString& to)
{
    std::error_code ec;
    fs::create_directories(toPath(to), ec);
    if (!ec)
        fs::copy(toPath(from), toPath(to), fs::copy_options::recursive | fs::copy_options::overwrite_existing,
                 ec);
    if (ec)
        throw DbError(QStringLiteral("Nie można skopiować plików z ") + from + QStringLiteral(" do ") + to +
                      QStringLiteral(": ") + reason(ec));
}
} // namespace

void ArchiveBuilder::setStepHook(std::function<void(const QString&)> hook)
{
    g_stepHook = std::move(hook);
}

ArchiveBuilder::Failure ArchiveBuilder::fail(Failure failure, const QString& error, const QString& detail)
{
    m_error = error;
    m_detail = detail;
    return failure;
}

ArchiveBuilder::Failure ArchiveBuilder::build(const QString& folder, const QString& attachments,
                                              const ArchiveDescription& description)
{
    m_error.clear();
    m_detail.clear();
    const QDir target(folder);
    if (folder.isEmpty() || !target.exists())
        return fail(Failure::Database, QStringLiteral("Brak katalogu archiwum: ") + folder);
    // Moving the snapshot into place would put it over the open database.
    const FileIdentity live = FileIdentity::of(m_source.file());
    if (live.isValid() && FileIdentity::of(target.filePath(kDatabaseFileName)) == live)
        return fail(Failure::Database, QStringLiteral("Kopia nie może zastąpić otwartej bazy danych: ") +
                                           target.filePath(kDatabaseFileName));
    m_work = target.filePath(kWorkFolder);
    m_old = target.filePath(kOldFolder);
    Failure stage = Failure::Database;
    try {
        // What a build killed half-way left behind.
        removeTree(m_work);
        removeTree(m_old);
        if (!QDir().mkpath(m_work))
            throw DbError(QStringLiteral("Nie można utworzyć folderu ") + m_work);
        step(QStringLiteral("database"));
        DatabaseSnapshot::write(m_source, m_password, QDir(m_work).filePath(kDatabaseFileName));
        if (!attachments.isEmpty()) {
            stage = Failure::Attachments;
            // A copy made inside the folder it copies would copy itself again and again.
            const QString from = QDir(attachments).canonicalPath() + QLatin1Char('/');
            if ((target.canonicalPath() + QLatin1Char('/')).startsWith(from))
                throw DbError(QStringLiteral("Folder archiwum leży w folderze załączników: ") + folder);
            step(QStringLiteral("attachments"));
            copyFolder(attachments, QDir(m_work).filePath(kAttachmentsFolder));
        }
        stage = Failure::Description;
        step(QStringLiteral("description"));
        if (!description.write(m_work))
            throw DbError(QStringLiteral("Nie można zapisać pliku ") +
                          QDir(m_work).filePath(ArchiveDescription::kFileName));
        stage = Failure::Placing;
        m_attachments = attachments;
        place(folder);
    } catch (const std::exception& e) {
        const auto* dbError = dynamic_cast<const DbError*>(&e);
        const QString message = dbError ? dbError->message() : QString::fromLocal8Bit(e.what());
        try {
            removeTree(m_work);
        } catch (const DbError&) {
            // The next build clears it.
        }
        QDir().rmdir(m_old); // empty when everything was put back
        return fail(stage, message, dbError ? dbError->detail() : QString());
    }
    // Leftovers here harm nobody: the next build clears them.
    try {
        removeTree(m_old);
        removeTree(m_work);
    } catch (const DbError&) {
    }
    return Failure::None;
}

void ArchiveBuilder::place(const QString& folder)
{
    const QDir target(folder);
    const QDir work(m_work);
    const QDir old(m_old);
    const QString description = target.filePath(ArchiveDescription::kFileName);
    const QString database = target.filePath(kDatabaseFileName);
    const QString attachments = target.filePath(kAttachmentsFolder);
    const bool replacing = exists(description);
    // The attachments of the archive replaced go with it; a "zalaczniki"
    // that belongs to no archive, or is the attachments folder itself, is
    // never removed: the new files are copied into it.
    const FileIdentity liveAttachments =
        m_attachments.isEmpty() ? FileIdentity() : FileIdentity::of(m_attachments);
    const bool ownAttachments =
        exists(attachments) && replacing &&
        !(liveAttachments.isValid() && FileIdentity::of(attachments) == liveAttachments);
    const bool builtAttachments = exists(work.filePath(kAttachmentsFolder));

    struct Move
    {
        QString from, to;
    };
    std::vector<Move> done;
    auto move = [&](const QString& from, const QString& to) {
        rename(from, to);
        done.push_back({from, to});
    };
    try {
        if (!QDir().mkpath(m_old))
            throw DbError(QStringLiteral("Nie można utworzyć folderu ") + m_old);
        step(QStringLiteral("old description"));
        if (replacing)
            move(description, old.filePath(ArchiveDescription::kFileName));
        // From here until the new description arrives the folder holds no archive.
        step(QStringLiteral("old attachments"));
        if (ownAttachments)
            move(attachments, old.filePath(kAttachmentsFolder));
        step(QStringLiteral("old database"));
        if (exists(database))
            move(database, old.filePath(kDatabaseFileName));
        step(QStringLiteral("new database"));
        move(work.filePath(kDatabaseFileName), database);
        step(QStringLiteral("new attachments"));
        if (builtAttachments) {
            if (exists(attachments))
                copyFolder(work.filePath(kAttachmentsFolder), attachments);
            else
                move(work.filePath(kAttachmentsFolder), attachments);
        }
        step(QStringLiteral("new description"));
        move(work.filePath(ArchiveDescription::kFileName), description);
    } catch (...) {
        // Back the way it came: the previous archive, when every step undoes.
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            std::error_code ec;
            fs::rename(toPath(it->to), toPath(it->from), ec);
        }
        throw;
    }
}
