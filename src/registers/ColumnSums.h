#pragma once

#include <QString>

class TfMain;
class TfSumy;
class Statement;

// "Przelicz sumy": the row count and the money totals of the list shown,
// into the sum window. The totals are read from the list's base table under
// the list's own conditions, so they follow its filters but not its order.
class ColumnSums
{
public:
    ColumnSums(TfMain& main, TfSumy& window) : m_main(main), m_window(window) {}

    void SBSumaClick();

private:
    // Runs the statement; fills the value cells from its first row.
    void fill(Statement& statement, int columns, qint64 code);

    TfMain& m_main;
    TfSumy& m_window;
};
