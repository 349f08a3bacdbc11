#include "TestDatabase.h"
#include "TestSupport.h"

#include "maintenance/CsvSheet.h"
#include "maintenance/EmployeeImport.h"
#include "store/TmyDataBase.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

// The employee import reads files as spreadsheets write them. The fixtures
// are written by LibreOffice Calc itself: data/pracownicy.fods is converted
// to CSV once per run, in UTF-8 with "," and in Windows-1250 with ";".
namespace {
struct Employee
{
    QString nrew, nazwisko, imie, adres, inne;
    qint64 dzial = -1;
};

// The valid rows of pracownicy.fods, as they must arrive (values trimmed).
const QList<Employee>& expectedEmployees()
{
    static const QList<Employee> list = {
        {"P-1", "Wiśniewski", "Jan", "ul. Długa 5", "", 0},
        {"P-2", "Kowalska \"Kowa\"", "Anna", "", "Cytat: \"\"", -1},
        {"P-3", "Nowak; Zięba", "Łucja, Maria", "al. Róż 3; lok. 4", "a,b;c", -1},
        {"P-4", "Żółć", "Ewa", "ul. Polna 1\nm. 2", "Uwagi: \"pilne\"\nzadzwonić; jutro, rano", -1},
        {"P-5", "Brzęczyszczykiewicz", "Grzegorz", "", "\"Cytat\" na początku i na końcu \"", -1},
        {"P-9", "Ostatni", "Ąkuś", "Śląska 2", "", -1},
    };
    return list;
}

QByteArray encoded(const QString& text, const char* encoding)
{
    QStringEncoder e(encoding);
    return e.encode(text);
}

bool readBytes(CsvSheet& sheet, QByteArray bytes, QChar separator = QLatin1Char(';'))
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return sheet.read(buffer, separator);
}

int count(TmyDataBase& db, const QString& sql)
{
    Statement& q = db.mySQL();
    q.clear();
    q.add(sql);
    q.open();
    const int n = int(q.integerAt(0, 0));
    q.close();
    return n;
}

// A cancel after the first report.
class CancelAtOnce : public Progress
{
public:
    void setRange(qint64) override {}
    void setValue(qint64) override { m_asked = true; }
    bool cancelled() const override { return m_asked; }

private:
    bool m_asked = false;
};
} // namespace

class TestEmployeeCsv : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    QTemporaryDir m_calc;
    QString m_utf8Comma;       // Calc's CSV in UTF-8 with "," (every text cell quoted)
    QString m_cp1250Semicolon; // Calc's CSV in Windows-1250 with ";"

    // soffice --headless --convert-to with the CSV filter's options: field
    // separator, text delimiter (34 = "), character set (76 = UTF-8, 33 =
    // Windows-1250), first line; the 7th token quotes every text cell.
    bool convert(const QString& options, const QString& outDir, QString* error)
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty()) {
            *error = QStringLiteral("soffice not found: `make test` installs libreoffice-calc-nogui");
            return false;
        }
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(soffice,
                {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                 QStringLiteral("-env:UserInstallation=") +
                     QUrl::fromLocalFile(m_calc.filePath(QStringLiteral("profile"))).toString(),
                 QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):") + options,
                 QStringLiteral("--outdir"), outDir, QStringLiteral(SPRZETNIK_TEST_DATA "/pracownicy.fods")});
        if (!p.waitForFinished(100000) || p.exitCode() != 0) {
            *error = QStringLiteral("soffice failed: ") + QString::fromLocal8Bit(p.readAll());
            return false;
        }
        const QString out = QDir(outDir).filePath(QStringLiteral("pracownicy.csv"));
        if (!QFile::exists(out)) {
            *error = QStringLiteral("soffice wrote no CSV: ") + QString::fromLocal8Bit(p.readAll());
            return false;
        }
        return true;
    }

    Employee stored(const QString& nrew)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral("SELECT NREW,NAZWISKO,IMIE,ADRES,INNE,DZIAL FROM osobowa WHERE NREW = :PARAM0"));
        q.setParam(0, nrew);
        q.open();
        Employee e;
        if (!q.isEmpty())
            e = {q.text(QStringLiteral("NREW")), q.text(QStringLiteral("NAZWISKO")),
                 q.text(QStringLiteral("IMIE")), q.text(QStringLiteral("ADRES")),
                 q.text(QStringLiteral("INNE")), q.integer(QStringLiteral("DZIAL"))};
        q.close();
        return e;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_calc.isValid());
        // A fresh profile that has "seen" this version: without it every run
        // of soffice spends half a minute on its graphics self-test first.
        QDir().mkpath(m_calc.filePath(QStringLiteral("profile/user")));
        QFile xcu(m_calc.filePath(QStringLiteral("profile/user/registrymodifications.xcu")));
        QVERIFY(xcu.open(QIODevice::WriteOnly));
        xcu.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
                  "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                  "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
                  "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
                  "oor:op=\"fuse\"><value>99.9</value></prop></item>\n"
                  "</oor:items>\n");
        xcu.close();
        QString error;
        const QString utf8 = m_calc.filePath(QStringLiteral("utf8"));
        const QString cp1250 = m_calc.filePath(QStringLiteral("cp1250"));
        if (!convert(QStringLiteral("44,34,76,1,,0,true"), utf8, &error))
            QFAIL(qPrintable(error));
        if (!convert(QStringLiteral("59,34,33,1"), cp1250, &error))
            QFAIL(qPrintable(error));
        m_utf8Comma = QDir(utf8).filePath(QStringLiteral("pracownicy.csv"));
        m_cp1250Semicolon = QDir(cp1250).filePath(QStringLiteral("pracownicy.csv"));
    }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(false);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
    }
    void cleanup()
    {
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    // ---- files written by LibreOffice Calc
    void calcFilesImportExactly_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("encoding");
        QTest::newRow("UTF-8, comma")
            << QStringLiteral("utf8") << QChar(QLatin1Char(',')) << int(CsvSheet::Encoding::Utf8);
        QTest::newRow("Windows-1250, semicolon")
            << QStringLiteral("cp1250") << QChar(QLatin1Char(';')) << int(CsvSheet::Encoding::Windows1250);
    }
    void calcFilesImportExactly()
    {
        QFETCH(QString, file);
        QFETCH(QChar, separator);
        QFETCH(int, encoding);
        const QString path = file == QLatin1String("utf8") ? m_utf8Comma : m_cp1250Semicolon;
        const QString department =
            QStringLiteral("FROM slowniki WHERE IDSLOWNIK='DZIAL' AND OPIS='Księgowość'");
        if (count(*m_db, QStringLiteral("SELECT COUNT(*) ") + department) == 0)
            m_db->DatabaseMain().exec(
                QStringLiteral("INSERT INTO slowniki (IDSLOWNIK,OPIS) VALUES ('DZIAL','Księgowość')"));
        const qint64 dzial = count(*m_db, QStringLiteral("SELECT KOD ") + department);

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        CsvSheet sheet;
        QVERIFY2(sheet.read(f, separator), qPrintable(sheet.errorString()));
        QCOMPARE(int(sheet.encoding()), encoding);
        QCOMPARE(sheet.rowCount(), 10); // the header and nine employees, none split or merged
        QCOMPARE(sheet.columnCount(), 6);
        // Each row knows the line it starts on: P-4 spans lines 5 to 7.
        QList<int> lines;
        for (int r = 0; r < sheet.rowCount(); ++r)
            lines << sheet.line(r);
        QCOMPARE(lines, (QList<int>{1, 2, 3, 4, 5, 8, 9, 10, 11, 12}));

        EmployeeImport import(*m_db);
        EmployeeImport::Columns c{};
        c[EmployeeImport::NREW] = 1;
        c[EmployeeImport::NAZWISKO] = 2;
        c[EmployeeImport::IMIE] = 3;
        c[EmployeeImport::ADRES] = 4;
        c[EmployeeImport::INNE] = 5;
        c[EmployeeImport::DZIAL] = 6;
        QVERIFY(!import.verify(sheet, c, true));
        const auto& r = import.results();
        QCOMPARE(r.at(6).status, QStringLiteral("Błędy"));
        QCOMPARE(r.at(6).remarks,
                 QStringLiteral("Za długa wartość: Nazwisko (kolumna #2, wiersz 9 pliku) ma 65 znaków, "
                                "dozwolone 50"));
        QCOMPARE(r.at(7).remarks, QStringLiteral("Brak nazwiska"));
        QCOMPARE(r.at(8).remarks, QStringLiteral("Za długa wartość: Numer ewidencyjny (kolumna #1, wiersz 11 "
                                                 "pliku) ma 20 znaków, dozwolone 15"));
        QCOMPARE(import.failedLines(sheet), (QList<int>{9, 10, 11}));

        QCOMPARE(import.import(sheet, true), expectedEmployees().size());
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), expectedEmployees().size());
        for (const Employee& e : expectedEmployees()) {
            const Employee s = stored(e.nrew);
            QCOMPARE(s.nrew, e.nrew);
            QCOMPARE(s.nazwisko, e.nazwisko);
            QCOMPARE(s.imie, e.imie);
            QCOMPARE(s.adres, e.adres);
            QCOMPARE(s.inne, e.inne);
            QCOMPARE(s.dzial, e.dzial == 0 ? dzial : e.dzial);
        }
        // Nothing of the refused rows, not even cut.
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW LIKE 'P-6%' OR "
                                             "NREW LIKE 'P-7%' OR NREW LIKE 'P-8%'")),
                 0);
    }

    // ---- encodings
    void utf16WithByteOrderMarkIsRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("Nr;Nazwisko\r\n1;\"Żółć;\"\"x\"\"\"\r\n");
        QTest::newRow("little endian") << QByteArray("\xFF\xFE") + encoded(text, "UTF-16LE");
        QTest::newRow("big endian") << QByteArray("\xFE\xFF") + encoded(text, "UTF-16BE");
    }
    void utf16WithByteOrderMarkIsRead()
    {
        QFETCH(QByteArray, bytes);
        CsvSheet sheet;
        QVERIFY2(readBytes(sheet, bytes), qPrintable(sheet.errorString()));
        QCOMPARE(sheet.encoding(), CsvSheet::Encoding::Utf16);
        QCOMPARE(sheet.rowCount(), 2);
        QCOMPARE(sheet.field(1, 1), QStringLiteral("Żółć;\"x\""));
    }
    void filesThatAreNotTextAreRefusedWithTheirLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("says");
        QTest::newRow("NUL byte") << QByteArray("Nr;Nazwisko\n1;Kowal\n2;Ko\0wal\n", 27) << 3
                                  << QStringLiteral("bajt zerowy (NUL)");
        QTest::newRow("UTF-16 without BOM") << encoded(QStringLiteral("Nr;Nazwisko\n"), "UTF-16LE") << 1
                                            << QStringLiteral("UTF-16 bez znacznika BOM");
        QTest::newRow("control character")
            << QByteArray("Nr;Nazwisko\n1;Ko\x07wal\n") << 2 << QStringLiteral("znak sterujący (kod 0x07)");
        QTest::newRow("byte Windows-1250 lacks")
            << QByteArray("Nr;Nazwisko\n1;Kowal\n2;Ko\x98wal\n") << 3 << QStringLiteral("bajt 0x98");
        QTest::newRow("mixed encodings")
            << encoded(QStringLiteral("Nr;Nazwisko\n1;Żółć\n"), "UTF-8") +
                   encoded(QStringLiteral("2;Łoś\n"), "windows-1250")
            << 3 << QStringLiteral("wiersz 3 nie jest zapisany w UTF-8, a wiersz 2 jest");
        QTest::newRow("UTF-8 mark, then other bytes")
            << QByteArray("\xEF\xBB\xBFNr;Nazwisko\n1;K\xB3os\n") << 2 << QStringLiteral("znacznikiem UTF-8");
        QTest::newRow("broken UTF-16")
            << QByteArray("\xFF\xFE") + encoded(QStringLiteral("Nr\n1\n"), "UTF-16LE") +
                   QByteArray("\x00\xDC", 2)
            << 3 << QStringLiteral("niepoprawną sekwencję UTF-16");
    }
    void filesThatAreNotTextAreRefusedWithTheirLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, says);
        CsvSheet sheet;
        QVERIFY(!readBytes(sheet, bytes));
        QCOMPARE(sheet.rowCount(), 0);
        QCOMPARE(sheet.errorLine(), line);
        QVERIFY2(sheet.errorString().contains(says), qPrintable(sheet.errorString()));
        QVERIFY(sheet.errorString().contains(QStringLiteral("wiersz ") + QString::number(line)));
    }
    void windows1250IsReadWhenTheFileIsNotUtf8()
    {
        CsvSheet sheet;
        QVERIFY(readBytes(sheet, encoded(QStringLiteral("Nr;Nazwisko\n1;Łoś Żaneta\n"), "windows-1250")));
        QCOMPARE(sheet.encoding(), CsvSheet::Encoding::Windows1250);
        QCOMPARE(sheet.field(1, 1), QStringLiteral("Łoś Żaneta"));
    }

    // ---- splitting
    void quotedFieldsHoldSeparatorsQuotesAndLineBreaks()
    {
        CsvSheet sheet;
        QVERIFY(readBytes(sheet, QByteArray("a;\"b;\"\"c\"\"\nd\";e\r\n\r\n;;\n   \nf;\"\"\n")));
        QCOMPARE(sheet.rowCount(), 2); // ";;" and the blank lines are no rows
        QCOMPARE(sheet.fields(0), (QStringList{"a", "b;\"c\"\nd", "e"}));
        QCOMPARE(sheet.line(1), 6);
        QCOMPARE(sheet.fields(1), (QStringList{"f", ""}));
    }
    void anUnclosedQuoteIsAFormatErrorNamingItsLine()
    {
        CsvSheet sheet;
        QVERIFY(!readBytes(sheet, QByteArray("1;Kowal\n2;\"Nowak\n3;Ziel\n")));
        QVERIFY(sheet.errorString().startsWith(QStringLiteral("Niepoprawny format arkusza .CSV")));
        QCOMPARE(sheet.errorLine(), 2);
        QCOMPARE(sheet.rowCount(), 1); // the complete rows before it stay
        QCOMPARE(sheet.fields(0), (QStringList{"1", "Kowal"}));
    }
    void aCancelledReadLeavesNoSheet()
    {
        QByteArray bytes;
        for (int i = 0; i < 10000; ++i)
            bytes += "N-" + QByteArray::number(i) + ";Kowalski\n";
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CsvSheet sheet;
        CancelAtOnce cancel;
        QVERIFY(!sheet.read(buffer, QLatin1Char(';'), &cancel));
        QVERIFY(sheet.wasCancelled());
        QCOMPARE(sheet.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEmployeeCsv)
#include "test_employeecsv.moc"
