#pragma once

#include <QString>

// Which file a path names on disk: its device and its number there (the inode;
// the volume serial and file index on Windows). A file renamed over the path
// has another identity even when its name, size and time are the same.
class FileIdentity
{
public:
    FileIdentity() = default;
    // Invalid when the path names nothing (or cannot be looked at).
    static FileIdentity of(const QString& path);

    bool isValid() const { return m_valid; }
    bool operator==(const FileIdentity& other) const = default;

private:
    quint64 m_device = 0;
    quint64 m_file = 0;
    bool m_valid = false;
};
