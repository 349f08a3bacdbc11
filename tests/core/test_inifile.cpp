#include "base/IniFile.h"

#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void keysAndSectionsIgnoreCase_data();
    void keysAndSectionsIgnoreCase();
    void replacingKeepsOtherLinesExactly();
    void newKeysAndSections();
    void garbageLinesAreKept();
    void booleansAndIntegers_data();
    void booleansAndIntegers();
    void windows1250File();
    void blanksAtEndsSurviveInQuotes_data();
    void blanksAtEndsSurviveInQuotes();
};

void TestIniFile::blanksAtEndsSurviveInQuotes_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("date mask") << QStringLiteral("  -  -    ");
    QTest::newRow("quoted") << QStringLiteral("\"x\"");
    QTest::newRow("plain") << QStringLiteral("z natury");
}

void TestIniFile::blanksAtEndsSurviveInQuotes()
{
    QFETCH(QString, value);
    IniFile ini;
    ini.setValue(QStringLiteral("REPORTS"), QStringLiteral("k"), value);
    IniFile again;
    again.parse(ini.bytes());
    QCOMPARE(again.value(QStringLiteral("REPORTS"), QStringLiteral("k")), value);
}

void TestIniFile::keysAndSectionsIgnoreCase_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("as written") << "OPTIONS"
                                << "PokazujPoradeDnia";
    QTest::newRow("lower key") << "OPTIONS"
                               << "pokazujPoradeDnia";
    QTest::newRow("lower section") << "options"
                                   << "POKAZUJPORADEDNIA";
}

void TestIniFile::keysAndSectionsIgnoreCase()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    IniFile ini;
    ini.parse("[Options]\r\npokazujporadednia = 0 \r\n");
    QVERIFY(ini.contains(section, key));
    QCOMPARE(ini.value(section, key), QStringLiteral("0"));
    QCOMPARE(ini.boolValue(section, key, true), false);
}

void TestIniFile::replacingKeepsOtherLinesExactly()
{
    const QByteArray text = "; comment\r\n"
                            "[DBGRID]\r\n"
                            "MAIN_KomputeryGrid=12,  40 ,=weird\r\n"
                            "\r\n"
                            "[OPTIONS]\r\n"
                            "dataWsteczna=7\r\n"
                            "cbNaprawy=1\r\n"
                            "\r\n"
                            "[GRID]\r\n"
                            "x = \"quoted\" \r\n";
    IniFile ini;
    ini.parse(text);
    ini.setInt(QStringLiteral("options"), QStringLiteral("DATAWSTECZNA"), 14);
    QByteArray expected = text;
    expected.replace("dataWsteczna=7", "dataWsteczna=14");
    QCOMPARE(ini.bytes(), expected);
}

void TestIniFile::newKeysAndSections()
{
    IniFile ini;
    ini.parse("[OPTIONS]\na=1\n\n[GRID]\ng=5\n");
    ini.setValue(QStringLiteral("OPTIONS"), QStringLiteral("b"), QStringLiteral("x y"));
    ini.setValue(QStringLiteral("DATABASE"), QStringLiteral("lokalizacja"), QStringLiteral("/srv/baza"));
    QCOMPARE(ini.bytes(),
             QByteArray("[OPTIONS]\na=1\nb=x y\n\n[GRID]\ng=5\n\n[DATABASE]\nlokalizacja=/srv/baza\n"));
    QCOMPARE(ini.sections(), (QStringList{"OPTIONS", "GRID", "DATABASE"}));
    QCOMPARE(ini.keys(QStringLiteral("options")), (QStringList{"a", "b"}));
}

void TestIniFile::garbageLinesAreKept()
{
    const QByteArray text =
        "garbage before\n[OPTIONS\n=novalue\n[OPTIONS]\nno equals here\n==\ncbTerminy=0\n";
    IniFile ini;
    ini.parse(text);
    QCOMPARE(ini.boolValue(QStringLiteral("OPTIONS"), QStringLiteral("cbTerminy"), true), false);
    QCOMPARE(ini.keys(QStringLiteral("OPTIONS")), QStringList{"cbTerminy"});
    QCOMPARE(ini.bytes(), text);
}

void TestIniFile::booleansAndIntegers_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<int>("number");
    QTest::newRow("zero") << QByteArray("0") << false << 0;
    QTest::newRow("one") << QByteArray("1") << true << 1;
    QTest::newRow("two is not 0") << QByteArray("2") << true << 2;
    QTest::newRow("negative") << QByteArray("-1") << true << -1;
    QTest::newRow("text gives default") << QByteArray("tak") << true << 99;
    QTest::newRow("empty gives default") << QByteArray("") << true << 99;
}

void TestIniFile::booleansAndIntegers()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, flag);
    QFETCH(int, number);
    IniFile ini;
    ini.parse("[S]\nk=" + value + "\n");
    QCOMPARE(ini.boolValue(QStringLiteral("S"), QStringLiteral("k"), true), flag);
    QCOMPARE(ini.intValue(QStringLiteral("S"), QStringLiteral("k"), 99), number);
}

void TestIniFile::windows1250File()
{
    IniFile ini;
    ini.parse("[OPTIONS]\nlokalizacjaZalacznikow=C:\\Za\xb3\xb9\x63zniki\n"); // "Załączniki" in Windows-1250
    QCOMPARE(ini.value(QStringLiteral("OPTIONS"), QStringLiteral("lokalizacjaZalacznikow")),
             QStringLiteral("C:\\Załączniki"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
