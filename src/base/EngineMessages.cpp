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
