#pragma once

#include "store/ServerAddress.h"

#include <QString>

// The throw-away cluster of tests/support/test_cluster.sh as the server
// benchmarks reach it, and their size.
namespace BenchServer {
// The superuser's address of the cluster in `folder`, at its database "postgres".
ServerAddress admin(const QString& folder);
// SPRZETNIK_BENCH_ROWS when set, else `fallback`.
int rows(int fallback);
} // namespace BenchServer
