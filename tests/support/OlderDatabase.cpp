#include "OlderDatabase.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QFile>
#include <QRegularExpression>

OlderDatabase::OlderDatabase(const QString& version, const QString& password) : m_password(password)
{
    make(m_dir.path(), password, version);
}

int OlderDatabase::tableCount(const QString& version)
{
    if (version == QLatin1String("1.0.1"))
        return 18;
    if (version == QLatin1String("1.0.2"))
        return 22;
    if (version == QLatin1String("1.0.3"))
        return 25;
    if (version == QLatin1String("1.0.4"))
        return 26;
    if (version == QLatin1String("1.0.5"))
        return 27;
    throw DbError(QStringLiteral("Nieznana wersja bazy danych ") + version);
}

void OlderDatabase::make(const QString& dir, const QString& password, const QString& version)
{
    const int kept = tableCount(version);
    DatabaseTemplate::create(dir, password, false);
    SqlConnection connection;
    connection.open(DatabaseTemplate::databaseFile(dir), password);
    connection.exec(QStringLiteral("BEGIN"));
    const QStringList files = TableList::files();
    for (int entry = kept + 1; entry <= files.size(); ++entry)
        connection.exec(QStringLiteral("DROP TABLE ") + TableList::tableName(files.at(entry - 1)));
    // Every version here came before the tables kept beside the list.
    for (const QString& table : TableList::addedTables())
        connection.exec(QStringLiteral("DROP TABLE ") + table);
    if (kept < 27) {
        // The ACT columns came with 1.0.5: the tables are made again from their statement without it.
        static const QRegularExpression act(QStringLiteral(",\\s*ACT\\s+CHAR\\(1\\)[^,)]*"));
        for (const QString& table : {QStringLiteral("naprawy"), QStringLiteral("dokumenty")}) {
            if (table == QLatin1String("dokumenty") && kept < 22)
                continue;
            connection.exec(QStringLiteral("DROP TABLE ") + table);
            for (QString statement : DatabaseTemplate::tableDefinition(table)) {
                statement.remove(act);
                connection.exec(statement);
            }
        }
    }
    connection.exec(QStringLiteral("COMMIT"));
    connection.close();
    for (const QString& marker : DatabaseTemplate::upgradeMarkers())
        QFile::remove(dir + QLatin1Char('/') + marker);
}
