#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A fresh configuration folder for one test: SPRZETNIK_CONFIG_DIR points at
// a temporary folder (with "debug") for as long as the object lives.
class TempConfig
{
public:
    TempConfig();
    ~TempConfig();
    QString path() const { return m_dir.path(); }
    // The lines of debug/error.log, decoded from Windows-1250, without CR LF.
    QStringList logLines() const;

private:
    QTemporaryDir m_dir;
};
