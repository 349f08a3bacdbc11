#pragma once

#include "registers/AssetCommands.h"

#include <functional>

class TfBiblioteka;
class TfSprzet;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the equipment register.
class EquipmentCommands : public AssetCommands
{
    Q_OBJECT

public:
    // The dictionary editor is shared with the other editors.
    EquipmentCommands(CommandContext& context, std::function<TfBiblioteka*()> dictionaryEditor);
    ~EquipmentCommands() override;

    // Made on first use.
    TfSprzet& equipmentEditor();
    // The record print-out behind the editor's "Drukuj" buttons.
    void setPrinter(std::function<void(const QString& title, const QString& text)> printer)
    {
        m_printer = std::move(printer);
    }
    // Previews the item with this key (the computer editor's "Sprzęt" tab).
    void previewItem(qint64 key);
    // The print-out text of the item with this key; empty when it is not found.
    QString printItem(qint64 key);

protected:
    AssetEditor& editor() override;
    void insert() override;
    int update(qint64 key) override;

private:
    std::function<TfBiblioteka*()> m_dictionaryEditor;
    std::function<void(const QString&, const QString&)> m_printer;
    TfSprzet* m_editor = nullptr;
};
