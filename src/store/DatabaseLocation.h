#pragma once

#include "store/DatabaseCheck.h"
#include "store/DatabaseTarget.h"
#include "store/ServerAddress.h"

#include <QByteArray>
#include <QString>

// Which database directory this computer works on and the password that opens
// it: the directory in the configuration file (DATABASE/lokalizacja), the
// password enciphered in "config.dat", and the older system-wide location read
// once when the configuration file names none. Or a database on a server:
// its address in the configuration file (DATABASE/rodzaj=serwer and the
// serwer... keys), its password enciphered in "serwer.dat" as in config.dat.
// The folder and its password stay remembered while the server is chosen.
class DatabaseLocation
{
public:
    enum TestResult
    {
        Ok = 0,
        NoDatabase = 1,
        WrongPassword = 2,
        Damaged = 3,      // cut, empty, a folder, malformed or not a database of the program
        ReadOnly = 4,     // the file or its folder cannot be written
        Locked = 5,       // another program holds the file
        NoAccess = 6,     // no right to read the file
        ServerProblem = 7 // the server cannot be reached, refuses TLS, or holds another program's tables
    };

    static inline const QByteArray kCipherKey = QByteArrayLiteral("Rw$9kP!m2#Xv8&Lq;Tz_");
    static inline const QString kPasswordFile = QStringLiteral("config.dat");
    static inline const QString kServerPasswordFile = QStringLiteral("serwer.dat");
    static constexpr int kPasswordFileSize = 257;

    // The pair the running program uses.
    static DatabaseLocation& global();

    QString location() const { return m_location; }
    QString password() const { return m_password; }
    // Chooses the database file in `location`.
    void set(const QString& location, const QString& password);
    // Chooses a database on a server.
    void setServer(const ServerAddress& address);
    // The database password alone: on a server, the key of its archives.
    void setPassword(const QString& password) { m_password = password; }
    bool onServer() const { return m_onServer; }
    const ServerAddress& server() const { return m_server; }
    // What the data module connects to after a test that answered Ok.
    DatabaseTarget target() const;
    // The folder of the files a server database keeps on this computer.
    static QString serverFolder();
    // "host:port/database" on a server, else the folder.
    QString display() const;
    // The directory the last database test verified (empty when it failed early).
    QString currentDirectory() const { return m_currentDirectory; }

    // Reads the pair; a missing or short config.dat is reported (101749) and
    // leaves the password empty. Without a location, the older system-wide
    // location is copied into the configuration file and config.dat.
    void load();
    // Writes the location into the configuration file and the password into
    // config.dat; a failure is reported (101756). Answers success.
    bool store() const;
    // 0 OK, 1 no database in the location, 2 the password does not open it,
    // 3-6 what the file shows: damage, a read-only file or folder, a lock, no rights.
    // The same failure found again is not logged again.
    TestResult test(bool checkPassword);
    // The test without the key: whether the file is there, whole pages and
    // readable, and a password is known. It spares the key derivation (tens of
    // milliseconds) where the first keyed open follows anyway; a wrong password,
    // a read-only or locked file show only there.
    TestResult testWithoutKey();
    // The last test's findings and, for 3-6, the Polish message to show.
    const DatabaseCheck::Result& lastCheck() const { return m_lastCheck; }
    QString problemText() const;

    // The 257-byte record of config.dat: [L] [cipher text, padded to 255] [L].
    static QByteArray passwordRecord(const QString& password);
    // False when the record is shorter than 257 bytes.
    static bool readPasswordRecord(const QByteArray& record, QString* password);
    static QString passwordFilePath();
    static QString serverPasswordFilePath();

private:
    bool readPasswordFile(const QString& path, QString* password) const;
    TestResult testServer();
    // The steps both tests share: the current directory, the file, the lock file.
    bool locate(QString* file);
    // The answer for m_lastCheck, its log line written once.
    TestResult conclude(const QString& file);

    QString m_location;
    QString m_password;
    QString m_currentDirectory;
    DatabaseCheck::Result m_lastCheck;
    QString m_lastLogged;
    bool m_onServer = false;
    ServerAddress m_server;
    QString m_serverProblem;
};
