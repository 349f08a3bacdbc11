#include "BenchServer.h"

#include <QFile>

namespace BenchServer {
namespace {
QString readLine(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readLine()).trimmed() : QString();
}
} // namespace

ServerAddress admin(const QString& folder)
{
    ServerAddress a;
    a.host = QStringLiteral("127.0.0.1");
    a.port = readLine(folder + QStringLiteral("/port")).toInt();
    a.user = QStringLiteral("sprzetnik_test");
    a.password = readLine(folder + QStringLiteral("/password"));
    a.database = QStringLiteral("postgres");
    return a;
}

int rows(int fallback)
{
    const int n = qEnvironmentVariableIntValue("SPRZETNIK_BENCH_ROWS");
    return n > 0 ? n : fallback;
}
} // namespace BenchServer
