#include "TestSupport.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/IniFile.h"
#include "store/TmyDataBase.h"

#include <QFile>
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
} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void missingFileGivesDefaults_data();
    void missingFileGivesDefaults();
    void reportDefaultsFollowKeyForm_data();
    void reportDefaultsFollowKeyForm();
    void keyTableIsComplete();
    void roundTrip();
    void saveWritesFirstLogZero();
    void saveKeepsForeignSections();
    void keysReadWithoutRegardToCase();
    void attachmentsFolderWithoutTrailingSeparator_data();
    void attachmentsFolderWithoutTrailingSeparator();
    void attachmentsFolderFromInstallationDefault();
    void garbageFileGivesDefaults();
    void importSettings();

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<QTemporaryDir> m_program;
};

void TestConfig::init()
{
    m_config = std::make_unique<TempConfig>();
    m_program = std::make_unique<QTemporaryDir>();
    Config::setDefaultsFilePath(m_program->filePath(QStringLiteral("sprzetnik.ini")));
    Clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
}

void TestConfig::cleanup()
{
    Clock::setFixed({});
    Config::setDefaultsFilePath({});
    m_program.reset();
    m_config.reset();
}

void TestConfig::missingFileGivesDefaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("cbFirstLog") << "cbFirstLog" << QVariant(true);
    QTest::newRow("pokazujPoradeDnia") << "pokazujPoradeDnia" << QVariant(true);
    QTest::newRow("uzyjAktualnejIlosciBHP") << "uzyjAktualnejIlosciBHP" << QVariant(false);
    QTest::newRow("dataWsteczna") << "dataWsteczna" << QVariant(7);
    QTest::newRow("dataWstecznaMin") << "dataWstecznaMin" << QVariant(0);
    QTest::newRow("usuwajZajaczniki") << "usuwajZajaczniki" << QVariant(false);
    QTest::newRow("cbAllowChangeOsobowaNREW") << "cbAllowChangeOsobowaNREW" << QVariant(false);
    QTest::newRow("cbRapFirma") << "cbRapFirma" << QVariant(true);
    QTest::newRow("mainWinWidth") << "mainWinWidth" << QVariant(-1);
    QTest::newRow("lokalizacjaZalacznikow") << "lokalizacjaZalacznikow" << QVariant(QString());
}

void TestConfig::missingFileGivesDefaults()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    Config config;
    config.load();
    QCOMPARE(config.value(key), expected);
}

void TestConfig::reportDefaultsFollowKeyForm_data()
{
    const QChar sep = TmyDataBase::dateSeparator();
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("DataOd") << "RP1_KK_DataOd"
                            << QVariant(QStringLiteral("05") + sep + QStringLiteral("03") + sep +
                                        QStringLiteral("2024"));
    QTest::newRow("RapDTDO") << "RP2_SK_RapDTDO" << QVariant(QStringLiteral("  %1  %1    ").arg(sep));
    QTest::newRow("cb off") << "RP2_SN_cbKlasyfikatorBhp" << QVariant(false);
    QTest::newRow("cb on") << "RP2_SN_cbUmiescCeny" << QVariant(true);
    QTest::newRow("DataLikwidacji on") << "RP2_SK_cbDataLikwidacji" << QVariant(true);
    QTest::newRow("rowniezZlikwidowane") << "RP1_SK_rowniezZlikwidowane" << QVariant(false);
    QTest::newRow("combo") << "RP2_KK_comboDostawca" << QVariant(-1);
    QTest::newRow("combo zero") << "RP2_SN_comboSortuj" << QVariant(0);
    QTest::newRow("klasyfikator") << "RP1_SK_klasyfikator" << QVariant(-1);
    QTest::newRow("Filtr2") << "RP1_KK_Filtr2" << QVariant(0);
    QTest::newRow("Seria1") << "RP2_KK_ZestKompSeria1" << QVariant(0);
    QTest::newRow("Seria2") << "RP2_KK_ZestKompSeria2" << QVariant(QString());
    QTest::newRow("spin") << "RP2_SN_spinIloscRubryk" << QVariant(0);
    QTest::newRow("rodzaj") << "RP2_SN_editRodzajInwentaryzacji" << QVariant(QStringLiteral("roczna"));
    QTest::newRow("sposob") << "RP2_SN_editSposobPrzeprowadzenia" << QVariant(QStringLiteral("z natury"));
    QTest::newRow("jm") << "RP2_SN_editJm" << QVariant(QStringLiteral("szt."));
}

void TestConfig::reportDefaultsFollowKeyForm()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    Config config;
    config.load();
    QCOMPARE(config.value(key), expected);
}

void TestConfig::keyTableIsComplete()
{
    int options = 0, database = 0, reports = 0;
    for (const Config::Key& key : Config::keys()) {
        options += key.section == Config::kOptions;
        database += key.section == Config::kDatabase;
        reports += key.section == Config::kReports;
    }
    QCOMPARE(options, 25);
    QCOMPARE(database, 1);
    // The report pages' 68, and the labels' layout and code.
    QCOMPARE(reports, 70);
}

void TestConfig::roundTrip()
{
    Config config;
    config.load();
    config.set(QStringLiteral("dataWsteczna"), 30);
    config.set(QStringLiteral("pytajPrzedKasowaniem"), false);
    config.set(QStringLiteral("RP2_SN_editJm"), QStringLiteral("kpl."));
    config.set(QStringLiteral("RP1_KK_DataOd"), QStringLiteral("01-01-2020"));
    config.set(QStringLiteral("RP2_KK_comboDostawca"), 4);
    QVERIFY(config.save());

    Config again;
    again.load();
    for (const Config::Key& key : Config::keys()) {
        if (key.section == Config::kDatabase || key.name == QLatin1String("cbFirstLog"))
            continue;
        QCOMPARE(again.value(key.name), config.value(key.name));
    }
    QCOMPARE(again.number(QStringLiteral("dataWsteczna")), 30);
    QCOMPARE(again.flag(QStringLiteral("pytajPrzedKasowaniem")), false);
    const IniFile ini(Config::filePath());
    QCOMPARE(ini.value(QStringLiteral("OPTIONS"), QStringLiteral("pytajPrzedKasowaniem")),
             QStringLiteral("0"));
    QCOMPARE(ini.value(QStringLiteral("REPORTS"), QStringLiteral("RP2_SN_cbBhp")), QStringLiteral("1"));
}

void TestConfig::saveWritesFirstLogZero()
{
    Config config;
    config.load();
    QCOMPARE(config.flag(QStringLiteral("cbFirstLog")), true);
    QVERIFY(config.save());
    Config again;
    again.load();
    QCOMPARE(again.flag(QStringLiteral("cbFirstLog")), false);
}

void TestConfig::saveKeepsForeignSections()
{
    const QByteArray grids = "[DBGRID]\r\nMAIN_KomputeryGrid=0;120;1;80\r\nMAIN_SprzetGrid = 3 ; 4\r\n\r\n"
                             "[GRID]\r\nFISZKA_grid=1,2,3\r\n\r\n";
    writeFile(Config::filePath(),
              grids + "[DATABASE]\r\nlokalizacja=/srv/baza\r\n\r\n[IMPORTS1]\r\ncb3=2\r\n");
    Config config;
    config.load();
    QVERIFY(config.save());
    const QByteArray saved = readFile(Config::filePath());
    QVERIFY2(saved.startsWith(grids), saved.constData());
    QVERIFY(saved.contains("[DATABASE]\r\nlokalizacja=/srv/baza\r\n"));
    QVERIFY(saved.contains("[IMPORTS1]\r\ncb3=2\r\n"));
    QCOMPARE(Config::databaseLocation(), QStringLiteral("/srv/baza"));
}

void TestConfig::keysReadWithoutRegardToCase()
{
    writeFile(Config::filePath(), "[options]\npokazujPoradeDnia=0\nDATAWSTECZNA=3\n");
    Config config;
    config.load();
    QCOMPARE(config.flag(QStringLiteral("PokazujPoradeDnia")), false);
    QCOMPARE(config.number(QStringLiteral("dataWsteczna")), 3);
    QVERIFY(config.save());
    // The existing lines are rewritten in place, not doubled.
    const IniFile ini(Config::filePath());
    QCOMPARE(
        ini.keys(QStringLiteral("OPTIONS")).filter(QStringLiteral("poradednia"), Qt::CaseInsensitive).size(),
        1);
}

void TestConfig::attachmentsFolderWithoutTrailingSeparator_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("backslash") << "C:\\Zalaczniki\\"
                               << "C:\\Zalaczniki";
    QTest::newRow("slashes") << "/srv/zal//"
                             << "/srv/zal";
    QTest::newRow("none") << "/srv/zal"
                          << "/srv/zal";
    QTest::newRow("root") << "/"
                          << "/";
}

void TestConfig::attachmentsFolderWithoutTrailingSeparator()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Config config;
    config.load();
    config.setAttachmentsFolder(typed);
    QVERIFY(config.save());
    QCOMPARE(IniFile(Config::filePath())
                 .value(QStringLiteral("OPTIONS"), QStringLiteral("lokalizacjaZalacznikow")),
             stored);
}

void TestConfig::attachmentsFolderFromInstallationDefault()
{
    writeFile(Config::defaultsFilePath(), "[OPTIONS]\nlokalizacjaZalacznikow=/srv/wspolne/zal/\n");
    Config config;
    config.load();
    QCOMPARE(config.attachmentsFolder(), QStringLiteral("/srv/wspolne/zal"));
    // Written into the configuration file at once.
    QCOMPARE(IniFile(Config::filePath())
                 .value(QStringLiteral("OPTIONS"), QStringLiteral("lokalizacjaZalacznikow")),
             QStringLiteral("/srv/wspolne/zal"));

    // A folder of its own wins over the installation default.
    config.setAttachmentsFolder(QStringLiteral("/home/zal"));
    QVERIFY(config.save());
    Config again;
    again.load();
    QCOMPARE(again.attachmentsFolder(), QStringLiteral("/home/zal"));
}

void TestConfig::garbageFileGivesDefaults()
{
    QByteArray garbage;
    for (int i = 0; i < 512; ++i)
        garbage.append(char((i * 37) % 256));
    writeFile(Config::filePath(), garbage + "\n[OPTIONS]\ndataWsteczna=abc\n=\n[[\ncbTerminy=0\n");
    Config config;
    config.load();
    QCOMPARE(config.number(QStringLiteral("dataWsteczna")), 7);
    QCOMPARE(config.flag(QStringLiteral("cbTerminy")), false);
    QCOMPARE(config.flag(QStringLiteral("cbNaprawy")), true);
    QVERIFY(config.save());
}

void TestConfig::importSettings()
{
    Config::ImportSettings none = Config::loadImportSettings(1);
    QCOMPARE(none.columns[0], 0);
    QCOMPARE(none.pominPierwszy, false);

    Config::ImportSettings settings;
    for (int i = 0; i < 15; ++i)
        settings.columns[size_t(i)] = i + 1;
    settings.pominPierwszy = true;
    QVERIFY(Config::saveImportSettings(1, settings));
    const Config::ImportSettings read = Config::loadImportSettings(1);
    QCOMPARE(read.columns, settings.columns);
    QCOMPARE(read.pominPierwszy, true);
    const IniFile ini(Config::filePath());
    QCOMPARE(ini.value(QStringLiteral("IMPORTS1"), QStringLiteral("cb15")), QStringLiteral("15"));
    QCOMPARE(ini.value(QStringLiteral("IMPORTS1"), QStringLiteral("pominPierwszy")), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
