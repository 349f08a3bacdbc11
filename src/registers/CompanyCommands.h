#pragma once

#include "registers/RegisterCommands.h"

#include <QPointer>

class TfFirma;

// "Dodaj", "Kopiuj", "Edytuj" and "Podgląd" of the company register, and
// "Nasza firma", which edits the user's own company (IDFIRMY 1) in the same card.
class CompanyCommands : public RegisterCommands
{
    Q_OBJECT

public:
    explicit CompanyCommands(CommandContext& context);
    ~CompanyCommands() override;

    bool canAdd() const override { return true; }
    bool canEdit() const override { return true; }
    void add() override;
    void edit() override;
    void preview() override;
    // "Nasza firma": row 1 in the card, written back when saved.
    void editOwnCompany();

    // The company card, made on first use.
    TfFirma& editor();

private:
    // Writes the card over the row with this key (code of the caller).
    bool update(qint64 code, qint64 key);

    QPointer<TfFirma> m_editor;
};
