#include "maintenance/CopyPassword.h"

#include "base/Dialogs.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"

namespace CopyPassword {
QString ensure()
{
    DatabaseLocation& location = DatabaseLocation::global();
    if (!location.password().isEmpty())
        return location.password();
    for (;;) {
        QString entered;
        Dialogs::setNextPromptPassword();
        if (!Dialogs::prompt(QStringLiteral("Informacje"),
                             QStringLiteral("Podaj hasło, którym będą zaszyfrowane archiwa i kopie zapasowe "
                                            "bazy danych na serwerze. Zapamiętaj je: bez niego archiwum nie "
                                            "da się odtworzyć."),
                             entered))
            return {};
        if (const QString problem = DatabaseTemplate::passwordProblem(entered); !problem.isEmpty()) {
            Dialogs::info(QStringLiteral("Informacja"), problem);
            continue;
        }
        QString again;
        Dialogs::setNextPromptPassword();
        if (!Dialogs::prompt(QStringLiteral("Informacje"), QStringLiteral("Powtórz hasło archiwów"), again))
            return {};
        if (again != entered) {
            Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Podane hasła nie są zgodne."));
            continue;
        }
        location.setPassword(entered);
        location.store(); // a failure is reported there; the password serves this session all the same
        return entered;
    }
}
} // namespace CopyPassword
