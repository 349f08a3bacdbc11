#pragma once

#include "registers/AssetCommands.h"

class TfKomputery;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the computers register.
class ComputerCommands : public AssetCommands
{
    Q_OBJECT

public:
    ComputerCommands(CommandContext& context, TfKomputery& editor);

protected:
    AssetEditor& editor() override;
    void insert() override;
    int update(qint64 key) override;

private:
    TfKomputery& m_editor;
};
