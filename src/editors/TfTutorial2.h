#pragma once

#include "base/GuideDialog.h"

// The attachments guide: where the attachment files must lie and how the
// program is pointed at them.
class TfTutorial2 : public GuideDialog
{
    Q_OBJECT

public:
    explicit TfTutorial2(QWidget* parent = nullptr);

    static QString guideText();
};
