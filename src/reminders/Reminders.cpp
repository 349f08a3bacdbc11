#include "reminders/Reminders.h"

#include "registers/TfMain.h"
#include "reminders/TfHurtowaDeaktywacja.h"
#include "reminders/TfNotatki.h"
#include "reminders/TfPoradaDnia.h"
#include "reminders/TfShowNotatka.h"
#include "reminders/TfSprawdzenieDat.h"
#include "store/Guarded.h"
#include "widgets/ListModel.h"
#include "widgets/TVXGridStorage.h"

#include <QAction>
#include <QTableView>

Reminders::Reminders(TfMain& main, TmyDataBase& db, std::array<NoteSlot, 30>& notes)
    : QObject(&main), m_main(main), m_db(db), m_notes(notes), m_sprawdzenie(new TfSprawdzenieDat(db, &main)),
      m_hurtowa(new TfHurtowaDeaktywacja(db, &main)), m_notatki(new TfNotatki(notes, &main)),
      m_showNotatka(new TfShowNotatka(&main)), m_porada(new TfPoradaDnia(m_tips, &main))
{
    // Read once when the program starts.
    m_tips.load(TipsFile::installedPath());

    const auto wire = [this](const char* name, void (Reminders::*slot)()) {
        if (QAction* a = m_main.action(QLatin1String(name)))
            connect(a, &QAction::triggered, this, slot);
    };
    wire("Notatnik1", &Reminders::Notatnik1Click);
    wire("MSprawdzTerminy", &Reminders::sprawdzajTermin1Click);
    wire("MHurtowaDeaktywacja", &Reminders::menuHurtowaDeaktywacjaClick);
    wire("MPoradaDnia", &Reminders::Poradadnia1Click);
    // The deadline table keeps its column widths with the other grids; its key
    // is the prefix directly followed by the table's name (no underscore).
    connect(&m_main, &TfMain::registeringGridLayouts, this, [this](TVXGridStorage& storage) {
        storage.AddStringGrid(m_sprawdzenie->table(), QStringLiteral("SPRDATSGTabela"));
    });
    m_main.setRecordCommand(TfMain::Command::BulkDeactivate, [this] { subMenuHurtowadeaktywacjaClick(); });
}

void Reminders::tipAfterLogin()
{
    m_porada->showTip();
}

void Reminders::deadlineCheckAfterLogin()
{
    m_sprawdzenie->showAfterLogin();
}

void Reminders::showDueNote(int slot)
{
    if (slot < 1 || slot > 30)
        return;
    NoteSlot& note = m_notes[size_t(slot - 1)];
    if (!m_showNotatka->showNote(note.opis))
        return;
    note.data.clear();
    note.opis.clear();
    m_db.saveNotes(m_notes);
}

void Reminders::hideToolWindows()
{
    m_sprawdzenie->hide();
}

void Reminders::Notatnik1Click()
{
    m_notatki->exec();
    m_db.saveNotes(m_notes);
}

void Reminders::sprawdzajTermin1Click()
{
    m_sprawdzenie->showFromMenu();
}

void Reminders::menuHurtowaDeaktywacjaClick()
{
    m_hurtowa->setAllAssets();
    m_hurtowa->exec();
    // A list of deadlines, repairs or documents shows the new states.
    const QString list = m_main.currentList();
    if (list == QLatin1String("DBFTerminy"))
        m_main.SBTerminarzClick();
    else if (list == QLatin1String("DBFNaprawy"))
        m_main.SBNaprawyClick();
    else if (list == QLatin1String("DBFDokumenty"))
        m_main.SBDokumentyClick();
}

void Reminders::subMenuHurtowadeaktywacjaClick()
{
    const QString list = m_main.currentList();
    const struct
    {
        const char* list;
        const char* kind;
        const char* key;
    } assets[] = {{"DBFKomputery", "K", "IDKOMPUTERA"},
                  {"DBFSprzet", "S", "IDSPRZETU"},
                  {"DBFLicencje", "L", "IDLICENCJI"}};
    for (const auto& a : assets) {
        if (list != QLatin1String(a.list))
            continue;
        ListModel* model = m_main.listModel(list);
        if (!model || model->isEmpty() || model->currentRow() < 0)
            return;
        qint64 key = 0;
        QString nrewid;
        if (!guarded(0, [&] {
                key = model->integer(QLatin1String(a.key));
                nrewid = model->text(QStringLiteral("NREWID"));
            }))
            return;
        m_hurtowa->setAsset(QLatin1String(a.kind), key, nrewid);
        m_hurtowa->exec();
        return;
    }
}

void Reminders::Poradadnia1Click()
{
    m_porada->showTip();
}
