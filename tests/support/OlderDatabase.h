#pragma once

#include <QString>
#include <QTemporaryDir>

// A database as an older version of the program left it, made from the
// current schema text in a temporary folder, without upgrade markers:
//   "1.0.1"  tables 1-18, naprawy without ACT
//   "1.0.2"  tables 1-22, naprawy and dokumenty without ACT
//   "1.0.3"  tables 1-25, "1.0.4" tables 1-26 (still without ACT)
//   "1.0.5"  tables 1-27 with both ACT columns (no system table)
// None has the tables added beside the list (TableList::addedTables).
class OlderDatabase
{
public:
    explicit OlderDatabase(const QString& version, const QString& password = QStringLiteral("tajne1"));
    QString dir() const { return m_dir.path(); }
    QString password() const { return m_password; }

    // Number of tables of the canonical list the version had.
    static int tableCount(const QString& version);
    // Makes the database in `dir` (which must hold none yet).
    static void make(const QString& dir, const QString& password, const QString& version);

private:
    QTemporaryDir m_dir;
    QString m_password;
};
