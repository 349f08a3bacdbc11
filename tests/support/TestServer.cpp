#include "TestServer.h"

#include "store/SqlConnection.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>

namespace {
QString clusterDir()
{
    return qEnvironmentVariable("SPRZETNIK_TEST_SERVER");
}

QString readLine(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readLine()).trimmed();
}
} // namespace

namespace TestServer {
bool backendIsServer()
{
    return qEnvironmentVariable("SPRZETNIK_TEST_BACKEND") == QLatin1String("server");
}

bool available()
{
    return !clusterDir().isEmpty() && QFile::exists(clusterDir() + QStringLiteral("/port"));
}

ServerAddress address(const QString& database)
{
    ServerAddress a;
    a.host = QStringLiteral("127.0.0.1");
    a.port = readLine(clusterDir() + QStringLiteral("/port")).toInt();
    a.database = database;
    a.user = QStringLiteral("sprzetnik_test");
    a.password = readLine(clusterDir() + QStringLiteral("/password"));
    return a;
}

ServerAddress createDatabase()
{
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    SqlConnection admin;
    admin.openServer(address(QStringLiteral("postgres")));
    admin.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + name);
    admin.exec(QStringLiteral("CREATE DATABASE ") + name +
               QStringLiteral(" TEMPLATE template0 ENCODING 'UTF8'"));
    return address(name);
}

void dropDatabase(const ServerAddress& database)
{
    try {
        SqlConnection admin;
        admin.openServer(address(QStringLiteral("postgres")));
        admin.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + database.database +
                   QStringLiteral(" WITH (FORCE)"));
    } catch (...) {
        // The cluster goes at the end of the run anyway.
    }
}
} // namespace TestServer
