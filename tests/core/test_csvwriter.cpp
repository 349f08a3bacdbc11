#include "registers/CaseFold.h"
#include "registers/TVXExportToCSV.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

// The program's CSV format and the case folding of the list search.
class TestCsvWriter : public QObject
{
    Q_OBJECT

private:
    static QByteArray written(const TVXExportToCSV::Grid& grid, TVXExportToCSV* used = nullptr)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        TVXExportToCSV writer;
        const bool ok = writer.write(grid, buffer);
        if (!ok)
            qWarning("write failed: %s", qUtf8Printable(writer.errorString()));
        if (used)
            *used = writer;
        return buffer.data();
    }

    static QByteArray expected(const char* name)
    {
        // The tests' source folder, as Qt Test passes it to every test.
        QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/core/expected/") + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            qWarning("missing expected file %s", name);
        return file.readAll();
    }

private slots:
    void bytesMatchTheExpectedFile()
    {
        // Titles, Polish letters in both cases, the euro sign (in the code
        // page), a CJK letter and an emoji (not in it), an empty field.
        const TVXExportToCSV::Grid grid = {
            {QStringLiteral("Nr ewid."), QStringLiteral("Nazwa"), QStringLiteral("Wartość netto")},
            {QStringLiteral("K/001"), QStringLiteral("Zażółć gęślą jaźń"), QStringLiteral("1200.50")},
            {QStringLiteral("K/002"), QStringLiteral("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), QStringLiteral("")},
            {QStringLiteral("K/003"), QStringLiteral("Cena 10 € – „promocja”"), QStringLiteral("0.00")},
            {QStringLiteral("K/004"), QStringLiteral("Drukarka 漢字 😀"), QStringLiteral("7.00")},
        };
        TVXExportToCSV writer;
        QCOMPARE(written(grid, &writer), expected("writer.csv"));
        QCOMPARE(writer.replacedCharacters(), 3);
    }

    void oneColumnHasNoSeparator()
    {
        const QByteArray bytes = written({{QStringLiteral("Nazwa")}, {QStringLiteral("a;b")}, {QString()}});
        QCOMPARE(bytes, QByteArray("\"Nazwa\"\r\n\"a;b\"\r\n\"\"\r\n"));
    }

    void quotesAreNotEscapedByTheWriter()
    {
        // Callers replace quotes before; the writer adds nothing of its own.
        QCOMPARE(written({{QStringLiteral("a\"b"), QStringLiteral("`")}}), QByteArray("\"a\"b\";\"`\"\r\n"));
    }

    // What callers hand it: a quote becomes a backquote, a backquote an
    // apostrophe (not a quote again), so every cell stays one quoted field.
    void cellTextsCarryNoQuotes()
    {
        QCOMPARE(TVXExportToCSV::cellText(QStringLiteral("19\" `ekran`")), QStringLiteral("19` 'ekran'"));
        TVXExportToCSV::Grid grid{{QStringLiteral("\"\""), QStringLiteral("ok")}, {QStringLiteral("`\"")}};
        TVXExportToCSV::toCellTexts(grid);
        QCOMPARE(grid, (TVXExportToCSV::Grid{{QStringLiteral("``"), QStringLiteral("ok")},
                                             {QStringLiteral("'`")}}));
        QCOMPARE(written(grid), QByteArray("\"``\";\"ok\"\r\n\"'`\"\r\n"));
    }

    // Cells made while they are written come out byte for byte as cell
    // texts made before: quotes, letters beyond ASCII, characters outside the
    // code page and surrogate pairs at every place of a run of eight
    // characters, and across the end of one.
    void cellsMadeWhileWrittenMatchCellTextsMadeBefore()
    {
        const QString specials[] = {QStringLiteral("\""), QStringLiteral("`"),  QStringLiteral("ą"),
                                    QStringLiteral("€"),  QStringLiteral("漢"), QStringLiteral("\U0001F600")};
        TVXExportToCSV::Grid grid;
        for (const QString& special : specials)
            for (int at = 0; at <= 20; ++at) {
                QString text = QStringLiteral("abcdefghijklmnopqrstu").left(at) + special +
                               QStringLiteral("ABCDEFGHIJKLMNOP").left(20 - at);
                grid.append({text, special + text, QString(), text.left(at)});
            }
        QBuffer made;
        made.open(QIODevice::WriteOnly);
        TVXExportToCSV writer;
        writer.setMakeCellTexts(true);
        QVERIFY(writer.write(grid, made));
        TVXExportToCSV::Grid cells = grid;
        TVXExportToCSV::toCellTexts(cells);
        TVXExportToCSV before;
        QCOMPARE(made.data(), written(cells, &before));
        QCOMPARE(writer.replacedCharacters(), before.replacedCharacters());
        QVERIFY(writer.replacedCharacters() > 0);
        QCOMPARE(TVXExportToCSV::encode(QStringLiteral("abcdefgŁódź 1234567\U0001F600 abcdefghij€")),
                 QByteArray("abcdefg\xa3\xf3\x64\x9f 1234567? abcdefghij\x80"));
    }

    // The in-place writers append after what the buffer holds, shrink when a
    // surrogate pair becomes one "?", and grow when a folding expands.
    void appendingKeepsWhatWasThere()
    {
        QByteArray out("x;");
        int replaced = 0;
        TVXExportToCSV::appendEncoded(out, QStringLiteral("Łódź \U0001F600€"), &replaced);
        QCOMPARE(out, QByteArray("x;\xa3\xf3\x64\x9f ?\x80"));
        QCOMPARE(replaced, 1);
        TVXExportToCSV::appendEncoded(out, QString());
        QCOMPARE(out.size(), 9);

        QString folded = QStringLiteral("ab");
        CaseFold::foldAppend(QStringLiteral("ŁÓDŹ Straße ﬃ \U00010400"), folded);
        QCOMPARE(folded, QStringLiteral("abłódź strasse ffi \U00010428"));
        for (const QString& text : {QStringLiteral("ẞẞẞ"), QStringLiteral("ZAŻÓŁĆ"), QString()})
            QCOMPARE(CaseFold::fold(text), [&] {
                QString f = QStringLiteral("-");
                CaseFold::foldAppend(text, f);
                return f.mid(1);
            }());
        QCOMPARE(CaseFold::fold(QStringLiteral("ẞẞẞ")), QStringLiteral("ssssss"));
    }

    void codePageMatchesTheSystemCodec()
    {
        QStringDecoder decoder("windows-1250");
        if (!decoder.isValid())
            QSKIP("no Windows-1250 codec to compare with");
        for (int b = 0x20; b < 0x100; ++b) {
            const QString c = decoder.decode(QByteArray(1, char(b)));
            if (c.size() != 1 || c.at(0) == QChar::ReplacementCharacter ||
                (b >= 0x80 && c.at(0).unicode() < 0xA0))
                continue; // bytes the code page leaves undefined
            QCOMPARE(TVXExportToCSV::encode(c), QByteArray(1, char(b)));
        }
    }

    void fileIsReplacedOnlyWhenComplete()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("komputery.csv"));
        TVXExportToCSV::Grid grid;
        for (int i = 0; i < 100; ++i)
            grid << QStringList{QString::number(i)};

        TVXExportToCSV writer;
        QVERIFY(writer.write(grid, name));
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray first = file.readAll();
        file.close();
        QVERIFY(first.startsWith("\"0\"\r\n\"1\"\r\n"));

        // Cancelled half-way: the previous file stays as it was, no temporary is left.
        grid[0] = QStringList{QStringLiteral("nowy")};
        writer.setProgress([](int written, int) { return written < 50; });
        QVERIFY(!writer.write(grid, name));
        QVERIFY(writer.wasCancelled());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), first);
        file.close();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("komputery.csv")});

        // Cancelled with no file before: none is created.
        const QString fresh = dir.filePath(QStringLiteral("nowy.csv"));
        QVERIFY(!writer.write(grid, fresh));
        QVERIFY(!QFile::exists(fresh));
    }

    void unwritableFolderFails()
    {
        TVXExportToCSV writer;
        QVERIFY(
            !writer.write({{QStringLiteral("a")}}, QStringLiteral("/nonexistent-folder/x/komputery.csv")));
        QVERIFY(!writer.wasCancelled());
        QVERIFY(!writer.errorString().isEmpty());
    }

    void caseFolding_data()
    {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("found");
        QTest::newRow("ż finds Ż") << QStringLiteral("ŻARÓWKA") << QStringLiteral("ż") << true;
        QTest::newRow("łódź finds ŁÓDŹ") << QStringLiteral("Oddział ŁÓDŹ") << QStringLiteral("łódź") << true;
        QTest::newRow("ASCII") << QStringLiteral("Komp. (K/1)") << QStringLiteral("komp") << true;
        QTest::newRow("ß and SS") << QStringLiteral("Straße 5") << QStringLiteral("STRASSE") << true;
        QTest::newRow("final sigma") << QStringLiteral("ΟΔΟΣ") << QStringLiteral("οδος") << true;
        QTest::newRow("diacritics still count") << QStringLiteral("LODZ") << QStringLiteral("łódź") << false;
        QTest::newRow("z is not ż") << QStringLiteral("ZAREK") << QStringLiteral("ż") << false;
        QTest::newRow("outside the BMP") << QStringLiteral("𐐀") << QStringLiteral("𐐨") << true;
    }
    void caseFolding()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(bool, found);
        QCOMPARE(CaseFold::containsFolded(haystack, CaseFold::fold(needle)), found);
    }
};

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "test_csvwriter.moc"
