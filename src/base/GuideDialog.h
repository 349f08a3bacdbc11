#pragma once

#include <QDialog>
#include <QUrl>

// A guide window: a heading, a read-only text, "Kontynuuj >>" and a button
// that opens the user manual.
class GuideDialog : public QDialog
{
    Q_OBJECT

public:
    GuideDialog(const QString& objectName, const QString& heading, const QString& text,
                const QString& manualCaption, int height, QWidget* parent = nullptr);

    // programDir + "/dokumentacja/Instrukcja obsługi.pdf"
    static QUrl manualUrl();

protected:
    void openManual();
};
