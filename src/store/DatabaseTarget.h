#pragma once

#include "store/ServerAddress.h"

#include <QString>

#include <optional>

// What the data module connects to: a database file in a folder, opened
// with its password, or a database on a server; then the folder holds the
// files kept beside the database on this computer.
struct DatabaseTarget
{
    QString directory;
    QString password;
    std::optional<ServerAddress> server;

    bool onServer() const { return server.has_value(); }
};
