#include "store/DatabaseTemplate.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "store/DbError.h"
#include "store/PasswordHash.h"
#include "store/SchemaUpgrades.h"
#include "store/ServerBackend.h"
#include "store/SortKeys.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/Statement.h"
#include "store/TableList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <filesystem>
#include <system_error>

namespace {
std::filesystem::path fsPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

void removeQuietly(const QString& path)
{
    if (QFileInfo::exists(path))
        QFile::remove(path);
}

QString uniqueTemporaryName(const QString& dir)
{
    for (;;) {
        const QString name = dir + QLatin1Char('/') + kDatabaseFileName + QStringLiteral(".new-") +
                             QString::number(QRandomGenerator::global()->generate(), 16);
        if (!QFileInfo::exists(name) && !QFileInfo::exists(name + QStringLiteral("-journal")))
            return name;
    }
}
} // namespace

namespace {
QString g_templateDir;
}

void DatabaseTemplate::createOnServer(const ServerAddress& address, bool withSampleData,
                                      const QString& templateDir)
{
    const QString root = templateDir.isEmpty() ? defaultTemplateDir() : templateDir;
    const QString dictionaries = readTemplate(root + QStringLiteral("/empty/slowniki.sql"));
    const QString data = substituteDates(
        substitutePasswords(readTemplate(
            root + (withSampleData ? QStringLiteral("/demo/data.sql") : QStringLiteral("/empty/data.sql")))),
        Clock::today());

    SqlConnection connection;
    connection.openServer(address);
    if (!tables(connection).isEmpty())
        throw DbError(QStringLiteral("W podanej lokalizacji znajduje się już baza danych."));
    try {
        connection.exec(QStringLiteral("BEGIN"));
        createTables(connection, root);
        connection.exec(dictionaries);
        connection.exec(data);
        connection.exec(QStringLiteral("COMMIT"));
    } catch (const DbError& e) {
        // The server rolls the whole transaction back when the session ends.
        throw DbError(QStringLiteral("Nie udało się stworzyć nowej bazy danych. ") + e.message(),
                      e.sqliteCode(), e.detail());
    }
}

void DatabaseTemplate::createTables(SqlConnection& connection, const QString& templateDir)
{
    const QString root = templateDir.isEmpty() ? defaultTemplateDir() : templateDir;
    const QString schema = readTemplate(root + QStringLiteral("/empty/schema.sql"));
    if (!connection.isServer()) {
        connection.exec(schema);
        return;
    }
    QString serverSchema;
    for (const QString& statement : splitStatements(schema))
        serverSchema += ServerBackend::serverSchema(statement) + QStringLiteral(";\n");
    // The text columns sort by the server's ICU collation for Polish, as
    // COLLATE PL sorts them on the file.
    connection.exec(QStringLiteral("CREATE COLLATION pl FROM \"pl-x-icu\""));
    connection.exec(ServerBackend::keyFunctionScript());
    connection.exec(serverSchema);
    connection.exec(SortKeys::serverListScript());
    connection.exec(ServerBackend::changeCounterScript(tables(connection)));
    // The upgrades' marks of a database made at the current version.
    SchemaUpgrades::addMarkerTable(connection);
}

void DatabaseTemplate::createTable(SqlConnection& connection, const QString& table,
                                   const QString& templateDir)
{
    const QStringList definition = tableDefinition(table, templateDir);
    if (!connection.isServer()) {
        for (const QString& statement : definition)
            connection.exec(statement);
        return;
    }
    QString script;
    for (const QString& statement : definition)
        script += ServerBackend::serverSchema(statement) + QStringLiteral(";\n");
    // Other workstations learn of its writes as of any table's.
    if (!tableColumns(connection, QStringLiteral("zmiany_bazy")).isEmpty())
        script += ServerBackend::changeCounterTrigger(TableList::tableName(table));
    connection.exec(script);
}

QString DatabaseTemplate::keyColumn(const QString& table, const QString& templateDir)
{
    static const QRegularExpression key(
        QStringLiteral("(\\w+)\\s+INTEGER\\s+PRIMARY\\s+KEY\\s+AUTOINCREMENT"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = key.match(tableDefinition(table, templateDir).first());
    return m.hasMatch() ? m.captured(1) : QString();
}

QString DatabaseTemplate::passwordProblem(const QString& password)
{
    if (password.size() < 3)
        return QStringLiteral("Hasło zbyt krótkie (minimum 3 znaki).");
    if (password.size() > 15)
        return QStringLiteral("Hasło zbyt długie (maksymalnie 15 znaków).");
    for (const QChar c : password) {
        const bool allowed = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                             (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                             (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
        if (!allowed)
            return QStringLiteral(
                "Hasło może składać się tylko z cyfr lub małych i dużych liter, bez polskich "
                "znaków.");
    }
    return {};
}

QString DatabaseTemplate::defaultTemplateDir()
{
    return g_templateDir.isEmpty() ? AppPaths::programDir() + QStringLiteral("/data") : g_templateDir;
}

void DatabaseTemplate::setDefaultTemplateDir(const QString& dir)
{
    g_templateDir = dir;
}

QString DatabaseTemplate::databaseFile(const QString& dir)
{
    return dir + QLatin1Char('/') + kDatabaseFileName;
}

QStringList DatabaseTemplate::upgradeMarkers()
{
    return {QStringLiteral("update1.0.2"), QStringLiteral("update1.0.3"), QStringLiteral("update1.0.4"),
            QStringLiteral("update1.0.5")};
}

QString DatabaseTemplate::readTemplate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Nie można odczytać wzorca bazy danych ") +
                      QDir::toNativeSeparators(path));
    return QString::fromUtf8(file.readAll());
}

void DatabaseTemplate::create(const QString& dir, const QString& password, bool withSampleData,
                              bool replaceExisting, const QString& templateDir)
{
    // An empty key would leave the file unencrypted.
    if (password.isEmpty())
        throw DbError(QStringLiteral("Nie podano hasła bazy danych."));

    QString folder = QDir::cleanPath(dir);
    const QString target = databaseFile(folder);
    if (QFileInfo::exists(target) && !replaceExisting)
        throw DbError(QStringLiteral("W podanej lokalizacji znajduje się już baza danych."));

    const QString root = templateDir.isEmpty() ? defaultTemplateDir() : templateDir;
    const QString schema = readTemplate(root + QStringLiteral("/empty/schema.sql"));
    const QString dictionaries = readTemplate(root + QStringLiteral("/empty/slowniki.sql"));
    const QString data = substituteDates(
        substitutePasswords(readTemplate(
            root + (withSampleData ? QStringLiteral("/demo/data.sql") : QStringLiteral("/empty/data.sql")))),
        Clock::today());

    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw DbError(QStringLiteral("Nie można utworzyć folderu bazy danych ") +
                      QDir::toNativeSeparators(folder));

    const QString temporary = uniqueTemporaryName(folder);
    const auto discard = [&temporary] {
        removeQuietly(temporary);
        removeQuietly(temporary + QStringLiteral("-journal"));
    };
    try {
        SqlConnection connection;
        connection.open(temporary, password, true);
        connection.exec(QStringLiteral("BEGIN"));
        connection.exec(schema);
        connection.exec(dictionaries);
        connection.exec(data);
        connection.exec(QStringLiteral("COMMIT"));
        connection.close();
    } catch (const DbError& e) {
        // Closing without COMMIT rolls back; the half-made file goes anyway.
        discard();
        throw DbError(QStringLiteral("Nie udało się stworzyć nowej bazy danych. ") + e.message(),
                      e.sqliteCode());
    }

    // A journal left by the database being replaced would be played back into the new file.
    if (replaceExisting)
        removeQuietly(target + QStringLiteral("-journal"));
    std::error_code ec;
    std::filesystem::rename(fsPath(temporary), fsPath(target), ec);
    if (ec) {
        discard();
        throw DbError(QStringLiteral("Nie udało się zapisać pliku bazy danych ") +
                      QDir::toNativeSeparators(target) +
                      QStringLiteral(" (w jego miejscu jest folder albo brak uprawnień do zapisu)."));
    }

    // The markers only spare the upgrades a look; a missing one is harmless.
    for (const QString& marker : upgradeMarkers()) {
        QFile file(folder + QLatin1Char('/') + marker);
        if (!file.exists() && file.open(QIODevice::WriteOnly))
            file.close();
    }
}

QString DatabaseTemplate::substitutePasswords(const QString& sql)
{
    static const QRegularExpression token(QStringLiteral("\\{\\{HASLO:([^{}']*)\\}\\}"));
    QString result;
    qsizetype last = 0;
    auto it = token.globalMatch(sql);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        result += QStringView(sql).mid(last, m.capturedStart(0) - last);
        // A salt of its own for every database: no two databases share a hash.
        result += QString::fromLatin1(PasswordHash::hash(m.captured(1)));
        last = m.capturedEnd(0);
    }
    result += QStringView(sql).mid(last);
    return result;
}

QString DatabaseTemplate::substituteDates(const QString& sql, const QDate& today)
{
    static const QRegularExpression token(QStringLiteral("\\{\\{([^{}]*)\\}\\}"));
    static const QRegularExpression form(QStringLiteral("^(D|DMY)([+-]\\d{1,6})?$"));
    QString result;
    result.reserve(sql.size());
    qsizetype last = 0;
    auto it = token.globalMatch(sql);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QRegularExpressionMatch f = form.match(m.captured(1).trimmed());
        if (!f.hasMatch())
            throw DbError(QStringLiteral("Nieznany znacznik we wzorcu bazy danych: ") + m.captured(0));
        const QDate day = today.addDays(f.captured(2).isEmpty() ? 0 : f.captured(2).toLongLong());
        result += QStringView(sql).mid(last, m.capturedStart(0) - last);
        if (f.captured(1) == QLatin1String("D"))
            result += QString::number(day.year() * 10000 + day.month() * 100 + day.day());
        else
            result += QString::asprintf("%02d-%02d-%04d", day.day(), day.month(), day.year());
        last = m.capturedEnd(0);
    }
    result += QStringView(sql).mid(last);
    return result;
}

QStringList DatabaseTemplate::splitStatements(const QString& script)
{
    QStringList statements;
    QString current;
    QChar quote;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        const QChar next = i + 1 < n ? script.at(i + 1) : QChar();
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            current += c;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            current += QLatin1Char(' ');
        } else if (c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

QStringList DatabaseTemplate::tableDefinition(const QString& table, const QString& templateDir)
{
    const QString root = templateDir.isEmpty() ? defaultTemplateDir() : templateDir;
    const QString name = TableList::tableName(table);
    static const QRegularExpression createTable(QStringLiteral("^CREATE\\s+TABLE\\s+(\\w+)"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression createIndex(
        QStringLiteral("^CREATE\\s+(?:UNIQUE\\s+)?INDEX\\s+\\w+\\s+ON\\s+(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList result;
    for (const QString& statement :
         splitStatements(readTemplate(root + QStringLiteral("/empty/schema.sql")))) {
        QRegularExpressionMatch m = createTable.match(statement);
        if (!m.hasMatch())
            m = createIndex.match(statement);
        if (m.hasMatch() && m.captured(1).compare(name, Qt::CaseInsensitive) == 0)
            result << statement;
    }
    if (result.isEmpty() || !createTable.match(result.first()).hasMatch())
        throw DbError(QStringLiteral("Wzorzec bazy danych nie zawiera tabeli ") + name);
    return result;
}

QStringList DatabaseTemplate::tables(SqlConnection& connection)
{
    Statement query(&connection, QStringLiteral("tables"), {connection.dialect().tablesQuery});
    query.open();
    QStringList names;
    for (query.first(); !query.eof(); query.next())
        names << query.text(QStringLiteral("name"));
    return names;
}

QStringList DatabaseTemplate::tableColumns(SqlConnection& connection, const QString& table)
{
    static const QRegularExpression plainName(QStringLiteral("^\\w+$"));
    const QString name = TableList::tableName(table);
    if (!plainName.match(name).hasMatch())
        return {};
    Statement query(&connection, QStringLiteral("columns"), {connection.dialect().columnsQuery.arg(name)});
    query.open();
    QStringList columns;
    for (query.first(); !query.eof(); query.next())
        columns << query.text(QStringLiteral("name"));
    return columns;
}
