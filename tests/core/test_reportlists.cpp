#include "base/ReportLists.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class TestReportLists : public QObject
{
    Q_OBJECT

private slots:
    void missingFilesGiveEmptyList();
    void firstFileThenSecond();
    void lineWithoutCommaEndsShownList();
    void atMostHundredEntries();
};

void TestReportLists::missingFilesGiveEmptyList()
{
    QTemporaryDir dir;
    const auto entries = ReportLists::read(dir.path());
    QCOMPARE(entries.size(), 100);
    QVERIFY(ReportLists::shown(entries).isEmpty());
}

void TestReportLists::firstFileThenSecond()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("rpdqx1.cfg")),
              "  TfRapA , Raport A \r\nTfRapB,Raport, z przecinkiem\r\n");
    writeFile(dir.filePath(QStringLiteral("rpdqx2.cfg")),
              "TfRapC,Zestawienie \xb3\xb9\x63zy\n"); // Windows-1250
    const auto shown = ReportLists::shown(ReportLists::read(dir.path()));
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown[0].name, QStringLiteral("TfRapA"));
    QCOMPARE(shown[0].caption, QStringLiteral("Raport A"));
    QCOMPARE(shown[1].caption, QStringLiteral("Raport, z przecinkiem"));
    QCOMPARE(shown[2].name, QStringLiteral("TfRapC"));
    QCOMPARE(shown[2].caption, QStringLiteral("Zestawienie łączy"));
}

void TestReportLists::lineWithoutCommaEndsShownList()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("rpdqx1.cfg")), "TfRapA,A\nbez przecinka\nTfRapB,B\n");
    const auto entries = ReportLists::read(dir.path());
    QCOMPARE(entries[1].name, QString());
    QCOMPARE(entries[2].name, QStringLiteral("TfRapB"));
    QCOMPARE(ReportLists::shown(entries).size(), 1);
}

void TestReportLists::atMostHundredEntries()
{
    QTemporaryDir dir;
    QByteArray first, second;
    for (int i = 0; i < 70; ++i)
        first += "TfA" + QByteArray::number(i) + ",A\n";
    for (int i = 0; i < 70; ++i)
        second += "TfB" + QByteArray::number(i) + ",B\n";
    writeFile(dir.filePath(QStringLiteral("rpdqx1.cfg")), first);
    writeFile(dir.filePath(QStringLiteral("rpdqx2.cfg")), second);
    const auto entries = ReportLists::read(dir.path());
    QCOMPARE(entries.size(), 100);
    QCOMPARE(entries[69].name, QStringLiteral("TfA69"));
    QCOMPARE(entries[99].name, QStringLiteral("TfB29"));
}

QTEST_GUILESS_MAIN(TestReportLists)
#include "test_reportlists.moc"
