#include "base/TFileOperation.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
fs::path toPath(const QString& text)
{
    return fs::path(QDir::fromNativeSeparators(text).toStdU16String());
}

int failure(const std::error_code& ec)
{
    return ec.value() != 0 ? ec.value() : EIO;
}

bool hasWildcard(const QString& name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// The files and folders one source entry stands for; empty when a wildcard matches nothing.
std::vector<fs::path> expand(const QString& source, bool filesOnly, int* error)
{
    const QString clean = QDir::fromNativeSeparators(source.trimmed());
    const QFileInfo info(clean);
    if (!hasWildcard(info.fileName())) {
        std::error_code ec;
        if (!fs::exists(toPath(clean), ec)) {
            *error = ENOENT;
            return {};
        }
        return {toPath(clean)};
    }
    QDir::Filters filter = QDir::Files | QDir::Hidden | QDir::System;
    if (!filesOnly)
        filter |= QDir::Dirs | QDir::NoDotAndDotDot;
    const QDir dir(info.path());
    std::vector<fs::path> paths;
    for (const QString& name : dir.entryList({info.fileName()}, filter, QDir::Name))
        paths.push_back(toPath(dir.filePath(name)));
    return paths;
}

int copyOne(const fs::path& from, const fs::path& to, bool intoFolder)
{
    std::error_code ec;
    fs::path target = intoFolder ? to / from.filename() : to;
    if (!target.parent_path().empty())
        fs::create_directories(target.parent_path(), ec);
    if (ec)
        return failure(ec);
    if (fs::is_directory(from, ec)) {
        fs::copy(from, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    } else {
        fs::copy_file(from, target, fs::copy_options::overwrite_existing, ec);
    }
    return ec ? failure(ec) : 0;
}

int moveOne(const fs::path& from, const fs::path& to, bool intoFolder)
{
    std::error_code ec;
    fs::path target = intoFolder ? to / from.filename() : to;
    if (!target.parent_path().empty())
        fs::create_directories(target.parent_path(), ec);
    fs::rename(from, target, ec);
    if (!ec)
        return 0;
    // Across devices: copy, then remove the original.
    if (const int rc = copyOne(from, target, false); rc != 0)
        return rc;
    fs::remove_all(from, ec);
    return ec ? failure(ec) : 0;
}
} // namespace

int TFileOperation::execute()
{
    AbortByUser_ = false;
    const QStringList sources = Source_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList destinations = Destination_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (sources.isEmpty())
        return ENOENT;
    const bool filesOnly = Options_.testFlag(fofFilesOnly);

    for (qsizetype i = 0; i < sources.size(); ++i) {
        int error = 0;
        const std::vector<fs::path> paths = expand(sources[i], filesOnly, &error);
        if (error != 0)
            return error;
        if (Mode_ == foDelete) {
            for (const fs::path& path : paths) {
                std::error_code ec;
                fs::remove_all(path, ec);
                if (ec)
                    return failure(ec);
            }
            continue;
        }

        QString destination;
        if (Options_.testFlag(fofMultiDestFiles) && i < destinations.size())
            destination = destinations[i];
        else if (!destinations.isEmpty())
            destination = destinations.first();
        if (destination.trimmed().isEmpty())
            return ENOENT;
        const fs::path to = toPath(destination.trimmed());
        std::error_code ec;
        // Several files, or an existing folder as the target: the files keep their names.
        const bool intoFolder =
            paths.size() > 1 || hasWildcard(QFileInfo(sources[i]).fileName()) || fs::is_directory(to, ec);
        for (const fs::path& path : paths) {
            const int rc = Mode_ == foCopy ? copyOne(path, to, intoFolder) : moveOne(path, to, intoFolder);
            if (rc != 0)
                return rc;
        }
    }
    return 0;
}
