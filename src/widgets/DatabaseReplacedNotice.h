#pragma once

#include <QObject>

class TmyDataBase;

// What the program does when the connection finds its database file replaced
// by another one (restored from an archive on another workstation) and has
// opened the new one: once the work in hand has gone back to the event loop,
// every list shown is read again from the new file and the user is told why.
class DatabaseReplacedNotice : public QObject
{
    Q_OBJECT

public:
    explicit DatabaseReplacedNotice(TmyDataBase& db, QObject* parent = nullptr);
    ~DatabaseReplacedNotice() override;

private:
    void tell();

    TmyDataBase& m_db;
    bool m_pending = false;
};
