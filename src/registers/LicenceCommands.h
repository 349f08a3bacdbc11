#pragma once

#include "registers/RegisterCommands.h"

class TfLicencje;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the licences register.
class LicenceCommands : public RegisterCommands
{
    Q_OBJECT

public:
    explicit LicenceCommands(CommandContext& context);
    ~LicenceCommands() override;

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

    // Made on first use.
    TfLicencje& editor();

private:
    void load(qint64 key);
    void bind(Statement& q) const;

    TfLicencje* m_editor = nullptr;
};
