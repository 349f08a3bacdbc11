#include "registers/ListTools.h"

#include "registers/BulkResponsibleChange.h"
#include "registers/ColumnSums.h"
#include "registers/FindTextDialog.h"
#include "registers/ListCsvExport.h"
#include "registers/ListSearch.h"
#include "registers/PropertyNamesPages.h"
#include "registers/TfFiszka.h"
#include "registers/TfMain.h"
#include "registers/TfSumy.h"

ListTools::ListTools(TfMain& main)
    : QObject(&main), m_search(new ListSearch(main)), m_sumWindow(new TfSumy(&main)),
      m_fiszka(new TfFiszka(&main)), m_sums(std::make_unique<ColumnSums>(main, *m_sumWindow)),
      m_csv(std::make_unique<ListCsvExport>(main)), m_propertyNames(new PropertyNamesPages(main)),
      m_bulkChange(new BulkResponsibleChange(main))
{
    main.setRecordCommand(TfMain::Command::Search, [this] { m_search->SBSzukajClick(); });
    main.setRecordCommand(TfMain::Command::Csv, [this] { m_csv->SBCsvClick(); });
    main.setRecordCommand(TfMain::Command::Sums, [this] { m_sums->SBSumaClick(); });
    main.setRecordCommand(TfMain::Command::Note, [this] { SBFiszkaClick(); });
}

ListTools::~ListTools() = default;

void ListTools::SBFiszkaClick()
{
    m_fiszka->show();
    m_fiszka->raise();
    m_fiszka->activateWindow();
}

void ListTools::resetTemporaryNotes(const QStringList& lines)
{
    m_fiszka->resetText(lines);
}

void ListTools::hideToolWindows()
{
    m_sumWindow->hide();
    m_fiszka->hide();
    m_search->dialog().hide();
}
