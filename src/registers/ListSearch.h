#pragma once

#include <QObject>
#include <QString>

class FindTextDialog;
class TfMain;

// "Szukaj" of the main window: the find dialog and its "find next" over the
// list shown, row by row, in the texts the grid displays.
class ListSearch : public QObject
{
    Q_OBJECT

public:
    explicit ListSearch(TfMain& main);

    // Puts the list shown on its first row and opens the find dialog.
    void SBSzukajClick();
    // "Find next" with the dialog's text.
    void FindTextFind();
    // "Find next" with a given text: true when a row was found.
    bool findNext(const QString& text);

    FindTextDialog& dialog() const { return *m_dialog; }
    bool firstSearch() const { return m_firstSearch; }

private:
    TfMain& m_main;
    FindTextDialog* m_dialog;
    bool m_firstSearch = false;
};
