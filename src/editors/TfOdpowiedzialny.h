#pragma once

#include "editors/EditorDialog.h"

class Lookup;
class QCheckBox;
class TmyDataBase;

// Collects the bulk change of the responsible employee: the person now
// responsible, the one taking over, the tables to change and whether
// liquidated rows change too. The caller shows it and, after "Wykonaj",
// performs the change.
class TfOdpowiedzialny : public EditorDialog
{
    Q_OBJECT

public:
    explicit TfOdpowiedzialny(TmyDataBase& db, QWidget* parent = nullptr);

    // Which tables the user may change (rights 2 and 6); a table not allowed
    // cannot be ticked.
    void allowTables(bool computers, bool equipment);
    // Re-reads both employee lists (DBFPracownicy, DBFPracownicy2) and clears both choices.
    void reopenLookups();
    void clearChoices();

    // The employee numbers chosen; empty when none.
    QString currentPerson() const;
    QString newPerson() const;
    bool computers() const;
    bool equipment() const;
    bool includeLiquidated() const;

    // "Wykonaj".
    void SBZapiszClick() override;

private:
    TmyDataBase& m_db;
    Lookup* fNREW1;
    Lookup* fNREW2;
    QCheckBox* cbKomputery;
    QCheckBox* cbSprzet;
    QCheckBox* cbZlikwidowane;
};
