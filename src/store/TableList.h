#pragma once

#include <QString>
#include <QStringList>

// The 28 tables in their canonical order ("firmy.db" first, "system.db" last).
// The database test, the archive, the backup and the upgrades walk this list.
namespace TableList {
const QStringList& files();             // "firmy.db", "komputery.db", ...
QString tableName(const QString& file); // "komputery.db" -> "komputery"
QStringList tables();                   // bare table names in canonical order

// Tables a later version added beside the list ("inwentaryzacje", ...), in
// creation order. A database or an archive without them is still whole (the
// database test and the archive check do not ask for them); the login's
// upgrade adds them, and a copy carries them where both sides have them.
const QStringList& addedTables();
} // namespace TableList

// The single database file inside the database directory.
inline const QString kDatabaseFileName = QStringLiteral("sprzetnik.db");
