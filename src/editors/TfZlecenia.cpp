#include "editors/TfZlecenia.h"

#include "store/AppState.h"

#include <QCheckBox>

TfZlecenia::TfZlecenia(TmyDataBase& db, QWidget* parent)
    : WorkEntryDialog(db,
                      {"TfZlecenia", QStringLiteral("Zlecenie"), QStringLiteral("Informacje o zleceniu"),
                       QStringLiteral("Numer zlecenia"), QStringLiteral("Numer zlecenia"),
                       QStringLiteral("Wstaw w pole obok ostatnio wprowadzony numer zlecenia"),
                       QStringLiteral("Data zlecenia"), QStringLiteral("Data zlecenia od"),
                       QStringLiteral("Data zlecenia do"), QStringLiteral("Zlecenie na sprzęt:"),
                       QStringLiteral("Opis zlecenia"), QStringLiteral("Opis zlecenia"),
                       QStringLiteral("Niepoprawna data zlecenia. Popraw pole."), QStringLiteral("zlecenia"),
                       QStringLiteral("IDZLECENIA"), false},
                      parent)
{
}

void TfZlecenia::resetSettlementChoice()
{
    dodajDoRozliczen->setChecked(false);
    dodajDoRozliczen->setEnabled(AppState::instance().has(23));
}

bool TfZlecenia::toSettlement() const
{
    return dodajDoRozliczen->isChecked() && dodajDoRozliczen->isEnabled();
}
