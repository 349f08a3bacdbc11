#pragma once

#include <QString>

// This workstation's mark beside the database while it is connected: a lock
// on one byte (its slot) of the presence file in the database folder. Locks
// of other workstations show, so the slots held elsewhere count the
// workstations connected; the system frees the slot of a program that ended
// or died, so a mark is never left behind.
class WorkstationPresence
{
public:
    static inline const QString kFileName = QStringLiteral("sprzetnik.stanowiska");
    static constexpr int kSlots = 256;

    WorkstationPresence() = default;
    ~WorkstationPresence();
    WorkstationPresence(const WorkstationPresence&) = delete;
    WorkstationPresence& operator=(const WorkstationPresence&) = delete;

    // Takes a free slot of the presence file in `directory` (leaving any slot
    // held before). False when the file cannot be opened or no slot is free;
    // the workstation then simply goes uncounted.
    bool enter(const QString& directory);
    void leave();
    bool isPresent() const { return m_slot >= 0; }
    QString directory() const { return m_directory; }

    // Workstations other than this one marked in the presence file; -1 when
    // that cannot be told (this one holds no slot).
    int others() const;

private:
    // Whether another holder locks byte `slot`; -1 when the look fails.
    int heldElsewhere(int slot) const;
    bool lockSlot(int slot);

    QString m_directory;
    int m_slot = -1;
    bool m_exclusive = false;
#ifdef Q_OS_WIN
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};
