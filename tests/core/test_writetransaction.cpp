#include "TestDatabase.h"
#include "TestSupport.h"

#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "store/WriteTransaction.h"

#include <QTest>

class TestWriteTransaction : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    SqlConnection m_connection;

    int noteCount(SqlConnection& connection)
    {
        Statement q(&connection, QStringLiteral("count"),
                    {QStringLiteral("SELECT count(*) AS N FROM notatki")});
        q.open();
        return int(q.integer(QStringLiteral("N")));
    }
    void insertNote(const QString& text)
    {
        Statement q(&m_connection, QStringLiteral("insert"),
                    {QStringLiteral(
                        "INSERT INTO notatki (DATA, OPIS, RESERVED) VALUES ('01-01-2026', :PARAM0, '')")});
        q.setParam(0, text);
        q.execSQL();
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_connection.open(TmyDataBase::databaseFile(m_database->dir()), m_database->password());
        m_connection.exec(QStringLiteral("DELETE FROM notatki"));
    }
    void cleanup()
    {
        m_connection.close();
        m_database.reset();
        m_config.reset();
    }

    void committedWritesStayAndUncommittedRollBack()
    {
        {
            WriteTransaction t(m_connection);
            insertNote(QStringLiteral("pierwsza"));
            t.commit();
        }
        {
            WriteTransaction t(m_connection);
            insertNote(QStringLiteral("porzucona"));
        } // leaves scope without commit
        QCOMPARE(noteCount(m_connection), 1);
        // The connection is back in autocommit mode: a plain write works.
        insertNote(QStringLiteral("druga"));
        QCOMPARE(noteCount(m_connection), 2);
    }

    void aFailureInsideGuardedWriteUndoesEveryStep()
    {
        const bool ok = guardedWrite(m_connection, 4711, [&] {
            insertNote(QStringLiteral("a"));
            insertNote(QStringLiteral("b"));
            m_connection.exec(QStringLiteral("INSERT INTO brak_takiej_tabeli VALUES (1)"));
        });
        QVERIFY(!ok);
        QCOMPARE(noteCount(m_connection), 0);
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000004711]")));
    }

    void nestedGuardUndoesOnlyItsOwnPart()
    {
        WriteTransaction outer(m_connection);
        insertNote(QStringLiteral("zewnętrzna"));
        {
            WriteTransaction inner(m_connection);
            QVERIFY(inner.isNested());
            insertNote(QStringLiteral("wewnętrzna"));
        }
        {
            WriteTransaction inner(m_connection);
            insertNote(QStringLiteral("zatwierdzona"));
            inner.commit();
        }
        outer.commit();
        QCOMPARE(noteCount(m_connection), 2);
    }

    void anotherConnectionSeesNothingBeforeCommit()
    {
        SqlConnection other;
        other.open(TmyDataBase::databaseFile(m_database->dir()), m_database->password());
        WriteTransaction t(m_connection);
        insertNote(QStringLiteral("w toku"));
        QCOMPARE(noteCount(other), 0);
        t.commit();
        QCOMPARE(noteCount(other), 1);
    }
};

QTEST_GUILESS_MAIN(TestWriteTransaction)
#include "test_writetransaction.moc"
