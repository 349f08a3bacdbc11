#include "base/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_configDir;
// Created by the package, writable by every user of the computer.
constexpr const char* kSharedStateDir = "/var/lib/sprzetnik";

bool ensureWritable(const QString& dir)
{
    if (!QDir().mkpath(dir))
        return false;
    QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}
} // namespace

namespace AppPaths {
QString configDir()
{
    if (!g_configDir.isEmpty())
        return g_configDir;
    QString dir = qEnvironmentVariable("SPRZETNIK_CONFIG_DIR");
    // The package makes this folder for every user of the computer, as an
    // installer makes the common application-data folder elsewhere.
    const QFileInfo sharedState(QString::fromLatin1(kSharedStateDir));
    if (dir.isEmpty() && sharedState.isDir() && sharedState.isWritable())
        dir = sharedState.filePath();
    if (dir.isEmpty()) {
        const QString suffix = QStringLiteral("/Volmark/Sprzetnik");
        const QStringList shared = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
        // The last entries are the system-wide folders; the first is the user's.
        for (auto it = shared.crbegin(); it != shared.crend(); ++it) {
            if (ensureWritable(*it + suffix)) {
                dir = *it + suffix;
                break;
            }
        }
        if (dir.isEmpty())
            dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + suffix;
    }
    dir = QDir::cleanPath(dir);
    const QString debug = dir + QStringLiteral("/debug");
    const bool made = !QFileInfo::exists(debug) && QDir().mkpath(debug);
    // In the folder shared by the computer's users, the error log's folder is
    // theirs too, whoever made it first.
    if (made && dir == sharedState.filePath())
        QFile::setPermissions(debug,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                  QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                  QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    g_configDir = dir;
    return g_configDir;
}

void resetConfigDir()
{
    g_configDir.clear();
}

QString programDir()
{
    const QString exeDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    // A build keeps the folders beside the executable; an installed program
    // keeps them in its share folder beside bin/ (any prefix, also a root
    // unpacked elsewhere).
    if (QFileInfo(exeDir + QStringLiteral("/data")).isDir())
        return exeDir;
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/sprzetnik"));
    if (QFileInfo(installed + QStringLiteral("/data")).isDir())
        return installed;
    return exeDir;
}

QString configFile(const QString& name)
{
    return configDir() + QLatin1Char('/') + name;
}
} // namespace AppPaths
