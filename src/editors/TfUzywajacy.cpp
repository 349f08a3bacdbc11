#include "editors/TfUzywajacy.h"

TfUzywajacy::TfUzywajacy(QWidget* parent)
    : TfUzytkownicy({"TfUzywajacy", QStringLiteral("Użytkownik sprzętu"),
                     QStringLiteral("Informacje o użytkowniku sprzętu"),
                     QStringLiteral("Wybierz z listy osobę używającą sprzęt"),
                     QStringLiteral("Opis użytkownika"), false},
                    parent)
{
}
