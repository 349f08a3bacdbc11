#include "registers/MainCommands.h"

#include "editors/AttachmentFiles.h"
#include "editors/TfKomputery.h"
#include "registers/AdditionalCommands.h"
#include "registers/ListModel.h"
#include "registers/RecordCommands.h"
#include "registers/TfMain.h"
#include "store/Statement.h"
#include "store/TfBiblioteka.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"

MainCommands::MainCommands(TfMain& main, TmyDataBase& db, QObject* parent)
    : QObject(parent), m_main(main), m_biblioteka(new TfBiblioteka(db, &main)), m_computers(new TfKomputery(db, &main)),
      m_records(new RecordCommands(db, *m_computers, this))
{
    m_computers->setDictionaryEditor(m_biblioteka);
    // Registers without an editor yet keep these commands disabled.
    const auto withEditor = [](const QString& r) { return RecordCommands::hasEditor(r); };
    const auto withDialog = [](const QString& r) {
        return RecordCommands::hasEditor(r) || AdditionalCommands::handles(r);
    };
    m_main.setRecordCommand(
        TfMain::Command::Add, [this] { run(&RecordCommands::add); }, withEditor);
    m_main.setRecordCommand(
        TfMain::Command::Copy, [this] { run(&RecordCommands::copy); }, withEditor);
    m_main.setRecordCommand(
        TfMain::Command::Edit, [this] { run(&RecordCommands::edit); }, withDialog);
    m_main.setRecordCommand(
        TfMain::Command::Preview, [this] { run(&RecordCommands::preview); }, withDialog);
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
    connect(&m_main, &TfMain::pageEntered, this, &MainCommands::pageEntered);
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
}
