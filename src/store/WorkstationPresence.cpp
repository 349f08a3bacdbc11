#include "store/WorkstationPresence.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
#ifndef Q_OS_WIN
// Locks of an open file description (Linux) belong to that opening, not to
// the process: two connections of one process count as two, and closing
// another descriptor of the file keeps them. Elsewhere the classic locks
// serve, one workstation being one process.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
constexpr int kGetLock = F_OFD_GETLK;
#else
constexpr int kSetLock = F_SETLK;
constexpr int kGetLock = F_GETLK;
#endif

struct flock byteRange(short type, off_t start, off_t length)
{
    struct flock fl = {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = start;
    fl.l_len = length;
    return fl;
}
#endif

// Where the search for a free slot starts: spread, so that workstations
// starting together seldom reach for the same slot.
int firstSlot()
{
    return int(QCoreApplication::applicationPid() % WorkstationPresence::kSlots);
}
} // namespace

WorkstationPresence::~WorkstationPresence()
{
    leave();
}

bool WorkstationPresence::enter(const QString& directory)
{
    leave();
    const QString path = QDir(directory).filePath(kFileName);
#ifdef Q_OS_WIN
    const auto* name = reinterpret_cast<const wchar_t*>(path.utf16());
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_ALWAYS, 0, nullptr);
    m_exclusive = h != INVALID_HANDLE_VALUE;
    if (h == INVALID_HANDLE_VALUE)
        h = CreateFileW(name, GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    m_handle = h;
#else
    const QByteArray name = QFile::encodeName(path);
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    m_exclusive = m_fd >= 0;
    // A presence file that only another user may write: a shared lock needs reading only.
    if (m_fd < 0)
        m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
#endif
    m_directory = directory;
    const int start = firstSlot();
    for (int i = 0; i < kSlots; ++i) {
        const int slot = (start + i) % kSlots;
        if (heldElsewhere(slot) == 0 && lockSlot(slot)) {
            m_slot = slot;
            return true;
        }
    }
    leave();
    return false;
}

void WorkstationPresence::leave()
{
    // Closing the file frees its locks.
#ifdef Q_OS_WIN
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
    m_handle = nullptr;
#else
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
#endif
    m_slot = -1;
    m_directory.clear();
}

bool WorkstationPresence::lockSlot(int slot)
{
#ifdef Q_OS_WIN
    OVERLAPPED at = {};
    at.Offset = DWORD(slot);
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (m_exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockFileEx(static_cast<HANDLE>(m_handle), flags, 0, 1, 0, &at);
#else
    struct flock fl = byteRange(m_exclusive ? F_WRLCK : F_RDLCK, slot, 1);
    return ::fcntl(m_fd, kSetLock, &fl) == 0;
#endif
}

int WorkstationPresence::heldElsewhere(int slot) const
{
    if (slot == m_slot)
        return 0;
#ifdef Q_OS_WIN
    // No lock can be asked about: a trial exclusive lock tells.
    HANDLE h = static_cast<HANDLE>(m_handle);
    OVERLAPPED at = {};
    at.Offset = DWORD(slot);
    if (LockFileEx(h, LOCKFILE_FAIL_IMMEDIATELY | LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
        UnlockFileEx(h, 0, 1, 0, &at);
        return 0;
    }
    return GetLastError() == ERROR_LOCK_VIOLATION ? 1 : -1;
#else
    // Asks without locking; this opening's own lock is never reported.
    struct flock fl = byteRange(F_WRLCK, slot, 1);
    if (::fcntl(m_fd, kGetLock, &fl) != 0)
        return -1;
    return fl.l_type == F_UNLCK ? 0 : 1;
#endif
}

int WorkstationPresence::others() const
{
    if (m_slot < 0)
        return -1;
    int count = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        const int held = heldElsewhere(slot);
        if (held < 0)
            return -1;
        count += held;
    }
    return count;
}
