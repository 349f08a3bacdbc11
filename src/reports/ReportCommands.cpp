#include "reports/ReportCommands.h"

#include "editors/TfKomputery.h"
#include "registers/FilterBar.h"
#include "registers/TfMain.h"
#include "renderer/ReportPreview.h"
#include "reports/RaportyTab.h"
#include "reports/RecordPrintout.h"
#include "reports/TDMRaporty.h"
#include "store/TmyDataBase.h"

#include <QAction>
#include <QLayout>
#include <QTabWidget>
#include <QVBoxLayout>

ReportCommands::ReportCommands(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_db(db), m_reports(std::make_unique<TDMRaporty>(db))
{
    m_runner = [this](const QString& path, TDMRaporty& data) {
        return ReportPreview::showReport(path, data, &m_main);
    };
    // The report page of the main window holds the catalogue alone.
    if (QWidget* page = m_main.findChild<QWidget*>(QStringLiteral("Raporty"))) {
        delete page->layout();
        for (QWidget* child : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            delete child;
        m_view = new RaportyTab(db, *m_reports, page);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
    }
    connect(&m_main, &TfMain::pageEntered, this, [this](const QString& page) {
        if (page == QLatin1String("Raporty") && m_view)
            m_view->viewEntered();
    });
    connect(&m_main, &TfMain::reportTabRequested, this, [this](int tab) {
        if (m_view)
            m_view->showTab(tab);
    });
    m_main.setRecordCommand(TfMain::Command::Print, [this] { printCurrent(); });
    // The "&Widok" entries of report pages that are not built stay disabled;
    // the rights enable the others again whenever they are applied.
    connect(&m_main, &TfMain::toolbarStateChanged, this, [this] {
        disableMissingPages();
        // The report view has its own date range: the registers' filter bar is not shown under it.
        m_main.filterBar()->setVisible(m_main.currentPageName() != QLatin1String("Raporty"));
    });
    disableMissingPages();
}

void ReportCommands::disableMissingPages()
{
    const int built = m_view ? m_view->tabs()->count() : 0;
    for (int tab = built; tab < 9; ++tab)
        if (QAction* entry = m_main.action(QStringLiteral("MRaporty") + QString::number(tab)))
            entry->setEnabled(false);
}

ReportCommands::~ReportCommands() = default;

void ReportCommands::setRunner(Runner runner)
{
    m_runner = runner;
    if (m_view)
        m_view->setRunner(std::move(runner));
}

bool ReportCommands::print(const QString& title, const QString& body)
{
    m_reports->clearPrintout();
    m_reports->setReport(QStringLiteral("frDrukujPozycje"));
    m_reports->setPrintout(title, body);
    return m_runner(RaportyTab::templatePath(QStringLiteral("drukuj_pozycje.frf")), *m_reports);
}

bool ReportCommands::printCurrent()
{
    const RecordPrintout sheet = RecordPrintout::forList(m_db, m_main.currentList());
    if (sheet.isEmpty())
        return false;
    return print(sheet.title, sheet.body());
}

void ReportCommands::connectEditor(TfKomputery& editor)
{
    TfKomputery::Hooks hooks = editor.hooks();
    hooks.printRecord = [this](const QString& title, const QString& text) { print(title, text); };
    hooks.printEquipment = [this](qint64 key) {
        const RecordPrintout sheet = RecordPrintout::forEquipment(m_db, key);
        if (!sheet.isEmpty())
            print(sheet.title, sheet.body());
    };
    editor.setHooks(hooks);
}
