#include "store/FileIdentity.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

FileIdentity FileIdentity::of(const QString& path)
{
    FileIdentity identity;
#ifdef Q_OS_WIN
    // Opened for attributes only, sharing everything, so no open file is disturbed.
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return identity;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info)) {
        identity.m_device = info.dwVolumeSerialNumber;
        identity.m_file = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        identity.m_valid = true;
    }
    CloseHandle(h);
#else
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        identity.m_device = quint64(st.st_dev);
        identity.m_file = quint64(st.st_ino);
        identity.m_valid = true;
    }
#endif
    return identity;
}
