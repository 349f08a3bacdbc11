#pragma once

#include "editors/WorkEntryDialog.h"

// A work order on an item of equipment.
class TfZlecenia : public WorkEntryDialog
{
    Q_OBJECT

public:
    explicit TfZlecenia(TmyDataBase& db, QWidget* parent = nullptr);

    // "Dodaj powyższe dane do rejestru rozliczeń": unticked, enabled with right 23.
    void resetSettlementChoice();
    bool toSettlement() const;
};
