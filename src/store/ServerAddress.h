#pragma once

#include <QString>

// Where a database on a server is and how to log in to it.
struct ServerAddress
{
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;
    // The connection must be encrypted; a server that refuses is an error.
    bool requireTls = false;
    // The schema the tables live in; empty: the user's default.
    QString schema;
    // Longest a statement may run before the server stops it; 0: no limit.
    int statementTimeoutMs = 0;

    // "host:port/database" as shown to the user.
    QString display() const
    {
        return host + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + database;
    }
};
