#include "TestSupport.h"

#include "base/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

TempConfig::TempConfig()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("debug"));
    qputenv("SPRZETNIK_CONFIG_DIR", m_dir.path().toLocal8Bit());
    AppPaths::resetConfigDir();
}

TempConfig::~TempConfig()
{
    qunsetenv("SPRZETNIK_CONFIG_DIR");
    AppPaths::resetConfigDir();
}

QStringList TempConfig::logLines() const
{
    QFile file(m_dir.path() + QStringLiteral("/debug/error.log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder("windows-1250");
    const QString text = decoder.decode(file.readAll());
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
