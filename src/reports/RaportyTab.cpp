#include "reports/RaportyTab.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/IniFile.h"
#include "renderer/ReportPreview.h"
#include "reports/AdditionalPage.h"
#include "reports/BhpPage.h"
#include "reports/EmployeesPage.h"
#include "reports/FinancialPage.h"
#include "reports/GeneralPage.h"
#include "reports/LocationsPage.h"
#include "reports/ProtocolPage.h"
#include "reports/ReportPanel.h"
#include "reports/TDMRaporty.h"
#include "store/TmyDataBase.h"

#include <QDir>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

RaportyTab::RaportyTab(TmyDataBase& db, TDMRaporty& reports, QWidget* parent)
    : QWidget(parent), m_db(db), m_reports(reports)
{
    setObjectName(QStringLiteral("RaportyWidok"));
    m_runner = [this](const QString& path, TDMRaporty& data) {
        return ReportPreview::showReport(path, data, window());
    };
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("RaportyTab"));
    // The panel joins the view after the pages: it comes last in the tab order.
    m_panel = new ReportPanel;
    const ReportPage::Context context{db, reports, *m_panel,
                                      [this](const QString& report, const QString& path, bool check) {
                                          return showReport(report, path, check);
                                      }};
    addPage(new GeneralPage(context), QStringLiteral("Ogólne"));
    addPage(new FinancialPage(context), QStringLiteral("Finansowe"));
    const std::pair<ProtocolPage::Kind, const char*> protocols[] = {
        {ProtocolPage::Acceptance, "Protokół przyjęcia"},
        {ProtocolPage::Issue, "Protokół wydania"},
        {ProtocolPage::Liquidation, "Protokół likwidacji"}};
    for (const auto& [kind, caption] : protocols) {
        auto* page = new ProtocolPage(context, kind);
        m_protocols.append(page);
        addPage(page, QString::fromUtf8(caption));
    }
    addPage(new LocationsPage(context), QStringLiteral("Wg lokalizacji"));
    addPage(new EmployeesPage(context), QStringLiteral("Wg pracowników"));
    addPage(new BhpPage(context), QStringLiteral("BHP i inne"));
    addPage(new AdditionalPage(context), QStringLiteral("Raporty dodatkowe"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_panel);
    resetPages();
}

void RaportyTab::addPage(ReportPage* page, const QString& caption)
{
    m_pages.append(page);
    m_tabs->addTab(page->scrolled(), caption);
}

void RaportyTab::resetPages()
{
    for (ReportPage* page : std::as_const(m_pages))
        page->reset();
}

void RaportyTab::viewEntered()
{
    m_panel->viewEntered();
    // The lookups of every page read their statements again.
    for (const char* statement : {"DBFLokalizacje", "DBFPracownicy", "DBFDostawcy"})
        m_db.reopenLookup(QLatin1String(statement));
    for (ReportPage* page : std::as_const(m_pages))
        page->viewEntered();
}

void RaportyTab::showTab(int tab)
{
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

bool RaportyTab::run(const QString& button)
{
    for (ReportPage* page : std::as_const(m_pages))
        if (page->run(button))
            return true;
    return false;
}

qint64 RaportyTab::rangeFrom() const
{
    return m_panel->rangeFrom();
}

qint64 RaportyTab::rangeTo() const
{
    return m_panel->rangeTo();
}

QString RaportyTab::takeNumber(QLineEdit* field)
{
    return ReportPage::takeNumber(field);
}

QString RaportyTab::templatePath(const QString& file)
{
    return ReportPage::templatePath(file);
}

bool RaportyTab::showReport(const QString& report, const QString& path, bool checkAttachments)
{
    m_reports.setReport(report);
    TDMRaporty::Choices& c = m_reports.choices();
    c.issueDateOn = m_panel->issueDateOn();
    c.issueDate = m_panel->issueDateText();
    for (const ReportPage* page : std::as_const(m_pages))
        page->addChoices(c);
    c.attachmentCheck = checkAttachments;
    return m_runner(path, m_reports);
}

QString RaportyTab::protocolTextsPath()
{
    return QDir(AppPaths::configDir()).filePath(QStringLiteral("repfields.ini"));
}

void RaportyTab::loadProtocolTexts()
{
    const IniFile ini(protocolTextsPath());
    const bool noData = ini.intValue(QStringLiteral("SETTINGS"), QStringLiteral("noData"), 1) == 1;
    for (ProtocolPage* page : std::as_const(m_protocols))
        page->loadTexts(ini, noData);
}

void RaportyTab::saveProtocolTexts() const
{
    const QString path = protocolTextsPath();
    IniFile ini(path);
    ini.setInt(QStringLiteral("SETTINGS"), QStringLiteral("noData"), 0);
    for (const ProtocolPage* page : m_protocols)
        page->saveTexts(ini);
    if (!ini.save(path))
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Nie udało się zapisać pliku ") + QDir::toNativeSeparators(path));
}
