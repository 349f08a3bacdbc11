#pragma once

#include "bhp/CheckWindow.h"

class QPlainTextEdit;
class TmyDataBase;

// "Sprawdzanie stanów magazynowych": the resources of the store's list at
// or below their reminder level. Not modal.
class TfSprawdzenieMagazynu : public CheckWindow
{
    Q_OBJECT

public:
    TfSprawdzenieMagazynu(TmyDataBase& db, QWidget* parent = nullptr);

    // Fills the text; answers whether anything was found.
    bool check();
    // Nothing when `enabled` is false; otherwise checks and shows the window,
    // after login (`onlyWhenFound`) only when something was found.
    void run(bool enabled, bool onlyWhenFound);
    QString text() const;

    void SBZapiszClick(); // "do TXT ..."

signals:
    // The check re-read the main window's resource list.
    void listReloaded(const QString& list);

private:
    TmyDataBase& m_db;
    QPlainTextEdit* output3;
};
