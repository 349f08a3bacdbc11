#include "shell/DatabaseLocation.h"

#include "shell/AppPaths.h"
#include "shell/Config.h"
#include "shell/ErrorLog.h"
#include "store/TVXCrypt.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>

#include <memory>

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
    if (!file.open(QIODevice::ReadOnly)) {
        ErrorLog::report(QStringLiteral("Nie można odczytać pliku ") + path + QStringLiteral(": ") +
                             file.errorString(),
                         true, 101749);
        return false;
    }
    if (!readPasswordRecord(file.read(kPasswordFileSize), password)) {
        ErrorLog::report(QStringLiteral("Plik ") + path + QStringLiteral(" jest uszkodzony (za krótki)."),
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
        ErrorLog::report(QStringLiteral("Nie można zapisać pliku ") + passwordFilePath() +
                             QStringLiteral(": ") + file.errorString(),
                         true, 101756);
        return false;
    }
    return true;
}

DatabaseLocation::TestResult DatabaseLocation::test(bool checkPassword)
{
    m_currentDirectory.clear();
    if (m_location.isEmpty())
        return NoDatabase;
    m_currentDirectory = m_location;
    if (!QFile::exists(TmyDataBase::databaseFile(m_location)))
        return NoDatabase;
    TmyDataBase::removeLockFile(m_location);
    if (checkPassword) {
        // The data module of the running program, or one just for the test.
        std::unique_ptr<TmyDataBase> own;
        TmyDataBase* module = TmyDataBase::instance();
        if (!module) {
            own = std::make_unique<TmyDataBase>();
            module = own.get();
        }
        if (!module->tableOpenTest(m_location, TableList::files().first(), m_password))
            return WrongPassword;
    }
    return Ok;
}
