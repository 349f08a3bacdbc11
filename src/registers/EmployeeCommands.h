#pragma once

#include "registers/RegisterCommands.h"

#include <QPointer>

class TfOsobowa;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the employee register.
class EmployeeCommands : public RegisterCommands
{
    Q_OBJECT

public:
    explicit EmployeeCommands(CommandContext& context);
    ~EmployeeCommands() override;

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

    // The employee card, made on first use.
    TfOsobowa& editor();

private:
    // Reopens the card's lists and fills it from the current row.
    void load();

    QPointer<TfOsobowa> m_editor;
};
