#pragma once

#include "store/ServerAddress.h"

#include <QString>
#include <QTemporaryDir>

class SqlConnection;
class TmyDataBase;

// A new database made from the program's templates: a file in a temporary
// folder, or, when the tests run against the server backend, a database of
// its own on the test cluster (the folder is made all the same).
class TestDatabase
{
public:
    explicit TestDatabase(bool withSampleData = false, const QString& password = QStringLiteral("tajne1"));
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    QString dir() const { return m_dir.path(); }
    QString password() const { return m_password; }
    bool onServer() const { return m_onServer; }
    ServerAddress address() const { return m_address; }
    // Opens `connection` on this database, whichever backend it is on.
    void open(SqlConnection& connection) const;
    // Connects the data module to this database, whichever backend it is on.
    bool connect(TmyDataBase& db) const;

    // Makes the writes `timing` names ("BEFORE UPDATE ON naprawy") fail with
    // `message` on the rows `when` picks (a condition on NEW; empty: every
    // row), written for whichever backend this database is on.
    void addFailure(SqlConnection& connection, const QString& name, const QString& timing,
                    const QString& message, const QString& when = QString()) const;
    void removeFailure(SqlConnection& connection, const QString& name, const QString& table) const;

private:
    QTemporaryDir m_dir;
    QString m_password;
    bool m_onServer = false;
    ServerAddress m_address;
};
