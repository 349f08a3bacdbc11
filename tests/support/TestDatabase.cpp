#include "TestDatabase.h"
#include "TestServer.h"

#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/TmyDataBase.h"

TestDatabase::TestDatabase(bool withSampleData, const QString& password)
    : m_password(password), m_onServer(TestServer::backendIsServer())
{
    if (m_onServer) {
        m_address = TestServer::createProgramDatabase(withSampleData);
    } else {
        DatabaseTemplate::create(m_dir.path(), password, withSampleData);
    }
}

TestDatabase::~TestDatabase()
{
    if (m_onServer)
        TestServer::dropDatabase(m_address);
}

void TestDatabase::open(SqlConnection& connection) const
{
    if (m_onServer)
        connection.openServer(m_address);
    else
        connection.open(DatabaseTemplate::databaseFile(m_dir.path()), m_password);
}

bool TestDatabase::connect(TmyDataBase& db) const
{
    return m_onServer ? db.connectToServer(m_address, m_dir.path()) : db.connectTo(m_dir.path(), m_password);
}

void TestDatabase::addFailure(SqlConnection& connection, const QString& name, const QString& timing,
                              const QString& message, const QString& when) const
{
    if (!m_onServer) {
        connection.exec(
            QStringLiteral("CREATE TEMP TRIGGER %1 %2 %3 BEGIN SELECT RAISE(ABORT, '%4'); END")
                .arg(name, timing, when.isEmpty() ? QString() : QStringLiteral("WHEN ") + when, message));
        return;
    }
    QString onTable = timing;
    onTable.replace(QStringLiteral(" main."), QStringLiteral(" "));
    connection.exec(
        QStringLiteral("CREATE FUNCTION %1_f() RETURNS trigger LANGUAGE plpgsql AS $$\n"
                       "BEGIN IF %2 THEN RAISE EXCEPTION '%3'; END IF; RETURN COALESCE(NEW, OLD); "
                       "END $$")
            .arg(name, when.isEmpty() ? QStringLiteral("true") : when, message));
    connection.exec(
        QStringLiteral("CREATE TRIGGER %1 %2 FOR EACH ROW EXECUTE FUNCTION %1_f()").arg(name, onTable));
}

void TestDatabase::removeFailure(SqlConnection& connection, const QString& name, const QString& table) const
{
    if (!m_onServer) {
        connection.exec(QStringLiteral("DROP TRIGGER ") + name);
        return;
    }
    connection.exec(QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, table));
    connection.exec(QStringLiteral("DROP FUNCTION %1_f()").arg(name));
}
