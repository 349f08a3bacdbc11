#pragma once

#include "registers/RegisterCommands.h"

class TfMagazyn;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the resource store.
class MagazynCommands : public RegisterCommands
{
    Q_OBJECT

public:
    explicit MagazynCommands(CommandContext& context);
    ~MagazynCommands() override;

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

    TfMagazyn& editor();

private:
    TfMagazyn* m_editor = nullptr;
};
