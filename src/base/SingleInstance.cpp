#include "base/SingleInstance.h"

#include "base/AppPaths.h"

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(std::make_unique<QLockFile>(lockPath))
{
    // A live holder keeps its lock however long it runs.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    if (m_lock->tryLock(0))
        return true;
    // tryLock already removes the lock of a dead process; try once more in case
    // the holder ended between the two looks.
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->removeStaleLockFile())
        return m_lock->tryLock(0);
    return false;
}

QString SingleInstance::defaultLockPath()
{
    return AppPaths::configFile(QStringLiteral("sprzetnik.lock"));
}
