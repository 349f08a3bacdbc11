#include "base/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
QString g_configDir;

bool ensureWritable(const QString& dir)
{
    if (!QDir().mkpath(dir))
        return false;
    QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}
} // namespace

namespace AppPaths
{
QString configDir()
{
    if (!g_configDir.isEmpty())
        return g_configDir;
    QString dir = qEnvironmentVariable("SPRZETNIK_CONFIG_DIR");
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
    QDir().mkpath(dir + QStringLiteral("/debug"));
    g_configDir = dir;
    return g_configDir;
}

void resetConfigDir()
{
    g_configDir.clear();
}

QString programDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString configFile(const QString& name)
{
    return configDir() + QLatin1Char('/') + name;
}
} // namespace AppPaths
