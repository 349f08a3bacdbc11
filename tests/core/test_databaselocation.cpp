#include "TestSupport.h"

#include "base/Config.h"
#include "base/IniFile.h"
#include "store/DatabaseLocation.h"
#include "store/SqlConnection.h"
#include "store/TVXCrypt.h"
#include "store/TableList.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void makeDatabase(const QString& dir, const QString& password)
{
    QDir().mkpath(dir);
    SqlConnection connection;
    connection.open(dir + QLatin1Char('/') + kDatabaseFileName, password, true);
    connection.exec(
        QStringLiteral("CREATE TABLE firmy (IDFIRMY INTEGER PRIMARY KEY); INSERT INTO firmy VALUES (1);"));
}
} // namespace

class TestDatabaseLocation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void recordLayout();
    void recordRoundTrip_data();
    void recordRoundTrip();
    void readUsesLengthAtEnd();
    void storeAndLoad();
    void missingOrShortPasswordFile_data();
    void missingOrShortPasswordFile();
    void storeFailureIsReported();
    void olderLocationCopiedOnce();
    void noLocationAnywhere();
    void databaseTest_data();
    void databaseTest();

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<QTemporaryDir> m_system;
};

void TestDatabaseLocation::init()
{
    m_config = std::make_unique<TempConfig>();
    m_system = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, m_system->path());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, m_system->path());
}

void TestDatabaseLocation::cleanup()
{
    m_system.reset();
    m_config.reset();
}

void TestDatabaseLocation::recordLayout()
{
    const QByteArray record = DatabaseLocation::passwordRecord(QStringLiteral("abc"));
    QCOMPARE(record.size(), qsizetype(257));
    QCOMPARE(quint8(record[0]), quint8(3));
    QCOMPARE(quint8(record[256]), quint8(3));
    // 'a' + 'R', 'b' + 'w', 'c' + '$'
    QCOMPARE(record.mid(1, 3), QByteArray("\xb3\xd9\x87", 3));
    QCOMPARE(record.mid(4, 252), QByteArray(252, '\0'));
}

void TestDatabaseLocation::recordRoundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("empty") << QString();
    QTest::newRow("short") << QStringLiteral("abc");
    QTest::newRow("fifteen") << QStringLiteral("Abc123Xyz789Qwe");
    QTest::newRow("polish") << QStringLiteral("hasłożółć");
    QTest::newRow("255") << QString(255, QLatin1Char('x'));
}

void TestDatabaseLocation::recordRoundTrip()
{
    QFETCH(QString, password);
    QString read = QStringLiteral("unchanged");
    QVERIFY(DatabaseLocation::readPasswordRecord(DatabaseLocation::passwordRecord(password), &read));
    QCOMPARE(read, password);
}

void TestDatabaseLocation::readUsesLengthAtEnd()
{
    QByteArray record = DatabaseLocation::passwordRecord(QStringLiteral("abcdef"));
    record[0] = char(6);
    record[256] = char(2); // only the last byte counts
    QString read;
    QVERIFY(DatabaseLocation::readPasswordRecord(record, &read));
    QCOMPARE(read, QStringLiteral("ab"));
}

void TestDatabaseLocation::storeAndLoad()
{
    DatabaseLocation location;
    location.set(QStringLiteral("/srv/baza/Sprzetnik_DB/"), QStringLiteral("tajne1"));
    QVERIFY(location.store());
    QCOMPARE(readFile(DatabaseLocation::passwordFilePath()).size(), qsizetype(257));
    QCOMPARE(Config::databaseLocation(), QStringLiteral("/srv/baza/Sprzetnik_DB"));

    DatabaseLocation loaded;
    loaded.load();
    QCOMPARE(loaded.location(), QStringLiteral("/srv/baza/Sprzetnik_DB"));
    QCOMPARE(loaded.password(), QStringLiteral("tajne1"));
    QVERIFY(m_config->logLines().isEmpty());
}

void TestDatabaseLocation::missingOrShortPasswordFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("size");
    QTest::newRow("missing") << false << 0;
    QTest::newRow("empty") << true << 0;
    QTest::newRow("256 bytes") << true << 256;
}

void TestDatabaseLocation::missingOrShortPasswordFile()
{
    QFETCH(bool, present);
    QFETCH(int, size);
    Config::setDatabaseLocation(QStringLiteral("/srv/baza"));
    if (present)
        writeFile(DatabaseLocation::passwordFilePath(),
                  DatabaseLocation::passwordRecord(QStringLiteral("tajne")).left(size));
    DatabaseLocation location;
    location.load();
    QCOMPARE(location.location(), QStringLiteral("/srv/baza"));
    QCOMPARE(location.password(), QString());
    const QStringList log = m_config->logLines();
    QCOMPARE(log.size(), 1);
    QVERIFY2(log.first().contains(QLatin1String("[0000101749]")), qPrintable(log.first()));
}

void TestDatabaseLocation::storeFailureIsReported()
{
    // A folder where config.dat should be: the file cannot be written.
    QDir().mkpath(DatabaseLocation::passwordFilePath());
    DatabaseLocation location;
    location.set(QStringLiteral("/srv/baza"), QStringLiteral("tajne"));
    QVERIFY(!location.store());
    const QStringList log = m_config->logLines();
    QCOMPARE(log.size(), 1);
    QVERIFY2(log.first().contains(QLatin1String("[0000101756]")), qPrintable(log.first()));
}

void TestDatabaseLocation::olderLocationCopiedOnce()
{
    {
        QSettings legacy(QSettings::SystemScope, QStringLiteral("Volmark"), QStringLiteral("Sprzetnik"));
        legacy.beginGroup(QStringLiteral("DataBase"));
        legacy.setValue(QStringLiteral("Location"), QStringLiteral("/srv/stara/"));
        legacy.setValue(QStringLiteral("Driver"),
                        TVXCrypt::bytesText(TVXCrypt::encrypt("stare1", DatabaseLocation::kCipherKey)));
    }
    DatabaseLocation first;
    first.load();
    QCOMPARE(first.location(), QStringLiteral("/srv/stara"));
    QCOMPARE(first.password(), QStringLiteral("stare1"));
    QCOMPARE(Config::databaseLocation(), QStringLiteral("/srv/stara"));
    QVERIFY(QFile::exists(DatabaseLocation::passwordFilePath()));

    // Later starts read the configuration file and config.dat only.
    {
        QSettings legacy(QSettings::SystemScope, QStringLiteral("Volmark"), QStringLiteral("Sprzetnik"));
        legacy.setValue(QStringLiteral("DataBase/Location"), QStringLiteral("/srv/inna"));
    }
    DatabaseLocation later;
    later.load();
    QCOMPARE(later.location(), QStringLiteral("/srv/stara"));
    QCOMPARE(later.password(), QStringLiteral("stare1"));
}

void TestDatabaseLocation::noLocationAnywhere()
{
    DatabaseLocation location;
    location.load();
    QCOMPARE(location.location(), QString());
    QCOMPARE(location.password(), QString());
    QVERIFY(!QFile::exists(DatabaseLocation::passwordFilePath()));
    QCOMPARE(location.test(true), DatabaseLocation::NoDatabase);
    QCOMPARE(location.currentDirectory(), QString());
}

void TestDatabaseLocation::databaseTest_data()
{
    QTest::addColumn<QString>("content"); // "db", "garbage" or "none"
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("check");
    QTest::addColumn<int>("expected");
    QTest::newRow("right password") << "db"
                                    << "tajne1" << true << 0;
    QTest::newRow("wrong password") << "db"
                                    << "zle" << true << 2;
    QTest::newRow("wrong, not checked") << "db"
                                        << "zle" << false << 0;
    QTest::newRow("not a database") << "garbage"
                                    << "tajne1" << true << 3;
    QTest::newRow("empty folder") << "none"
                                  << "tajne1" << true << 1;
    QTest::newRow("missing folder") << "missing"
                                    << "tajne1" << true << 1;
}

void TestDatabaseLocation::databaseTest()
{
    QFETCH(QString, content);
    QFETCH(QString, password);
    QFETCH(bool, check);
    QFETCH(int, expected);
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("baza"));
    if (content == QLatin1String("db"))
        makeDatabase(folder, QStringLiteral("tajne1"));
    else if (content == QLatin1String("garbage")) {
        QDir().mkpath(folder);
        writeFile(folder + QLatin1Char('/') + kDatabaseFileName, QByteArray(4096, 'x'));
    } else if (content == QLatin1String("none"))
        QDir().mkpath(folder);

    DatabaseLocation location;
    location.set(folder, password);
    QCOMPARE(int(location.test(check)), expected);
    QCOMPARE(location.currentDirectory(), folder);
}

QTEST_GUILESS_MAIN(TestDatabaseLocation)
#include "test_databaselocation.moc"
