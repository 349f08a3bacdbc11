#include "TestDatabase.h"

#include "store/DatabaseTemplate.h"

TestDatabase::TestDatabase(bool withSampleData, const QString& password) : m_password(password)
{
    DatabaseTemplate::create(m_dir.path(), password, withSampleData);
}
