#pragma once

#include "bhp/CheckWindow.h"

class QTableWidget;
class TmyDataBase;

// "Sprawdzenie zapotrzebowania na środki BHP": the items at or below their
// reminder level. After login it is shown modally when something is found;
// from the menu it is shown non-modally and checks as it shows.
class TfSprawdzenieBhp : public CheckWindow
{
    Q_OBJECT

public:
    TfSprawdzenieBhp(TmyDataBase& db, QWidget* parent = nullptr);

    // Fills the table under its header; answers whether anything was found.
    bool fill();
    // The after-login check.
    void runAfterLogin();
    // The menu command.
    void showFromMenu();

    // The header and the table's rows, as the exports write them.
    QList<QStringList> rows() const;

    void SBCsvClick();
    void SBTxtClick();

private:
    void setRow(int row, const QStringList& cells);

    TmyDataBase& m_db;
    QTableWidget* SGTabela;
};
