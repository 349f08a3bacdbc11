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
// A new database of its own made from the program's templates (empty or with
// the sample data), as DatabaseTemplate::createOnServer makes it. The first
// call of the run builds it once into a template database of the cluster;
// later ones copy that, which takes a fraction of the time.
ServerAddress createProgramDatabase(bool withSampleData);
void dropDatabase(const ServerAddress& address);
} // namespace TestServer
