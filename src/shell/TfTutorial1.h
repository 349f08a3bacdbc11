#pragma once

#include <QDialog>
#include <QUrl>

// The first-run guide: create a new database, or point the program at one
// made before, also on a shared network folder.
class TfTutorial1 : public QDialog
{
    Q_OBJECT

public:
    explicit TfTutorial1(QWidget* parent = nullptr);

    static QString guideText();
    // programDir + "/dokumentacja/Instrukcja obsługi.pdf"
    static QUrl manualUrl();

private:
    void openManual();
};
