#include "base/EngineMessages.h"

#include <sqlcipher/sqlite3.h>

#include <QList>

#include <utility>

namespace {
const QString kReadOnly =
    QStringLiteral("Baza danych jest tylko do odczytu: nie można w niej nic zapisać. Program "
                   "potrzebuje prawa zapisu do pliku bazy danych i do folderu, w którym leży.");
const QString kDamaged = QStringLiteral("Plik bazy danych jest uszkodzony.");
const QString kNotADatabase =
    QStringLiteral("Plik nie jest bazą danych programu albo hasło bazy danych jest błędne.");
const QString kCannotOpen = QStringLiteral(
    "Nie można otworzyć pliku bazy danych (brak pliku lub folderu albo brak uprawnień do nich).");
const QString kIo = QStringLiteral("Błąd odczytu lub zapisu dysku, na którym leży baza danych.");
const QString kFull = QStringLiteral("Brak miejsca na dysku, na którym leży baza danych.");
const QString kConstraint =
    QStringLiteral("Zapis narusza reguły bazy danych (na przykład powtarza wartość, która musi być jedyna).");
const QString kSchema = QStringLiteral("W bazie danych brakuje tabeli lub kolumny, której program "
                                       "potrzebuje. Baza może pochodzić z innej wersji "
                                       "programu.");
const QString kStatement = QStringLiteral("Błąd w poleceniu bazy danych.");
const QString kMemory = QStringLiteral("Brak pamięci do wykonania operacji na bazie danych.");
const QString kLocked =
    QStringLiteral("Pliki bazy danych są zablokowane przez inny program. Odczekaj chwilę i "
                   "spróbuj ponownie. Jeśli sytuacja powtórzy się spróbuj uruchomić program "
                   "ponownie lub zrestartuj komputer.");
const QString kOther = QStringLiteral("Wystąpił błąd bazy danych.");
const QString kServerBusy = QStringLiteral("Dane na serwerze są właśnie zmieniane na innym stanowisku. "
                                           "Odczekaj chwilę i spróbuj ponownie.");
const QString kServerGone = QStringLiteral(
    "Połączenie z serwerem bazy danych zostało przerwane. Nic z przerwanej operacji nie zostało zapisane. "
    "Sprawdź połączenie i spróbuj ponownie albo wskaż bazę danych jeszcze raz.");
const QString kServerTimeout = QStringLiteral(
    "Polecenie bazy danych trwało zbyt długo i serwer je przerwał. Nic z niego nie zostało zapisane.");
const QString kServerRights =
    QStringLiteral("Użytkownik serwera bazy danych nie ma prawa do tej operacji. Poproś administratora "
                   "serwera o uprawnienia do bazy programu.");

// The server's errors come as "SQLSTATE <class+code>: <its own text>".
const QString* serverText(const QString& message)
{
    static const QLatin1String prefix("SQLSTATE ");
    if (!message.startsWith(prefix))
        return nullptr;
    const QString state = message.mid(prefix.size(), 5);
    if (state == QLatin1String("42P01") || state == QLatin1String("42703") || state == QLatin1String("3F000"))
        return &kSchema;
    if (state.startsWith(QLatin1String("23")))
        return &kConstraint;
    if (state == QLatin1String("55P03") || state == QLatin1String("40P01") || state == QLatin1String("40001"))
        return &kServerBusy;
    if (state == QLatin1String("57014"))
        return &kServerTimeout;
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return &kServerGone;
    if (state == QLatin1String("42501") || state == QLatin1String("25006"))
        return &kServerRights;
    if (state == QLatin1String("53100"))
        return &kFull;
    if (state.startsWith(QLatin1String("42")))
        return &kStatement;
    return &kOther;
}

// Texts the engine builds around a name ("no such table: firmy").
const QList<std::pair<QString, const QString*>>& patterns()
{
    static const QList<std::pair<QString, const QString*>> list = {
        {QStringLiteral("attempt to write a readonly database"), &kReadOnly},
        {QStringLiteral("readonly database"), &kReadOnly},
        {QStringLiteral("database is locked"), &kLocked},
        {QStringLiteral("database table is locked"), &kLocked},
        {QStringLiteral("database disk image is malformed"), &kDamaged},
        {QStringLiteral("file is encrypted or is not a database"), &kNotADatabase},
        {QStringLiteral("file is not a database"), &kNotADatabase},
        {QStringLiteral("unable to open database file"), &kCannotOpen},
        {QStringLiteral("disk I/O error"), &kIo},
        {QStringLiteral("database or disk is full"), &kFull},
        {QStringLiteral("constraint failed"), &kConstraint},
        {QStringLiteral("no such table"), &kSchema},
        {QStringLiteral("no such column"), &kSchema},
        {QStringLiteral("has no column named"), &kSchema},
        {QStringLiteral("' not found"), &kSchema},
        {QStringLiteral("syntax error"), &kStatement},
        {QStringLiteral("near \""), &kStatement},
        {QStringLiteral("out of memory"), &kMemory},
    };
    return list;
}
} // namespace

namespace EngineMessages {
QString polish(const QString& message)
{
    if (const QString* text = serverText(message))
        return *text;
    for (const auto& [pattern, text] : patterns())
        if (message.contains(pattern, Qt::CaseInsensitive))
            return *text;
    // Every other fixed text of the engine ("SQL logic error or missing database", ...).
    for (int rc = 1; rc <= 28; ++rc)
        if (message.startsWith(QString::fromUtf8(sqlite3_errstr(rc))))
            return kOther;
    if (message == QString::fromUtf8(sqlite3_errstr(SQLITE_OK)))
        return kOther; // "not an error": the engine failed without saying why
    return {};
}

QString forUser(const QString& message)
{
    const QString text = polish(message);
    return text.isEmpty() ? message : text;
}
} // namespace EngineMessages
