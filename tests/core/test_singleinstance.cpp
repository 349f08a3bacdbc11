#include "TestSupport.h"

#include "base/SingleInstance.h"
#include "store/AppState.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

// Run as "--hold <lock>": takes the lock, says so, and keeps it until killed.
static int holdLock(const QString& path)
{
    SingleInstance instance(path);
    if (!instance.acquire())
        return 2;
    std::puts("locked");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondProcessIsRefusedUntilTheFirstEnds()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("sprzetnik.lock"));
        QProcess first;
        first.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), lock});
        QVERIFY(first.waitForReadyRead(10000));
        QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("locked"));

        SingleInstance second(lock);
        QVERIFY(!second.acquire());

        // A copy that crashed leaves its lock file behind; it must not block the next start.
        first.kill();
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(QFile::exists(lock));
        SingleInstance third(lock);
        QVERIFY(third.acquire());
    }

    void noteReminderWindow_data()
    {
        QTest::addColumn<int>("offset"); // days from today
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("due");
        QTest::newRow("today+dataWsteczna") << 7 << 7 << 0 << true;
        QTest::newRow("a day later") << 8 << 7 << 0 << false;
        QTest::newRow("no lower bound") << -4000 << 7 << 0 << true;
        QTest::newRow("exactly min days ago") << -3 << 7 << 3 << true;
        QTest::newRow("min+1 days ago") << -4 << 7 << 3 << false;
        QTest::newRow("today") << 0 << 0 << 1 << true;
    }
    void noteReminderWindow()
    {
        QFETCH(int, offset);
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(bool, due);
        const QDate today(2026, 3, 1); // across a month end on purpose
        QCOMPARE(DueWindow::isDue(DueWindow::toYmd(today.addDays(offset)), today, before, after), due);
    }

    void dateText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("plain") << "07-03-2024" << qint64(20240307);
        QTest::newRow("dots") << "07.03.2024" << qint64(20240307);
        QTest::newRow("no calendar check") << "31-02-2024" << qint64(20240231);
        QTest::newRow("empty mask") << "  -  -    " << qint64(0);
        QTest::newRow("month 13") << "01-13-2024" << qint64(0);
        QTest::newRow("year 999") << "01-01-0999" << qint64(0);
        QTest::newRow("letters") << "ab-cd-efgh" << qint64(0);
        QTest::newRow("short") << "1-1-2024" << qint64(0);
    }
    void dateText()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(DueWindow::parseDateText(text), value);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--hold")
        return holdLock(QString::fromLocal8Bit(argv[2]));
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_singleinstance.moc"
