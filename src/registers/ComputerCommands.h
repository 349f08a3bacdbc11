#pragma once

#include "registers/RegisterCommands.h"

class TfKomputery;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the computers register.
class ComputerCommands : public RegisterCommands
{
    Q_OBJECT

public:
    ComputerCommands(CommandContext& context, TfKomputery& editor);

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;

private:
    // Reopens the editor's lookups and fills it from the current row.
    void load(qint64 key);
    void insert();
    void update(qint64 key);
    void saveProperties(qint64 key);
    QString amountLine(const QString& column) const;

    TfKomputery& m_editor;
};
