#include "editors/ComputerTabs.h"

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "editors/AttachmentActions.h"
#include "editors/SoftwareInstall.h"
#include "editors/SubList.h"
#include "editors/SubRecordActions.h"
#include "editors/TfDokumenty.h"
#include "editors/TfHistoria.h"
#include "editors/TfNaprawy.h"
#include "editors/TfTerminy.h"
#include "editors/TfUzytkownicy.h"
#include "editors/TfUzywajacy.h"
#include "editors/TfZalaczniki.h"
#include "store/AppState.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/RowGone.h"
#include "store/TmyDataBase.h"
#include "widgets/ConfirmDelete.h"
#include "widgets/DataGrid.h"
#include "widgets/ReadOnlySwitch.h"
#include "widgets/TVXGridStorage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
GridColumn text(const char* field, const QString& title, int width)
{
    return GridColumn{QLatin1String(field), title, width, ColumnFormat::Text};
}
GridColumn date(const char* field, const QString& title)
{
    return GridColumn{QLatin1String(field), title, 80, ColumnFormat::Date};
}
GridColumn amount(const char* field, const QString& title)
{
    return GridColumn{QLatin1String(field), title, 80, ColumnFormat::Amount};
}

const QString kPodgladHint = QStringLiteral("Podgląd danych");
const QString kDodajHint = QStringLiteral("Dodaj nową pozycję");
const QString kEdytujHint = QStringLiteral("Edytuj wskazaną pozycję");
const QString kUsunHint = QStringLiteral("Usuń wskazaną pozycję");
const QString kDrukujHint = QStringLiteral("Drukuj wskazaną pozycję");

// Read and write rights of the list tabs; -1 where there is none.
struct TabRights
{
    int read;
    int write;
};
TabRights rightsOf(AssetEditor::Tab tab)
{
    switch (tab) {
    case AssetEditor::Terminy:
        return {7, 8};
    case AssetEditor::Zalaczniki:
        return {28, 29};
    case AssetEditor::Naprawy:
        return {9, 10};
    case AssetEditor::Dokumenty:
        return {16, 17};
    case AssetEditor::Historia:
        return {18, 19};
    case AssetEditor::Oprogramowanie:
        return {3, 4};
    case AssetEditor::Sprzet:
        return {5, -1};
    default:
        return {-1, -1}; // users: part of the computer itself
    }
}
} // namespace

ComputerTabs::ComputerTabs(TmyDataBase& db, AssetEditor& editor, QTabWidget* tabs)
    : QObject(&editor), m_db(db), m_editor(editor), m_tabs(tabs), m_kind(editor.kind()),
      m_computer(editor.kind() == QLatin1String("K"))
{
    using T = AssetEditor;
    SubList* users = makeList(
        T::Uzytkownicy, QStringLiteral("Użytkownicy"),
        m_computer ? QStringLiteral("DBFUzytkownicy") : QStringLiteral("DBFUzywajacy"),
        {text("NREW", QStringLiteral("Nr ewid."), 70), text("PRACOWNIK", QStringLiteral("Nazwisko"), 180),
         text("NIP", QStringLiteral("NIP"), 90), text("DZIAL", QStringLiteral("Dział"), 110),
         text("STANOWISKO", QStringLiteral("Stanowisko"), 110),
         text("NRPOKOJU", QStringLiteral("Nr pokoju"), 70)});
    users->addButton(SubList::Preview, QStringLiteral("UzytkownicyPodglad"), QStringLiteral("Podgląd"),
                     kPodgladHint);
    users->addButton(SubList::Add, QStringLiteral("UzytkownicyDodaj"), QStringLiteral("Dodaj"), kDodajHint);
    users->addButton(SubList::Edit, QStringLiteral("UzytkownicyEdytuj"), QStringLiteral("Edytuj"),
                     kEdytujHint);
    users->addButton(SubList::Remove, QStringLiteral("UzytkownicyUsun"), QStringLiteral("Usuń"), kUsunHint);
    auto* toHistory = new QPushButton(QStringLiteral("Dodaj do historii"), users->grid()->parentWidget());
    toHistory->setObjectName(QStringLiteral("UzytkownicyHistoria"));
    toHistory->setToolTip(QStringLiteral("Dodaj zaznaczonego pracownika do historii"));
    toHistory->setAutoDefault(false);
    connect(toHistory, &QPushButton::clicked, this, &ComputerTabs::userToHistory);
    users->addButton(SubList::Print, QStringLiteral("UzytkownicyDrukuj"), QStringLiteral("Drukuj"),
                     kDrukujHint);
    addStandardControls(users, QString(), false);
    users->setAction(SubList::Preview, [this] { userPreview(); });
    users->setAction(SubList::Add, [this] { userAdd(); });
    users->setAction(SubList::Edit, [this] { userEdit(); });
    users->setAction(SubList::Remove, [this] { userRemove(); });
    users->setAction(SubList::Print, [this] { userPrint(); });
    if (m_computer)
        makeComputerLists();
    makeRecordLists();
    finish();
}

void ComputerTabs::makeComputerLists()
{
    using T = AssetEditor;
    SubList* licences =
        makeList(T::Oprogramowanie, QStringLiteral("Oprogramowanie"), QStringLiteral("DBFLicKomp"),
                 {text("NRLICENCJI", QStringLiteral("Nr licencji"), 150),
                  text("NAZWA", QStringLiteral("Nazwa"), 250), text("WERSJA", QStringLiteral("Wersja"), 90)});
    licences->addButton(SubList::Add, QStringLiteral("OprogramowanieDodaj"), QStringLiteral("Dodaj"),
                        kDodajHint);
    licences->addButton(SubList::Remove, QStringLiteral("OprogramowanieUsun"), QStringLiteral("Usuń"),
                        kUsunHint);
    licences->addMenuItem(SubList::Add, QStringLiteral("OprogramowanieDodajPozycje"),
                          QStringLiteral("Dodaj pozycję"), QKeySequence(Qt::Key_Insert));
    licences->addMenuItem(SubList::Remove, QStringLiteral("OprogramowanieUsunPozycje"),
                          QStringLiteral("Usuń pozycję"), QKeySequence(Qt::Key_Delete));
    licences->setActivateAction(SubList::ActionCount); // the licence grid reacts to Esc only
    m_install = new SoftwareInstall(m_db, licences, &m_editor);
    licences->setAction(SubList::Add, [this] { m_install->run(m_key); });
    licences->setAction(SubList::Remove, [this] { licenceRemove(); });

    SubList* equipment = makeList(T::Sprzet, QStringLiteral("Sprzęt"), QStringLiteral("DBFSprzet"),
                                  {text("NREWID", QStringLiteral("Nr ewid."), 90),
                                   text("NAZWA", QStringLiteral("Nazwa sprzętu"), 200),
                                   text("PRODUCENT", QStringLiteral("Producent"), 130),
                                   text("NRSERYJNY", QStringLiteral("Nr seryjny"), 120)});
    equipment->addButton(SubList::Preview, QStringLiteral("SprzetPodglad"), QStringLiteral("Podgląd"),
                         kPodgladHint);
    equipment->addButton(SubList::Print, QStringLiteral("SprzetDrukuj"), QStringLiteral("Drukuj"),
                         kDrukujHint);
    equipment->setActivateAction(SubList::Preview);
    equipment->setAction(SubList::Preview, [this, equipment] {
        if (equipment->hasRow() && m_editor.hooks().previewEquipment) {
            m_editor.hooks().previewEquipment(equipment->integer(QStringLiteral("IDSPRZETU")));
            m_editor.restoreClassifier();
        }
    });
    equipment->setAction(SubList::Print, [this, equipment] {
        if (equipment->hasRow() && m_editor.hooks().printEquipment) {
            m_editor.hooks().printEquipment(equipment->integer(QStringLiteral("IDSPRZETU")));
            m_editor.restoreClassifier();
        }
    });
}

void ComputerTabs::makeRecordLists()
{
    using T = AssetEditor;

    const QString akt = QStringLiteral("Akt?");
    SubList* deadlines =
        makeList(T::Terminy, QStringLiteral("Terminy"), QStringLiteral("DBFTerminy"),
                 {text("ACT", akt, 40), text("KLASYFIKATOR_O", QStringLiteral("Rodzaj terminu"), 150),
                  date("DATAOD", QStringLiteral("Data od")), date("DATADO", QStringLiteral("Data do")),
                  text("OPIS", QStringLiteral("Opis"), 250)});
    addStandardControls(deadlines, QStringLiteral("Terminy"), false);
    SubList* repairs = makeList(
        T::Naprawy, QStringLiteral("Naprawy"), QStringLiteral("DBFNaprawy"),
        {text("ACT", akt, 40), date("TERMIN", QStringLiteral("Termin")),
         text("OPIS", QStringLiteral("Opis"), 200), date("DATANAPRAWY", QStringLiteral("Data napr.")),
         amount("NETTO", QStringLiteral("Netto")), amount("VAT", QStringLiteral("Vat")),
         amount("BRUTTO", QStringLiteral("Brutto")), text("INNE", QStringLiteral("Inne"), 150)});
    addStandardControls(repairs, QStringLiteral("Naprawy"), false);
    SubList* documents = makeList(
        T::Dokumenty, QStringLiteral("Dokumenty"), QStringLiteral("DBFDokumenty"),
        {text("ACT", akt, 40), text("NUMER", QStringLiteral("Numer dokumentu"), 120),
         date("DATADOK", QStringLiteral("Data")), text("NAZWA", QStringLiteral("Nazwa dokumentu"), 180),
         date("TERMIN", QStringLiteral("Termin")), text("OPIS", QStringLiteral("Rodzaj dokumentu"), 130),
         text("INNE", QStringLiteral("Inne"), 150)});
    addStandardControls(documents, QStringLiteral("Dokumenty"), false);
    SubList* history =
        makeList(T::Historia, QStringLiteral("Historia"), QStringLiteral("DBFHistoria"),
                 {text("PRACOWNIK", QStringLiteral("Osoba użytkująca"), 180),
                  date("DATAOD", QStringLiteral("Data od")), date("DATADO", QStringLiteral("Data do")),
                  text("MIEJSCE", QStringLiteral("Miejsce użytkowania"), 180),
                  text("INNE", QStringLiteral("Inne"), 150)});
    addStandardControls(history, QStringLiteral("Historia"), false);
    SubList* attachments = makeList(
        T::Zalaczniki, QStringLiteral("Załączniki"), QStringLiteral("DBFZalaczniki"),
        {date("DATADODANIA", QStringLiteral("Dodano")),
         text("NAZWAZALACZNIKA", QStringLiteral("Nazwa załącznika"), 180),
         text("RDZAL_O", QStringLiteral("Rodzaj załącznika"), 130),
         text("NAZWAPLIKU", QStringLiteral("Nazwa pliku"), 160), text("INNE", QStringLiteral("Inne"), 150)});
    addStandardControls(attachments, QStringLiteral("Zalaczniki"), true);
}

void ComputerTabs::finish()
{
    for (int t = AssetEditor::Uzytkownicy; t < AssetEditor::TabCount; ++t)
        if (m_lists[t])
            placeButtons(m_lists[t]);
    // Column widths kept between runs, under the grids' names in the layout store.
    // The computer's under "COMP_", the equipment's under "SPRZ_".
    using T = AssetEditor;
    const std::pair<T::Tab, const char*> gridNames[] = {
        {T::Uzytkownicy, m_computer ? "uzytkownicyGrid" : "uzywajacyGrid"},
        {T::Terminy, "terminyGrid"},
        {T::Oprogramowanie, "licKompGrid"},
        {T::Sprzet, "DBSprzetGrid"},
        {T::Naprawy, "NaprawyGrid"},
        {T::Dokumenty, "DokumentyGrid"},
        {T::Historia, "historiaGrid"},
        {T::Zalaczniki, "zalacznikiGrid"}};
    const QString prefix = m_computer ? QStringLiteral("COMP_") : QStringLiteral("SPRZ_");
    for (const auto& [tab, name] : gridNames)
        if (m_lists[tab])
            TVXGridStorage::registerDBGrid(m_lists[tab]->grid(), prefix + QLatin1String(name));
    m_userDialog = m_computer ? new TfUzytkownicy(&m_editor) : new TfUzywajacy(&m_editor);
    m_userDialog->bindEmployees(&m_db);
    makeSubRecordActions();
}

void ComputerTabs::makeSubRecordActions()
{
    using T = AssetEditor;
    const auto dictionary = [this] { return m_editor.dictionaryEditor(); };
    const auto printer = [this](const QString& title, const QString& text) {
        if (m_editor.hooks().printRecord)
            m_editor.hooks().printRecord(title, text);
    };
    const std::array<std::pair<T::Tab, SubRecordDialog*>, 4> dialogs = {
        std::pair<T::Tab, SubRecordDialog*>{T::Terminy, new TfTerminy(m_db, &m_editor)},
        {T::Naprawy, new TfNaprawy(m_db, &m_editor)},
        {T::Dokumenty, new TfDokumenty(m_db, &m_editor)},
        {T::Historia, new TfHistoria(m_db, &m_editor)}};
    for (size_t i = 0; i < dialogs.size(); ++i) {
        const auto [tab, dialog] = dialogs[i];
        dialog->setDictionaryEditor(dictionary);
        auto* actions = new SubRecordActions(m_db, SubRecordActions::Kind(i), m_lists[tab], dialog, this);
        actions->setRestoreClassifier([this] { m_editor.restoreClassifier(); });
        actions->setPrinter(printer);
        m_subRecords[i] = actions;
    }
    m_subRecords[SubRecordActions::History]->setHistoryPrefill(
        [this](QString* nrew) { return m_editor.takeHistoryPrefill(nrew); });

    auto* attachmentDialog = new TfZalaczniki(m_db, &m_editor);
    attachmentDialog->setDictionaryEditor(dictionary);
    m_attachments = new AttachmentActions(m_db, m_lists[T::Zalaczniki], attachmentDialog, this);
    m_attachments->setPrinter(printer);
}

SubRecordActions* ComputerTabs::subRecords(AssetEditor::Tab tab) const
{
    switch (tab) {
    case AssetEditor::Terminy:
        return m_subRecords[SubRecordActions::Deadlines];
    case AssetEditor::Naprawy:
        return m_subRecords[SubRecordActions::Repairs];
    case AssetEditor::Dokumenty:
        return m_subRecords[SubRecordActions::Documents];
    case AssetEditor::Historia:
        return m_subRecords[SubRecordActions::History];
    default:
        return nullptr;
    }
}

SubList* ComputerTabs::makeList(AssetEditor::Tab tab, const QString& title, const QString& list,
                                QList<GridColumn> columns)
{
    auto* page = new QWidget(m_tabs);
    page->setObjectName(QStringLiteral("TS") + list.mid(3));
    auto* l = new SubList(m_db, list, std::move(columns), page);
    m_lists[tab] = l;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(l->grid(), 1);
    auto* bar = new QHBoxLayout;
    bar->setObjectName(QStringLiteral("bar"));
    layout->addLayout(bar);
    // Buttons created on the page later are placed by addStandardControls.
    m_tabs->addTab(page, title);
    return l;
}

void ComputerTabs::addStandardControls(SubList* l, const QString& prefix, bool withOpen)
{
    if (!prefix.isEmpty()) {
        l->addButton(SubList::Preview, prefix + QStringLiteral("Podglad"), QStringLiteral("Podgląd"),
                     kPodgladHint);
        l->addButton(SubList::Add, prefix + QStringLiteral("Dodaj"), QStringLiteral("Dodaj"), kDodajHint);
        l->addButton(SubList::Edit, prefix + QStringLiteral("Edytuj"), QStringLiteral("Edytuj"), kEdytujHint);
        l->addButton(SubList::Remove, prefix + QStringLiteral("Usun"), QStringLiteral("Usuń"), kUsunHint);
        l->addButton(SubList::Print, prefix + QStringLiteral("Drukuj"), QStringLiteral("Drukuj"),
                     kDrukujHint);
    }
    const QString p = prefix.isEmpty() ? QStringLiteral("Uzytkownicy") : prefix;
    l->addMenuItem(SubList::Preview, p + QStringLiteral("PodgladPozycji"), QStringLiteral("Podgląd"),
                   QKeySequence(Qt::CTRL | Qt::Key_O));
    l->addMenuItem(SubList::Add, p + QStringLiteral("DodajPozycje"), QStringLiteral("Dodaj pozycję"),
                   QKeySequence(Qt::Key_Insert));
    l->addMenuItem(SubList::Edit, p + QStringLiteral("EdytujPozycje"), QStringLiteral("Edytuj pozycję"),
                   QKeySequence(Qt::Key_F2));
    l->addMenuItem(SubList::Remove, p + QStringLiteral("UsunPozycje"), QStringLiteral("Usuń pozycję"),
                   QKeySequence(Qt::Key_Delete));
    l->addMenuItem(SubList::Print, p + QStringLiteral("DrukujPozycje"), QStringLiteral("Drukuj"),
                   QKeySequence(Qt::CTRL | Qt::Key_P));
    if (withOpen) {
        l->menu()->addSeparator();
        l->addMenuItem(SubList::Open, QStringLiteral("Otworzzalacznik1"), QStringLiteral("Otwórz załącznik"),
                       QKeySequence(Qt::CTRL | Qt::Key_V));
    }
}

void ComputerTabs::placeButtons(SubList* l)
{
    // The page's buttons in the order they were made.
    QWidget* page = l->grid()->parentWidget();
    auto* bar = page->findChild<QHBoxLayout*>(QStringLiteral("bar"));
    const QList<QPushButton*> buttons = page->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    for (QPushButton* b : buttons)
        bar->addWidget(b);
    bar->addStretch();
}

SubList* ComputerTabs::list(AssetEditor::Tab tab) const
{
    return tab >= 0 && tab < AssetEditor::TabCount ? m_lists[tab] : nullptr;
}

void ComputerTabs::setOwner(const QString& kind, qint64 key)
{
    m_kind = kind;
    m_key = key;
    for (auto tab : {AssetEditor::Uzytkownicy, AssetEditor::Oprogramowanie, AssetEditor::Sprzet})
        if (m_lists[tab])
            m_lists[tab]->setOwner(key);
    for (auto tab : {AssetEditor::Terminy, AssetEditor::Naprawy, AssetEditor::Dokumenty,
                     AssetEditor::Historia, AssetEditor::Zalaczniki})
        m_lists[tab]->setObject(kind, key);
    for (SubRecordActions* a : m_subRecords)
        a->setOwner(kind, key);
    m_attachments->setOwner(kind, key);
}

void ComputerTabs::reload(AssetEditor::Tab tab)
{
    if (SubList* l = list(tab))
        l->reload();
}

void ComputerTabs::applyRights(bool allTabs, bool editable)
{
    const AppState& app = AppState::instance();
    for (int t = AssetEditor::Uzytkownicy; t < AssetEditor::TabCount; ++t) {
        if (!m_lists[t])
            continue;
        const TabRights r = rightsOf(AssetEditor::Tab(t));
        m_tabs->setTabVisible(m_editor.indexOf(AssetEditor::Tab(t)),
                              allTabs && (r.read < 0 || app.has(r.read)));
        const bool canWrite = r.write < 0 ? r.read < 0 : app.has(r.write);
        m_lists[t]->setWritable(canWrite && editable);
    }
}

void ComputerTabs::setPreview(bool on)
{
    for (int t = AssetEditor::Uzytkownicy; t < AssetEditor::TabCount; ++t) {
        SubList* l = m_lists[t];
        if (!l)
            continue;
        for (SubList::Action a : {SubList::Preview, SubList::Print})
            if (QPushButton* b = l->button(a))
                b->setVisible(true);
        l->setWritable(!on);
    }
}

void ComputerTabs::fillUserDialog()
{
    SubList* users = m_lists[AssetEditor::Uzytkownicy];
    // Users of equipment have no login and password.
    const auto field = [&](const char* name) {
        return m_computer ? users->text(QLatin1String(name)) : QString();
    };
    m_userDialog->fillFrom(users->text(QStringLiteral("NREW")), field("LOGIN"), field("HASLO"),
                           users->text(QStringLiteral("OPIS")), users->text(QStringLiteral("INNE")));
}

void ComputerTabs::userAdd()
{
    SubList* users = m_lists[AssetEditor::Uzytkownicy];
    m_userDialog->refillEmployees();
    m_userDialog->clearFields();
    m_userDialog->lockEmployee(false);
    const QString key = QString::number(m_key);
    for (;;) {
        m_userDialog->exec();
        if (!m_userDialog->saved())
            return;
        const QString nrew = m_userDialog->employee();
        qint64 count = 0;
        const qint64 code = m_computer ? 2132 : 5532;
        bool ok = guarded(code, [&] {
            Statement& q = m_db.statement(m_computer ? QStringLiteral("DBFCountKompPrac")
                                                     : QStringLiteral("DBFCountSprzPrac"));
            q.close();
            q.setLine(1, key);
            q.setParam(0, nrew);
            q.open();
            count = q.integer(QStringLiteral("ILE"));
            q.close();
        });
        if (!ok)
            return;
        if (count > 0) {
            Dialogs::info(QStringLiteral("Uwaga"),
                          m_computer ? QStringLiteral("Wskazana osoba jest już przypisana do komputera.")
                                     : QStringLiteral("Wskazana osoba jest już przypisana do sprzętu."));
            continue;
        }
        ok = guardedWrite(m_db.DatabaseMain(), code, [&] {
            RowGone::unlessOwnerExists(m_db.DatabaseMain(),
                                       m_computer ? QStringLiteral("K") : QStringLiteral("S"), m_key);
            Statement& q = m_db.statement(m_computer ? QStringLiteral("DBFInsertKompPrac")
                                                     : QStringLiteral("DBFInsertSprzPrac"));
            q.clearParams();
            q.setLine(2, key);
            q.setParam(0, nrew);
            int p = 1;
            if (m_computer) {
                q.setParam(p++, m_userDialog->text(QStringLiteral("LOGIN")));
                q.setParam(p++, m_userDialog->text(QStringLiteral("HASLO")));
            }
            q.setParam(p++, m_userDialog->text(QStringLiteral("OPIS")));
            q.setParam(p, m_userDialog->text(QStringLiteral("INNE")));
            q.execSQL();
        });
        users->reload();
        if (ok)
            users->locate(QStringLiteral("NREW"), nrew);
        return;
    }
}

void ComputerTabs::userEdit()
{
    SubList* users = m_lists[AssetEditor::Uzytkownicy];
    if (!users->hasRow())
        return;
    QPushButton* edit = users->button(SubList::Edit);
    if (edit && (!edit->isEnabled() || m_editor.isPreview())) {
        userPreview();
        return;
    }
    const QString nrew = users->text(QStringLiteral("NREW"));
    m_userDialog->refillEmployees();
    fillUserDialog();
    m_userDialog->lockEmployee(true);
    m_userDialog->exec();
    m_userDialog->lockEmployee(false);
    if (!m_userDialog->saved())
        return;
    const bool ok = guarded(m_computer ? 3010 : 5510, [&] {
        Statement& q = m_db.statement(m_computer ? QStringLiteral("DBFUpdateKompPrac")
                                                 : QStringLiteral("DBFUpdateSprzPrac"));
        q.clearParams();
        int p = 0;
        if (m_computer) {
            q.setParam(p++, m_userDialog->text(QStringLiteral("LOGIN")));
            q.setParam(p++, m_userDialog->text(QStringLiteral("HASLO")));
        }
        q.setParam(p++, m_userDialog->text(QStringLiteral("OPIS")));
        q.setParam(p++, m_userDialog->text(QStringLiteral("INNE")));
        q.setParam(p, nrew);
        q.setLine(6, QString::number(m_key));
        RowGone::unlessChanged(q.execSQL());
    });
    users->reload();
    if (ok)
        users->locate(QStringLiteral("NREW"), nrew);
}

void ComputerTabs::userRemove()
{
    SubList* users = m_lists[AssetEditor::Uzytkownicy];
    if (!users->hasRow() || !ConfirmDelete::ask())
        return;
    const QString nrew = users->text(QStringLiteral("NREW"));
    guarded(m_computer ? 3016 : 5516, [&] {
        Statement& q = m_db.statement(m_computer ? QStringLiteral("DBFDeleteKompPrac")
                                                 : QStringLiteral("DBFDeleteSprzPrac"));
        q.clearParams();
        q.setLine(1, QString::number(m_key));
        q.setParam(0, nrew);
        q.execSQL();
    });
    users->reload();
}

void ComputerTabs::userPreview()
{
    if (!m_lists[AssetEditor::Uzytkownicy]->hasRow())
        return;
    m_userDialog->refillEmployees();
    fillUserDialog();
    m_userDialog->setReadOnly(true);
    m_userDialog->exec();
    m_userDialog->setReadOnly(false);
}

void ComputerTabs::userToHistory()
{
    SubList* users = m_lists[AssetEditor::Uzytkownicy];
    m_editor.setHistoryPrefill(users->text(QStringLiteral("NREW")));
    m_lists[AssetEditor::Historia]->trigger(SubList::Add);
}

void ComputerTabs::userPrint()
{
    if (!m_lists[AssetEditor::Uzytkownicy]->hasRow())
        return;
    m_userDialog->refillEmployees();
    fillUserDialog();
    QStringList lines = {QStringLiteral("Użytkownik: ") + m_userDialog->employeeText()};
    if (m_computer)
        lines << QStringLiteral("Login: ") + m_userDialog->text(QStringLiteral("LOGIN"))
              << QStringLiteral("Hasło: ") + m_userDialog->text(QStringLiteral("HASLO"));
    lines << QStringLiteral("Opis: ") + m_userDialog->text(QStringLiteral("OPIS"))
          << QStringLiteral("Inne: ") + m_userDialog->text(QStringLiteral("INNE"));
    if (m_editor.hooks().printRecord)
        m_editor.hooks().printRecord(QStringLiteral("Użytkownik"), lines.join(QChar(13)));
    m_editor.restoreClassifier();
}

void ComputerTabs::licenceRemove()
{
    SubList* licences = m_lists[AssetEditor::Oprogramowanie];
    if (!licences->hasRow() || !ConfirmDelete::ask())
        return;
    guarded(9526, [&] {
        Statement& q = m_db.statement(QStringLiteral("DBFDeleteLicKomp"));
        q.setLine(1, QString::number(licences->integer(QStringLiteral("IDPROGRAMU"))));
        q.setLine(3, QString::number(licences->integer(QStringLiteral("IDLICENCJI"))));
        q.setLine(5, QString::number(licences->integer(QStringLiteral("IDKOMPUTERA"))));
        q.execSQL();
    });
    licences->reload();
}
