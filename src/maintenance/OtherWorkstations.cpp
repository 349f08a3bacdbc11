#include "maintenance/OtherWorkstations.h"

#include "base/Dialogs.h"
#include "store/TmyDataBase.h"

bool OtherWorkstations::mayGoOn(TmyDataBase& db, Operation operation)
{
    const int others = db.otherWorkstations();
    if (others <= 0)
        return true;
    return Dialogs::question(QStringLiteral("Pytanie"), questionText(others, operation));
}

QString OtherWorkstations::countText(int others)
{
    if (others == 1)
        return QStringLiteral("Z bazą danych pracuje teraz jeszcze 1 inne stanowisko.");
    const int ones = others % 10;
    const int tens = others % 100;
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("Z bazą danych pracują teraz jeszcze %1 inne stanowiska.").arg(others);
    return QStringLiteral("Z bazą danych pracuje teraz jeszcze %1 innych stanowisk.").arg(others);
}

QString OtherWorkstations::questionText(int others, Operation operation)
{
    QString effect;
    switch (operation) {
    case Operation::Restore:
        effect =
            QStringLiteral("Odtworzenie danych z archiwum zastąpi bazę danych również na tamtych "
                           "stanowiskach: przy najbliższym odczycie lub zapisie przejdą one na odtworzoną "
                           "bazę, a to, co zapisano tam po utworzeniu archiwum, zostanie utracone. "
                           "Bezpieczniej jest najpierw poprosić pozostałych użytkowników o zamknięcie "
                           "programu.");
        break;
    case Operation::Pack:
        effect = QStringLiteral("Na czas optymalizacji ich praca z bazą zostanie wstrzymana; zapis, który "
                                "będzie musiał czekać dłużej niż kilka sekund, nie powiedzie się i trzeba go "
                                "będzie powtórzyć.");
        break;
    case Operation::Move:
        effect =
            QStringLiteral("Przeniesiona zostanie baza danych w stanie z chwili rozpoczęcia przenoszenia; "
                           "to, co zapiszą później, zostanie tylko w obecnej bazie. Bezpieczniej jest "
                           "najpierw poprosić pozostałych użytkowników o zamknięcie programu.");
        break;
    case Operation::Emptying:
        effect = QStringLiteral("Usunięte dane znikną również z ich list, a zmian w usuniętych pozycjach, "
                                "które są tam właśnie edytowane, nie będzie można zapisać.");
        break;
    }
    return countText(others) + QLatin1Char(' ') + effect + QStringLiteral(" Czy mimo to kontynuować?");
}
