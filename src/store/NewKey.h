#pragma once

#include <QString>

#include <functional>

class SqlConnection;

// An insert and the read of its new key as one write transaction: between
// them no other workstation can insert into the table, so MAX(key) is the
// row just written. `withKey` runs inside the same transaction for the rows
// that belong to the new one (an asset's property rows). Any failure rolls
// everything back and throws DbError; the answer is the new key.
qint64 insertReturningKey(SqlConnection& connection, const QString& table, const QString& keyColumn,
                          const std::function<void()>& insert,
                          const std::function<void(qint64)>& withKey = {});
