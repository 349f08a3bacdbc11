#pragma once

#include "bhp/BhpEditor.h"
#include "registers/RegisterCommands.h"

#include <functional>

class TfBhp;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the BHP items, and the item
// made from a purchase.
class BhpCommands : public RegisterCommands
{
    Q_OBJECT

public:
    explicit BhpCommands(CommandContext& context);
    ~BhpCommands() override;

    // The purchase register a ticked "Dodaj powyższe dane do kosztów zakupu środków BHP" adds to.
    void setPurchases(BhpHandOff purchases) { m_purchases = std::move(purchases); }

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;
    // The add started from the purchase editor.
    void addFromPurchase(const BhpItemData& purchase);

    TfBhp& editor();

private:
    void runAdd(const BhpItemData* fromPurchase);
    void continueToPurchases();

    TfBhp* m_editor = nullptr;
    BhpHandOff m_purchases;
};
