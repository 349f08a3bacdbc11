#include "registers/ListSearch.h"

#include "base/Dialogs.h"
#include "registers/CaseFold.h"
#include "registers/FindTextDialog.h"
#include "registers/TfMain.h"
#include "store/Statement.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

ListSearch::ListSearch(TfMain& main) : QObject(&main), m_main(main), m_dialog(new FindTextDialog(&main))
{
    connect(m_dialog, &FindTextDialog::findNext, this, &ListSearch::FindTextFind);
}

void ListSearch::SBSzukajClick()
{
    const QString list = m_main.currentList();
    if (ListModel* model = list.isEmpty() ? nullptr : m_main.listModel(list)) {
        model->statement().first();
        if (DataGrid* grid = m_main.gridOf(list))
            grid->followCursor();
        m_firstSearch = true;
    }
    m_dialog->open();
}

void ListSearch::FindTextFind()
{
    findNext(m_dialog->findText());
}

bool ListSearch::findNext(const QString& text)
{
    QString list = m_main.currentList();
    if (list.isEmpty())
        list = QStringLiteral("DBFKomputery");
    ListModel* model = m_main.listModel(list);
    DataGrid* grid = m_main.gridOf(list);
    if (!model)
        return false;
    Statement& s = model->statement();
    // The rows the grid shows; the statement may hold more after a reopen elsewhere.
    const int rows = std::min(model->rowCount(), s.recordCount());
    if (s.eof() || s.recNo() >= rows)
        return false;
    int row = s.recNo();
    if (m_firstSearch)
        m_firstSearch = false;
    else
        ++row;

    const QString needle = CaseFold::fold(text);
    const int columns = model->columnCount();
    // Both kept from row to row: a long list is searched without an allocation per row.
    QString joined;
    QString folded;
    for (; row < rows; ++row) {
        joined.resize(0);
        for (int c = 0; c < columns; ++c)
            joined += model->displayText(row, c);
        folded.resize(0);
        CaseFold::foldAppend(joined, folded);
        if (folded.contains(needle)) {
            s.setRecNo(row);
            if (grid)
                grid->followCursor();
            return true;
        }
    }
    s.first();
    if (grid)
        grid->followCursor();
    Dialogs::info(
        QStringLiteral("Informacja"),
        QStringLiteral("Podany tekst nie został znaleziony lub dotarto do ostatniej pozycji tabeli. "
                       "Spróbuj przeszukać listę od początku."));
    return false;
}
