#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestErrorLog : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2))); }
    void cleanup()
    {
        Clock::setFixed({});
        ErrorLog::setDisplay({});
    }

    void codeText_data()
    {
        QTest::addColumn<qint64>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0000000000";
        QTest::newRow("small") << qint64(28) << "0000000028";
        QTest::newRow("nine digits") << qint64(171800123) << "0171800123";
        QTest::newRow("ten digits") << qint64(9999999999) << "9999999999";
        QTest::newRow("eleven digits") << qint64(12345678901) << "12345678901";
    }
    void codeText()
    {
        QFETCH(qint64, code);
        QFETCH(QString, text);
        QCOMPARE(ErrorLog::codeText(code), text);
    }

    void reportShowsPrefixAndLogsBracketedCode()
    {
        TempConfig config;
        QString shownTitle, shownText;
        ErrorLog::setDisplay([&](const QString& t, const QString& x) {
            shownTitle = t;
            shownText = x;
        });
        ErrorLog::report(QStringLiteral("Test"), true, 4);
        QCOMPARE(shownTitle, QStringLiteral("Błąd bazy danych"));
        QCOMPARE(shownText, QStringLiteral("Wystąpił nieoczekiwany błąd. Orginalny komunikat: Test"));
        QCOMPARE(config.logLines(), QStringList{QStringLiteral("2024.03.07 09:05:02  [0000000004]  Test")});

        ErrorLog::report(QStringLiteral("Bare"), false, 5);
        QCOMPARE(shownText, QStringLiteral("Bare"));
    }

    void lineIsWindows1250WithCrLf()
    {
        TempConfig config;
        ErrorLog::writeLine(QStringLiteral("[9999999999]  zażółć"));
        QFile file(config.path() + QStringLiteral("/debug/error.log"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        // ż is 0xBF, ó 0xF3 in Windows-1250
        QVERIFY(bytes.contains("za\xbf\xf3\xb3\xe6"));
        QCOMPARE(config.logLines().value(0), QStringLiteral("2024.03.07 09:05:02  [9999999999]  zażółć"));
    }

    void lockedMessageShowsLockedTextAndLogsEngineMessage()
    {
        TempConfig config;
        QString shown;
        ErrorLog::setDisplay([&](const QString&, const QString& x) { shown = x; });
        ErrorLog::report(QStringLiteral("Directory is controlled by other .NET file. xyz"), true, 77);
        QCOMPARE(shown, ErrorLog::lockedFilesText());
        QVERIFY(config.logLines().value(0).endsWith(
            QStringLiteral("[0000000077]  Directory is controlled by other .NET file. xyz")));
        ErrorLog::report(QStringLiteral("database is locked"), true, 78);
        QCOMPARE(shown, ErrorLog::lockedFilesText());
    }

    void missingDebugFolderLogsNothingAndShowsNoError()
    {
        TempConfig config;
        AppPaths::configDir(); // the folder is made once, at the first use
        QVERIFY(QDir(config.path() + QStringLiteral("/debug")).removeRecursively());
        bool shown = false;
        ErrorLog::setDisplay([&](const QString&, const QString&) { shown = true; });
        ErrorLog::writeLine(QStringLiteral("x"));
        QVERIFY(!QFile::exists(config.path() + QStringLiteral("/debug/error.log")));
        ErrorLog::report(QStringLiteral("y"), true, 1);
        QVERIFY(shown); // the box is still shown, only the log is skipped
        QVERIFY(!QFile::exists(config.path() + QStringLiteral("/debug/error.log")));
    }

    void throwingDisplayStillLogs()
    {
        TempConfig config;
        ErrorLog::setDisplay([](const QString&, const QString&) { throw std::runtime_error("no screen"); });
        ErrorLog::report(QStringLiteral("m"), true, 9);
        QCOMPARE(config.logLines().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "test_errorlog.moc"
