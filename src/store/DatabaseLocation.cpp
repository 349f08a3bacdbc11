#include "store/DatabaseLocation.h"

#include "base/AppPaths.h"
#include "base/Config.h"
#include "base/ErrorLog.h"
#include "base/IniFile.h"
#include "store/ServerDatabase.h"
#include "store/TVXCrypt.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

DatabaseLocation& DatabaseLocation::global()
{
    static DatabaseLocation location;
    return location;
}

namespace {
const QString kKind = QStringLiteral("rodzaj");
const QString kKindServer = QStringLiteral("serwer");
const QString kKindFile = QStringLiteral("plik");
const QString kHost = QStringLiteral("serwerAdres");
const QString kPort = QStringLiteral("serwerPort");
const QString kName = QStringLiteral("serwerBaza");
const QString kUser = QStringLiteral("serwerUzytkownik");
const QString kTls = QStringLiteral("serwerTLS");
} // namespace

void DatabaseLocation::set(const QString& location, const QString& password)
{
    m_location = Config::withoutTrailingSeparator(location);
    m_password = password;
    m_onServer = false;
}

void DatabaseLocation::setServer(const ServerAddress& address)
{
    m_server = address;
    m_onServer = true;
}

DatabaseTarget DatabaseLocation::target() const
{
    DatabaseTarget target{m_currentDirectory, m_password, std::nullopt};
    if (m_onServer)
        target.server = m_server;
    return target;
}

QString DatabaseLocation::serverFolder()
{
    return AppPaths::configFile(QStringLiteral("serwer"));
}

QString DatabaseLocation::display() const
{
    return m_onServer ? m_server.display() : QDir::toNativeSeparators(m_location);
}

QString DatabaseLocation::passwordFilePath()
{
    return AppPaths::configFile(kPasswordFile);
}

QString DatabaseLocation::serverPasswordFilePath()
{
    return AppPaths::configFile(kServerPasswordFile);
}

QByteArray DatabaseLocation::passwordRecord(const QString& password)
{
    // The record holds at most 255 bytes of cipher text.
    const QByteArray cipher = TVXCrypt::encrypt(TVXCrypt::textBytes(password), kCipherKey).left(255);
    QByteArray record(kPasswordFileSize, '\0');
    record[0] = char(cipher.size());
    record.replace(1, cipher.size(), cipher);
    record[256] = char(cipher.size());
    return record;
}

bool DatabaseLocation::readPasswordRecord(const QByteArray& record, QString* password)
{
    if (record.size() < kPasswordFileSize)
        return false;
    const int length = quint8(record[256]);
    *password = TVXCrypt::bytesText(TVXCrypt::decrypt(record.mid(1, qMin(length, 255)), kCipherKey));
    return true;
}

bool DatabaseLocation::readPasswordFile(const QString& path, QString* password) const
{
    QFile file(path);
    const QString name = QDir::toNativeSeparators(path);
    if (!file.exists()) {
        ErrorLog::report(QStringLiteral("Brak pliku z hasłem bazy danych: ") + name, true, 101749);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ErrorLog::report(QStringLiteral("Nie można odczytać pliku z hasłem bazy danych: ") + name, true,
                         101749);
        return false;
    }
    if (!readPasswordRecord(file.read(kPasswordFileSize), password)) {
        ErrorLog::report(QStringLiteral("Plik z hasłem bazy danych jest uszkodzony (za krótki): ") + name,
                         true, 101749);
        return false;
    }
    return true;
}

void DatabaseLocation::load()
{
    m_location.clear();
    m_password.clear();
    m_onServer = false;
    m_server = {};
    const IniFile ini(Config::filePath());
    if (ini.value(Config::kDatabase, kKind).compare(kKindServer, Qt::CaseInsensitive) == 0) {
        m_onServer = true;
        m_server.host = ini.value(Config::kDatabase, kHost);
        m_server.port = ini.intValue(Config::kDatabase, kPort, 5432);
        m_server.database = ini.value(Config::kDatabase, kName);
        m_server.user = ini.value(Config::kDatabase, kUser);
        m_server.requireTls = ini.boolValue(Config::kDatabase, kTls, false);
        QString password;
        if (readPasswordFile(serverPasswordFilePath(), &password))
            m_server.password = password;
        // The key of the archives of a server database, once one was given.
        if (QFileInfo::exists(passwordFilePath()) && readPasswordFile(passwordFilePath(), &password))
            m_password = password;
    }
    m_location = Config::withoutTrailingSeparator(Config::databaseLocation());
    if (!m_location.isEmpty()) {
        QString password;
        if (readPasswordFile(passwordFilePath(), &password))
            m_password = password;
        return;
    }
    if (m_onServer)
        return;

    // Databases configured by older versions: the system-wide location, read once.
    QSettings legacy(QSettings::SystemScope, QStringLiteral("Volmark"), QStringLiteral("Sprzetnik"));
    if (!legacy.childGroups().contains(QStringLiteral("DataBase"), Qt::CaseInsensitive))
        return;
    legacy.beginGroup(QStringLiteral("DataBase"));
    const QString location = legacy.value(QStringLiteral("Location")).toString();
    const QString driver = legacy.value(QStringLiteral("Driver")).toString();
    legacy.endGroup();
    if (location.isEmpty())
        return;
    m_location = Config::withoutTrailingSeparator(location);
    m_password = TVXCrypt::bytesText(TVXCrypt::decrypt(TVXCrypt::textBytes(driver), kCipherKey));
    store();
}

namespace {
bool writePasswordFile(const QString& path, const QString& password)
{
    QSaveFile file(path);
    const QByteArray record = DatabaseLocation::passwordRecord(password);
    if (!file.open(QIODevice::WriteOnly) || file.write(record) != record.size() || !file.commit()) {
        // The system's own (English) reason would be shown too; the file name says enough.
        ErrorLog::report(QStringLiteral("Nie można zapisać pliku z hasłem bazy danych: ") +
                             QDir::toNativeSeparators(path),
                         true, 101756);
        return false;
    }
    return true;
}
} // namespace

bool DatabaseLocation::store() const
{
    IniFile ini(Config::filePath());
    ini.setValue(Config::kDatabase, QStringLiteral("lokalizacja"),
                 Config::withoutTrailingSeparator(m_location));
    ini.setValue(Config::kDatabase, kKind, m_onServer ? kKindServer : kKindFile);
    if (m_onServer) {
        ini.setValue(Config::kDatabase, kHost, m_server.host);
        ini.setValue(Config::kDatabase, kPort, QString::number(m_server.port));
        ini.setValue(Config::kDatabase, kName, m_server.database);
        ini.setValue(Config::kDatabase, kUser, m_server.user);
        ini.setBool(Config::kDatabase, kTls, m_server.requireTls);
    }
    if (!ini.save(Config::filePath())) {
        ErrorLog::report(QStringLiteral("Nie można zapisać pliku ") + Config::filePath(), true, 101756);
        return false;
    }
    if (!writePasswordFile(passwordFilePath(), m_password))
        return false;
    return !m_onServer || writePasswordFile(serverPasswordFilePath(), m_server.password);
}

DatabaseLocation::TestResult DatabaseLocation::testServer()
{
    m_lastCheck = {};
    m_serverProblem.clear();
    m_currentDirectory = serverFolder();
    QDir().mkpath(m_currentDirectory);
    const ServerDatabase::Probe probe = ServerDatabase::probe(m_server);
    if (probe.state == ServerDatabase::State::Ready) {
        m_lastLogged.clear();
        return Ok;
    }
    m_serverProblem = probe.message;
    // The start-up and the database dialog repeat the test: one line per failure.
    const QString line = QStringLiteral("[9999999999]  db server test. ") + m_server.display() +
                         QStringLiteral(": ") + (probe.detail.isEmpty() ? probe.message : probe.detail);
    if (line != m_lastLogged) {
        ErrorLog::writeLine(line);
        m_lastLogged = line;
    }
    switch (probe.state) {
    case ServerDatabase::State::NoDatabase:
    case ServerDatabase::State::Empty:
        return NoDatabase;
    case ServerDatabase::State::Refused:
        return WrongPassword;
    default:
        return ServerProblem;
    }
}

DatabaseLocation::TestResult DatabaseLocation::test(bool checkPassword)
{
    if (m_onServer)
        return testServer();
    QString file;
    if (!locate(&file))
        return NoDatabase;
    if (!checkPassword)
        return Ok;
    m_lastCheck = DatabaseCheck::openTest(file, TableList::files().first(), m_password);
    return conclude(file);
}

DatabaseLocation::TestResult DatabaseLocation::testWithoutKey()
{
    // A server has no key to spare: logging in is the test.
    if (m_onServer)
        return testServer();
    QString file;
    if (!locate(&file))
        return NoDatabase;
    m_lastCheck = DatabaseCheck::inspect(file);
    // A database of the program is always keyed: without a password nothing opens it.
    if (m_lastCheck.ok() && m_password.isEmpty()) {
        m_lastCheck.problem = DatabaseCheck::Problem::WrongPassword;
        m_lastCheck.step = QStringLiteral("8");
        m_lastCheck.message = QStringLiteral("no database password");
    }
    return conclude(file);
}

bool DatabaseLocation::locate(QString* file)
{
    m_currentDirectory.clear();
    m_lastCheck = {};
    if (m_location.isEmpty())
        return false;
    m_currentDirectory = m_location;
    *file = TmyDataBase::databaseFile(m_location);
    // A folder in the file's place is a damaged database, not a missing one.
    if (!QFileInfo::exists(*file))
        return false;
    TmyDataBase::removeLockFile(m_location);
    return true;
}

DatabaseLocation::TestResult DatabaseLocation::conclude(const QString& file)
{
    if (m_lastCheck.ok()) {
        m_lastLogged.clear();
        return Ok;
    }
    // The start-up and the database dialog repeat the test: one line per failure.
    const QString line = DatabaseCheck::logLine(m_lastCheck);
    if (line + file != m_lastLogged) {
        ErrorLog::writeLine(line);
        m_lastLogged = line + file;
    }
    switch (m_lastCheck.problem) {
    case DatabaseCheck::Problem::Missing:
        return NoDatabase;
    case DatabaseCheck::Problem::Damaged:
        return Damaged;
    case DatabaseCheck::Problem::ReadOnly:
        return ReadOnly;
    case DatabaseCheck::Problem::Locked:
        return Locked;
    case DatabaseCheck::Problem::NoAccess:
        return NoAccess;
    case DatabaseCheck::Problem::None:
    case DatabaseCheck::Problem::WrongPassword:
        break;
    }
    return WrongPassword;
}

QString DatabaseLocation::problemText() const
{
    if (m_onServer)
        return m_serverProblem;
    return DatabaseCheck::userText(m_lastCheck, TmyDataBase::databaseFile(m_location));
}
