#include "store/NewKey.h"

#include "store/DbError.h"
#include "store/Statement.h"
#include "store/WriteTransaction.h"

qint64 insertReturningKey(SqlConnection& connection, const QString& table, const QString& keyColumn,
                          const std::function<void()>& insert, const std::function<void(qint64)>& withKey)
{
    WriteTransaction transaction(connection);
    insert();
    Statement q(&connection, QStringLiteral("newKey"),
                {QStringLiteral("SELECT MAX(") + keyColumn + QStringLiteral(") AS ID FROM ") + table});
    q.open();
    const qint64 key = q.isEmpty() ? 0 : q.integer(QStringLiteral("ID"));
    q.close();
    if (key <= 0)
        throw DbError(QStringLiteral("Nie odczytano klucza nowego rekordu tabeli ") + table);
    if (withKey)
        withKey(key);
    transaction.commit();
    return key;
}
