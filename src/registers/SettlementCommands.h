#pragma once

#include "registers/RegisterCommands.h"

#include <functional>

class TfBiblioteka;
class TfRozliczenia;
class WorkEntryDialog;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the settlements register.
class SettlementCommands : public RegisterCommands
{
    Q_OBJECT

public:
    // `order` gives the order dialog whose values start a settlement made
    // from an order.
    SettlementCommands(CommandContext& context, std::function<TfBiblioteka*()> dictionaryEditor,
                       std::function<const WorkEntryDialog*()> order);

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

    // Made on first use.
    TfRozliczenia& dialog();

private:
    std::function<TfBiblioteka*()> m_dictionaryEditor;
    std::function<const WorkEntryDialog*()> m_order;
    TfRozliczenia* m_dialog = nullptr;
};
