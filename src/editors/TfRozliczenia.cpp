#include "editors/TfRozliczenia.h"

TfRozliczenia::TfRozliczenia(TmyDataBase& db, QWidget* parent)
    : WorkEntryDialog(db,
                      {"TfRozliczenia", QStringLiteral("Rozliczenia"),
                       QStringLiteral("Informacje o rozliczeniu"), QStringLiteral("Numer rozliczenia"),
                       QStringLiteral("Numer rozliczenia"),
                       QStringLiteral("Wstaw w pole obok ostatnio wprowadzony numer rozliczenia"),
                       QStringLiteral("Data rozliczenia"), QStringLiteral("Data rozliczenia od"),
                       QStringLiteral("Data rozliczenia do"), QStringLiteral("Rozliczenie dla sprzętu:"),
                       QStringLiteral("Opis rozliczenia"), QStringLiteral("Opis rozliczenia"),
                       QStringLiteral("Niepoprawna data rozliczenia. Popraw pole."),
                       QStringLiteral("rozliczenia"), QStringLiteral("IDROZLICZENIA"), true},
                      parent)
{
}
