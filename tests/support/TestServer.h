#pragma once

#include "store/ServerAddress.h"

// The throw-away database server of `make test` (tests/support/test_cluster.sh):
// SPRZETNIK_TEST_SERVER names its folder. The tests of the database server
// backend run when SPRZETNIK_TEST_BACKEND is "server".
namespace TestServer {
bool backendIsServer();
// Whether the cluster was started for this run.
bool available();
// The superuser's address of `database` on the cluster.
ServerAddress address(const QString& database);
// A new empty database of its own on the cluster; drop it with dropDatabase().
ServerAddress createDatabase();
void dropDatabase(const ServerAddress& address);
} // namespace TestServer
