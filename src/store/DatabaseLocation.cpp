#include "store/DatabaseLocation.h"

#include "base/AppPaths.h"
#include "base/Config.h"
#include "base/ErrorLog.h"
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

void DatabaseLocation::set(const QString& location, const QString& password)
{
    m_location = Config::withoutTrailingSeparator(location);
    m_password = password;
}

QString DatabaseLocation::passwordFilePath()
{
    return AppPaths::configFile(kPasswordFile);
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

bool DatabaseLocation::readPasswordFile(QString* password) const
{
    const QString path = passwordFilePath();
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
    m_location = Config::withoutTrailingSeparator(Config::databaseLocation());
    if (!m_location.isEmpty()) {
        QString password;
        if (readPasswordFile(&password))
            m_password = password;
        return;
    }

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

bool DatabaseLocation::store() const
{
    if (!Config::setDatabaseLocation(m_location)) {
        ErrorLog::report(QStringLiteral("Nie można zapisać pliku ") + Config::filePath(), true, 101756);
        return false;
    }
    QSaveFile file(passwordFilePath());
    const QByteArray record = passwordRecord(m_password);
    if (!file.open(QIODevice::WriteOnly) || file.write(record) != record.size() || !file.commit()) {
        // The system's own (English) reason would be shown too; the file name says enough.
        ErrorLog::report(QStringLiteral("Nie można zapisać pliku z hasłem bazy danych: ") +
                             QDir::toNativeSeparators(passwordFilePath()),
                         true, 101756);
        return false;
    }
    return true;
}

DatabaseLocation::TestResult DatabaseLocation::test(bool checkPassword)
{
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
    return DatabaseCheck::userText(m_lastCheck, TmyDataBase::databaseFile(m_location));
}
