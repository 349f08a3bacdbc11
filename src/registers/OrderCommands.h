#pragma once

#include "registers/RegisterCommands.h"

#include <functional>

class TfBiblioteka;
class TfZlecenia;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the work orders register. An
// order saved with "Dodaj powyższe dane do rejestru rozliczeń" ticked goes
// on as a new settlement.
class OrderCommands : public RegisterCommands
{
    Q_OBJECT

public:
    OrderCommands(CommandContext& context, std::function<TfBiblioteka*()> dictionaryEditor);

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

    // Made on first use.
    TfZlecenia& dialog();

private:
    // After a save with the box ticked: the settlement add starts from this order.
    void toSettlement();

    std::function<TfBiblioteka*()> m_dictionaryEditor;
    TfZlecenia* m_dialog = nullptr;
};
