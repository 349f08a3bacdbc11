#pragma once

#include "base/GuideDialog.h"

// The first-run guide: create a new database, or point the program at one
// made before, also on a shared network folder.
class TfTutorial1 : public GuideDialog
{
    Q_OBJECT

public:
    explicit TfTutorial1(QWidget* parent = nullptr);

    static QString guideText();
};
