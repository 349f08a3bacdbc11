#pragma once

#include <QString>
#include <QStringList>

// The 28 tables in their canonical order ("firmy.db" first, "system.db" last).
// The database test, the archive, the backup and the upgrades walk this list.
namespace TableList {
const QStringList& files();             // "firmy.db", "komputery.db", ...
QString tableName(const QString& file); // "komputery.db" -> "komputery"
QStringList tables();                   // bare table names in canonical order
} // namespace TableList

// The single database file inside the database directory.
inline const QString kDatabaseFileName = QStringLiteral("sprzetnik.db");
