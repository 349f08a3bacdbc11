#include "store/SqlDialect.h"

const SqlDialect& SqlDialect::file()
{
    static const SqlDialect d{
        QStringLiteral("BEGIN IMMEDIATE"),
        // A deferred BEGIN takes no lock until the first read: read at once.
        QStringLiteral("BEGIN; SELECT count(*) FROM sqlite_master"),
        QStringLiteral("SELECT name FROM sqlite_master\n"
                       "WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'\nORDER BY rowid"),
        QStringLiteral("PRAGMA table_info(%1)"),
        true,
        true,
        false,
        false,
        QStringLiteral("ASC"),
        QStringLiteral("DESC"),
        false,
        false,
        QStringLiteral("+"),
        QStringLiteral("SELECT COALESCE(MAX(seq), 0) FROM sqlite_sequence WHERE lower(name) = '%1'"),
        QStringLiteral("DELETE FROM sqlite_sequence WHERE lower(name) = '%1';\n"
                       "INSERT INTO sqlite_sequence (name, seq) VALUES ('%1', %3)"),
        999,
        QStringLiteral("VACUUM"),
        QString(),
    };
    return d;
}

const SqlDialect& SqlDialect::server()
{
    static const SqlDialect d{
        // Every workstation's writes queue on one lock of the database, as
        // they do on the file; the server drops it at COMMIT or ROLLBACK.
        QStringLiteral("BEGIN; SELECT pg_advisory_xact_lock(7305011)"),
        QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ"),
        QStringLiteral("SELECT c.relname AS name FROM pg_class c\n"
                       "JOIN pg_namespace n ON n.oid = c.relnamespace\n"
                       "WHERE c.relkind = 'r' AND n.nspname = current_schema() AND c.relname NOT IN "
                       "('zmiany_bazy', 'liczby_wierszy', 'znaczniki_aktualizacji')\n"
                       "ORDER BY c.oid"),
        QStringLiteral("SELECT upper(column_name) AS name FROM information_schema.columns\n"
                       "WHERE table_schema = current_schema() AND table_name = lower('%1')\n"
                       "ORDER BY ordinal_position"),
        false,
        // The order column itself is the key: its collation is Polish and its
        // index (ordered as the lists are) serves each page.
        true,
        true,
        true,
        QStringLiteral("ASC NULLS FIRST"),
        QStringLiteral("DESC NULLS LAST"),
        true,
        true,
        QString(),
        QStringLiteral("SELECT CASE WHEN is_called THEN last_value ELSE 0 END FROM %1_%2_seq"),
        QStringLiteral("SELECT setval('%1_%2_seq', GREATEST(%3, 1), %3 > 0)"),
        30000,
        QStringLiteral("VACUUM (ANALYZE)"),
        // Every workstation holds one session of the program on the database.
        QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE datname = current_database() "
                       "AND application_name = 'Sprzetnik' AND pid <> pg_backend_pid()"),
    };
    return d;
}
