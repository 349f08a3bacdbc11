#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running copy of the program per computer: a lock file in the
// configuration folder. A lock left by a copy that died is broken.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& lockPath);
    // True when this process now holds the lock.
    bool acquire();
    static QString defaultLockPath();
    static QString alreadyRunningText() { return QStringLiteral("Program Sprzetnik jest już uruchomiony!"); }

private:
    std::unique_ptr<QLockFile> m_lock;
};
