#include "TestServer.h"

#include "base/Clock.h"
#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"

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
QString newName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
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
    const QString name = newName();
    SqlConnection admin;
    admin.openServer(address(QStringLiteral("postgres")));
    admin.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + name);
    admin.exec(QStringLiteral("CREATE DATABASE ") + name +
               QStringLiteral(" TEMPLATE template0 ENCODING 'UTF8'"));
    return address(name);
}

ServerAddress createProgramDatabase(bool withSampleData)
{
    // The sample data's dates follow today (a test may have set it) and the
    // templates may come from another folder: both name the copy kept.
    const QString templateDir = DatabaseTemplate::defaultTemplateDir();
    const QString source = QStringLiteral("wzor_%1_%2_%3")
                               .arg(withSampleData ? QStringLiteral("demo") : QStringLiteral("pusta"))
                               .arg(Clock::today().toString(QStringLiteral("yyyyMMdd")))
                               .arg(qHash(templateDir), 0, 16);
    SqlConnection admin;
    admin.openServer(address(QStringLiteral("postgres")));
    // One test process builds the template while the others wait for it.
    admin.exec(QStringLiteral("SELECT pg_advisory_lock(3701)"));
    try {
        Statement found(&admin, QStringLiteral("found"),
                        {QStringLiteral("SELECT count(*) FROM pg_database WHERE datname=:PARAM0")});
        found.setParam(0, source);
        found.open();
        if (found.integerAt(0, 0) == 0) {
            const QString building = source + QStringLiteral("_w");
            admin.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + building);
            admin.exec(QStringLiteral("CREATE DATABASE ") + building +
                       QStringLiteral(" TEMPLATE template0 ENCODING 'UTF8'"));
            DatabaseTemplate::createOnServer(address(building), withSampleData);
            admin.exec(QStringLiteral("ALTER DATABASE ") + building + QStringLiteral(" RENAME TO ") + source);
        }
    } catch (...) {
        admin.exec(QStringLiteral("SELECT pg_advisory_unlock(3701)"));
        throw;
    }
    admin.exec(QStringLiteral("SELECT pg_advisory_unlock(3701)"));
    const ServerAddress made = address(newName());
    admin.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + made.database);
    admin.exec(QStringLiteral("CREATE DATABASE ") + made.database + QStringLiteral(" TEMPLATE ") + source);
    return made;
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
