#pragma once

#include "editors/WorkEntryDialog.h"

// A settlement of hours worked on an item of equipment.
class TfRozliczenia : public WorkEntryDialog
{
    Q_OBJECT

public:
    explicit TfRozliczenia(TmyDataBase& db, QWidget* parent = nullptr);
};
