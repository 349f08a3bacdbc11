#pragma once

#include "bhp/BhpEditor.h"
#include "registers/RegisterCommands.h"

class TfZakupBhp;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the BHP purchases, and the
// purchase made from a BHP item.
class ZakupBhpCommands : public RegisterCommands
{
    Q_OBJECT

public:
    explicit ZakupBhpCommands(CommandContext& context);
    ~ZakupBhpCommands() override;

    // The item register a ticked "Dodaj powyższe dane do odzieży i środków BHP" adds to.
    void setItems(BhpHandOff items) { m_items = std::move(items); }

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;
    // The add started from the BHP item editor.
    void addFromItem(const BhpItemData& item);

    TfZakupBhp& editor();

private:
    void runAdd(const BhpItemData* fromItem);
    // After a save with the box ticked: the item register and its add.
    void continueToItems();

    TfZakupBhp* m_editor = nullptr;
    BhpHandOff m_items;
};
