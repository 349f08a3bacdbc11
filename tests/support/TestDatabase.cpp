#include "TestDatabase.h"
#include "TestServer.h"

#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/TmyDataBase.h"

TestDatabase::TestDatabase(bool withSampleData, const QString& password)
    : m_password(password), m_onServer(TestServer::backendIsServer())
{
    if (m_onServer) {
        m_address = TestServer::createDatabase();
        DatabaseTemplate::createOnServer(m_address, withSampleData);
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
