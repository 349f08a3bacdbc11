#include "store/ServerDatabase.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/ServerBackend.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"

#include <QRegularExpression>

namespace ServerDatabase {
namespace {
State loginState(ServerBackend::LoginProblem problem)
{
    switch (problem) {
    case ServerBackend::LoginProblem::Refused:
        return State::Refused;
    case ServerBackend::LoginProblem::NoDatabase:
        return State::NoDatabase;
    case ServerBackend::LoginProblem::TlsRefused:
        return State::TlsRefused;
    case ServerBackend::LoginProblem::Unreachable:
        break;
    }
    return State::Unreachable;
}
} // namespace

Probe probe(const ServerAddress& address)
{
    Probe result;
    SqlConnection connection;
    try {
        connection.openServer(address);
    } catch (const DbError& e) {
        result.state = loginState(ServerBackend::loginProblem(e.detail()));
        result.message = e.message();
        result.detail = e.detail();
        return result;
    }
    try {
        QStringList present;
        for (const QString& name : DatabaseTemplate::tables(connection))
            present << name.toLower();
        if (present.isEmpty()) {
            result.state = State::Empty;
            result.message = QStringLiteral("Baza danych %1 na serwerze jest pusta: nie ma w niej tabel "
                                            "programu.")
                                 .arg(address.database);
            return result;
        }
        for (const QString& table : TableList::tables())
            if (!present.contains(table.toLower())) {
                result.state = State::Foreign;
                result.message =
                    QStringLiteral("Baza danych %1 na serwerze zawiera tabele, ale nie jest bazą tego "
                                   "programu (brak tabeli %2). Wskaż inną bazę danych.")
                        .arg(address.database, table);
                return result;
            }
        result.state = State::Ready;
    } catch (const DbError& e) {
        result.state = State::Failed;
        result.message = e.message();
        result.detail = e.detail().isEmpty() ? e.message() : e.detail();
    }
    return result;
}

bool plainName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    return plain.match(name).hasMatch();
}

void createDatabase(const ServerAddress& address)
{
    if (!plainName(address.database))
        throw DbError(QStringLiteral("Nazwa bazy danych może składać się tylko z liter bez polskich znaków, "
                                     "cyfr i znaku podkreślenia, nie może zaczynać się od cyfry i mieć "
                                     "więcej niż 63 znaki."));
    ServerAddress maintenance = address;
    maintenance.database = QStringLiteral("postgres");
    SqlConnection connection;
    connection.openServer(maintenance);
    try {
        // The name was checked above: it cannot be a parameter of CREATE DATABASE.
        connection.exec(QStringLiteral("CREATE DATABASE ") + address.database +
                        QStringLiteral(" TEMPLATE template0 ENCODING 'UTF8'"));
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Nie udało się założyć bazy danych %1 na serwerze. Użytkownik serwera "
                                     "musi mieć prawo zakładania baz danych (CREATEDB).")
                          .arg(address.database),
                      e.sqliteCode(), e.detail().isEmpty() ? e.message() : e.detail());
    }
}
} // namespace ServerDatabase
