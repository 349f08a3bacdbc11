#pragma once

#include <QDialog>

// The attachments guide: where the attachment files must lie and how the
// program is pointed at them.
class TfTutorial2 : public QDialog
{
    Q_OBJECT

public:
    explicit TfTutorial2(QWidget* parent = nullptr);

    static QString guideText();

private:
    void openManual();
};
