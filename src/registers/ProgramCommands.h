#pragma once

#include "registers/RegisterCommands.h"

class TfProgramy;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the programs register.
class ProgramCommands : public RegisterCommands
{
    Q_OBJECT

public:
    explicit ProgramCommands(CommandContext& context);
    ~ProgramCommands() override;

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

    // Made on first use.
    TfProgramy& editor();

private:
    void load(qint64 key);
    void bind(Statement& q) const;

    TfProgramy* m_editor = nullptr;
};
