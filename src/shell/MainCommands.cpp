#include "shell/MainCommands.h"

#include "bhp/StockCheckWindows.h"
#include "editors/AttachmentFiles.h"
#include "editors/TfBiblioteka.h"
#include "editors/TfKomputery.h"
#include "registers/CompanyCommands.h"
#include "registers/TfMain.h"
#include "reports/LabelCommands.h"
#include "reports/ReportCommands.h"
#include "shell/RecordCommands.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <map>

MainCommands::MainCommands(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_biblioteka(new TfBiblioteka(db, &main)),
      m_computers(new TfKomputery(db, &main)), m_records(new RecordCommands(db, *m_computers, this)),
      m_stockChecks(new StockCheckWindows(main, db, this))
{
    m_computers->setDictionaryEditor(m_biblioteka);
    // A register whose command class lacks a command keeps its controls disabled.
    const auto offers = [this](bool (RegisterCommands::*can)() const) {
        return [this, can](const QString& registerName) {
            const RegisterCommands* r = m_records->commandsOf(registerName);
            return r && (r->*can)();
        };
    };
    m_main.setRecordCommand(
        TfMain::Command::Add, [this] { run(&RecordCommands::add); }, offers(&RegisterCommands::canAdd));
    m_main.setRecordCommand(
        TfMain::Command::Copy, [this] { run(&RecordCommands::copy); }, offers(&RegisterCommands::canAdd));
    m_main.setRecordCommand(
        TfMain::Command::Edit, [this] { run(&RecordCommands::edit); }, offers(&RegisterCommands::canEdit));
    m_main.setRecordCommand(
        TfMain::Command::Preview, [this] { run(&RecordCommands::preview); },
        offers(&RegisterCommands::canPreview));
    m_main.setRecordCommand(
        TfMain::Command::Delete, [this] { run(&RecordCommands::remove); },
        offers(&RegisterCommands::canRemove));
    m_main.setRecordCommand(
        TfMain::Command::Liquidate, [this] { run(&RecordCommands::liquidate); },
        offers(&RegisterCommands::canLiquidate));
    m_main.setRecordCommand(TfMain::Command::OpenAttachment, [&db] {
        // "Otwórz załącznik": the stored file of the attachment row under the cursor.
        const Statement& list = db.statement(QStringLiteral("DBFZalaczniki"));
        if (list.isOpen() && !list.eof())
            AttachmentFiles::open(list.text(QStringLiteral("NAZWAPLIKU")));
    });
    connect(m_records, &RecordCommands::listReloaded, this, [this](const QString& list) {
        // The command reloaded and positioned the list: show it as it is now.
        if (ListModel* model = m_main.listModel(list))
            model->refresh();
        if (DataGrid* grid = m_main.gridOf(list))
            grid->followCursor();
    });
    m_records->context().enterRegister = [this](const QString& registerName) { enterRegister(registerName); };
    connect(&m_main, &TfMain::pageEntered, this, &MainCommands::pageEntered);
    // The "Raporty" view and the print-outs of "Drukuj" and the computer editor.
    auto* reports = new ReportCommands(m_main, db, this);
    reports->connectEditor(*m_computers);
    m_records->context().printRecord = [reports](const QString& title, const QString& text) {
        reports->print(title, text);
    };
    // "Drukuj etykiety" of the asset registers.
    m_labels = new LabelCommands(m_main, db, this);
}

void MainCommands::enterRegister(const QString& registerName)
{
    static const std::map<QString, void (TfMain::*)()> pages = {
        {QStringLiteral("komputery"), &TfMain::SBKomputeryClick},
        {QStringLiteral("programy"), &TfMain::SBProgramyClick},
        {QStringLiteral("licencje"), &TfMain::SBLicencjeClick},
        {QStringLiteral("sprzet"), &TfMain::SBSprzetClick},
        {QStringLiteral("DodatkoweTerminarz"), &TfMain::SBTerminarzClick},
        {QStringLiteral("DodatkoweNaprawy"), &TfMain::SBNaprawyClick},
        {QStringLiteral("dodatkoweDokumenty"), &TfMain::SBDokumentyClick},
        {QStringLiteral("DodatkoweHistoria"), &TfMain::SBHistoriaClick},
        {QStringLiteral("DodatkoweZlecenia"), &TfMain::SBZleceniaClick},
        {QStringLiteral("DodatkoweRozliczenia"), &TfMain::SBRozliczeniaClick},
        {QStringLiteral("dodatkoweMagazyn"), &TfMain::SBMagazynClick},
        {QStringLiteral("DodatkoweZalaczniki"), &TfMain::SBZalacznikiClick},
        {QStringLiteral("odziezSrodki"), &TfMain::SBOdziezSrodkiClick},
        {QStringLiteral("zakupBhp"), &TfMain::SBZakupBhpClick},
        {QStringLiteral("slOsobowa"), &TfMain::SBOsobowaClick},
        {QStringLiteral("SlFirmy"), &TfMain::SBFirmyClick},
    };
    const auto it = pages.find(registerName);
    if (it != pages.end())
        (m_main.*(it->second))();
}

MainCommands::~MainCommands() = default;

void MainCommands::run(bool (RecordCommands::*command)(const QString&))
{
    // Registers are named after their page: "komputery", or the sub-page of a page.
    QString page = m_main.currentPageName();
    page = page.section(QLatin1Char('/'), -1);
    (m_records->*command)(page);
}

void MainCommands::pageEntered(const QString& page)
{
    if (page == QLatin1String("Slowniki/SlBiblioteka")) {
        m_biblioteka->setDictionary(0);
        m_biblioteka->exec(); // the main window then enters "Słowniki" again
    }
    if (page == QLatin1String("Slowniki/SlDaneFirmy")) {
        // "Nasza firma": the own company in the company card, then back to "Słowniki".
        if (auto* companies =
                qobject_cast<CompanyCommands*>(m_records->commandsOf(QStringLiteral("SlFirmy"))))
            companies->editOwnCompany();
        m_main.SBSlownikiClick();
    }
}
