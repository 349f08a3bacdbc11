#pragma once

#include "editors/TfUzytkownicy.h"

// A user of an item of equipment: the employee, a description and notes.
class TfUzywajacy : public TfUzytkownicy
{
    Q_OBJECT

public:
    explicit TfUzywajacy(QWidget* parent = nullptr);
};
