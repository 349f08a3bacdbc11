#include "TestDatabase.h"
#include "TestSupport.h"

#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/NewKey.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "store/WriteTransaction.h"

#include <QTest>

#include <sqlcipher/sqlite3.h>

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
        m_database->open(m_connection);
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
        m_database->open(other);
        WriteTransaction t(m_connection);
        insertNote(QStringLiteral("w toku"));
        QCOMPARE(noteCount(other), 0);
        t.commit();
        QCOMPARE(noteCount(other), 1);
    }

    void newKeyIsOursWhileAnotherWorkstationTriesToInsert()
    {
        SqlConnection other;
        m_database->open(other);
        other.setBusyTimeout(0);
        auto insertFirma = [](SqlConnection& c, const QString& name) {
            Statement q(&c, QStringLiteral("firma"),
                        {QStringLiteral("INSERT INTO firmy (NAZWA) VALUES (:PARAM0)")});
            q.setParam(0, name);
            q.execSQL();
        };
        bool otherBlocked = false;
        const qint64 key =
            insertReturningKey(m_connection, QStringLiteral("firmy"), QStringLiteral("IDFIRMY"), [&] {
                insertFirma(m_connection, QStringLiteral("Nasza nowa"));
                // Between our insert and the key read the other workstation must wait.
                try {
                    insertFirma(other, QStringLiteral("Cudza"));
                } catch (const DbError& e) {
                    otherBlocked = e.sqliteCode() == SQLITE_BUSY;
                }
            });
        QVERIFY(otherBlocked);
        Statement q(&m_connection, QStringLiteral("name"),
                    {QStringLiteral("SELECT NAZWA FROM firmy WHERE IDFIRMY=") + QString::number(key)});
        q.open();
        QCOMPARE(q.text(QStringLiteral("NAZWA")), QStringLiteral("Nasza nowa"));
        // Once committed the other workstation inserts and gets a later key.
        insertFirma(other, QStringLiteral("Cudza"));
        const qint64 theirs =
            insertReturningKey(other, QStringLiteral("firmy"), QStringLiteral("IDFIRMY"), [] {});
        QVERIFY(theirs > key);
    }

    // The write lock not had in time: busy, and the connection is left with
    // no transaction begun, so the next write or read goes through.
    void writeLockNotHadInTimeLeavesTheConnectionUsable()
    {
        SqlConnection other;
        m_database->open(other);
        other.exec(other.dialect().beginWrite);
        m_connection.setBusyTimeout(50);
        try {
            WriteTransaction t(m_connection);
            QFAIL("the write lock was had while another workstation held it");
        } catch (const DbError& e) {
            QCOMPARE(e.sqliteCode(), SQLITE_BUSY);
        }
        QVERIFY(!m_connection.inTransaction());
        other.exec(QStringLiteral("ROLLBACK"));
        insertNote(QStringLiteral("po czekaniu"));
        QCOMPARE(noteCount(m_connection), 1);
    }

    void rowsOfTheNewKeyFailingTakeTheInsertBack()
    {
        Statement count(&m_connection, QStringLiteral("count"),
                        {QStringLiteral("SELECT COUNT(*) AS N FROM firmy")});
        count.open();
        const qint64 before = count.integer(QStringLiteral("N"));
        count.close();
        const bool ok = guarded(4, [&] {
            insertReturningKey(
                m_connection, QStringLiteral("firmy"), QStringLiteral("IDFIRMY"),
                [&] { m_connection.exec(QStringLiteral("INSERT INTO firmy (NAZWA) VALUES ('X')")); },
                [](qint64) { throw AlreadyReported(); });
        });
        QVERIFY(!ok);
        count.open();
        QCOMPARE(count.integer(QStringLiteral("N")), before);
        // Already reported: the guard adds no line of its own.
        QVERIFY(m_config->logLines().isEmpty() ||
                !m_config->logLines().last().contains(QStringLiteral("[0000000004]")));
    }
};

QTEST_GUILESS_MAIN(TestWriteTransaction)
#include "test_writetransaction.moc"
