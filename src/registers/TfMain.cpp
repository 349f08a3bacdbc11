#include "registers/TfMain.h"

#include "widgets/DataGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
// Sub-pages of the pages that hold a second page control.
struct SubPage
{
    const char* page;
    const char* stack;
    std::vector<std::pair<const char*, const char*>> pages; // sub-page, grid (empty: none)
};

const std::vector<SubPage>& subPages()
{
    static const std::vector<SubPage> list = {
        {"oprogramowanie", "oprogramowanieZakladki", {{"programy", "programyGrid"}, {"licencje", "LicencjeGrid"}}},
        {"Dodatkowe",
         "DodatkoweZakladki",
         {{"DodatkoweTerminarz", "terminyGrid"},
          {"DodatkoweNaprawy", "NaprawyGrid"},
          {"dodatkoweDokumenty", "DokumentyGrid"},
          {"DodatkoweHistoria", "historiaGrid"},
          {"DodatkoweZlecenia", "zleceniaGrid"},
          {"DodatkoweRozliczenia", "rozliczeniaGrid"},
          {"dodatkoweMagazyn", "magazynGrid"},
          {"DodatkoweZalaczniki", "zalacznikiGrid"}}},
        {"bhp", "bhpZakladki", {{"odziezSrodki", "BHPGrid"}, {"zakupBhp", "ZakupBhpGrid"}}},
        {"Slowniki",
         "SlZakladki",
         {{"SlStart", ""},
          {"slOsobowa", "osobowaGrid"},
          {"SlFirmy", "firmyGrid"},
          {"SlWlasciwosciKomp", ""},
          {"slWlasciwosciSprzet", ""},
          {"SlBiblioteka", ""},
          {"SlDaneFirmy", ""}}},
    };
    return list;
}

// Sub-buttons shown under their main button while its register is open.
const QHash<QString, QStringList>& subButtons()
{
    static const QHash<QString, QStringList> map = {
        {QStringLiteral("SBOprogramowanie"), {QStringLiteral("SBProgramy"), QStringLiteral("SBLicencje")}},
        {QStringLiteral("SBDodatkowe"),
         {QStringLiteral("SBTerminarz"), QStringLiteral("SBNaprawy"), QStringLiteral("SBDokumenty"),
          QStringLiteral("SBHistoria"), QStringLiteral("SBZlecenia"), QStringLiteral("SBRozliczenia"),
          QStringLiteral("SBMagazyn"), QStringLiteral("SBZalaczniki")}},
        {QStringLiteral("SBBHP"), {QStringLiteral("SBOdziezSrodki"), QStringLiteral("SBZakupBhp")}},
        {QStringLiteral("SBSlowniki"),
         {QStringLiteral("SBOsobowa"), QStringLiteral("SBFirmy"), QStringLiteral("SBWlKomp"), QStringLiteral("SBWlSprzet"),
          QStringLiteral("SBBiblioteka"), QStringLiteral("SBDaneFirmy")}},
    };
    return map;
}
} // namespace

TfMain::TfMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TfMain"));
    setWindowTitle(QStringLiteral("Sprzetnik "));
    resize(1100, 720);

    auto* central = new QWidget(this);
    auto* column = new QWidget(central);
    column->setObjectName(QStringLiteral("nawigacja"));
    column->setFixedWidth(190);
    buildNavigation(column);

    auto* right = new QWidget(central);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QStackedWidget(right);
    m_pages->setObjectName(QStringLiteral("zakladki"));
    buildPages();
    auto* toolbar = new QWidget(right);
    toolbar->setObjectName(QStringLiteral("Panel16"));
    buildToolbar(toolbar);
    auto* filters = new QWidget(right);
    filters->setObjectName(QStringLiteral("panelFiltry"));
    buildFilterBar(filters);
    rightLayout->addWidget(m_pages, 1);
    rightLayout->addWidget(toolbar);
    rightLayout->addWidget(filters);

    auto* layout = new QHBoxLayout(central);
    layout->addWidget(column);
    layout->addWidget(right, 1);
    setCentralWidget(central);

    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("statusPanel") + QString::number(i));
        m_statusPanels << panel;
        statusBar()->addWidget(panel, i == 2 ? 1 : 0);
    }
    buildMenus();
    toolbarState(false, false);
    SBStartClick();
}

QPushButton* TfMain::addNavButton(const QString& name, const QString& caption, void (TfMain::*slot)())
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("text-align: left; padding: 4px;"));
    connect(button, &QPushButton::clicked, this, slot);
    m_nav.insert(name, button);
    return button;
}

void TfMain::buildNavigation(QWidget* column)
{
    auto* layout = new QVBoxLayout(column);
    layout->setSpacing(1);
    const struct
    {
        const char* name;
        const char* caption;
        void (TfMain::*slot)();
        bool sub;
    } buttons[] = {
        {"SBStart", "Start", &TfMain::SBStartClick, false},
        {"SBKomputery", "Komputery", &TfMain::SBKomputeryClick, false},
        {"SBOprogramowanie", "Oprogramowanie", &TfMain::SBOprogramowanieClick, false},
        {"SBProgramy", " Programy", &TfMain::SBProgramyClick, true},
        {"SBLicencje", " Licencje", &TfMain::SBLicencjeClick, true},
        {"SBSprzet", "Inny sprzęt", &TfMain::SBSprzetClick, false},
        {"SBDodatkowe", "Dodatkowe", &TfMain::SBDodatkoweClick, false},
        {"SBTerminarz", "Terminarz", &TfMain::SBTerminarzClick, true},
        {"SBNaprawy", " Naprawy", &TfMain::SBNaprawyClick, true},
        {"SBDokumenty", "Dokumenty", &TfMain::SBDokumentyClick, true},
        {"SBHistoria", "Historia użytkowania", &TfMain::SBHistoriaClick, true},
        {"SBZlecenia", " Rejestr zleceń", &TfMain::SBZleceniaClick, true},
        {"SBRozliczenia", " Rejestr rozliczeń", &TfMain::SBRozliczeniaClick, true},
        {"SBMagazyn", " Magazyn zasobów", &TfMain::SBMagazynClick, true},
        {"SBZalaczniki", "Załączniki", &TfMain::SBZalacznikiClick, true},
        {"SBBHP", "Środki BHP", &TfMain::SBBHPClick, false},
        {"SBOdziezSrodki", "Odzież i środki", &TfMain::SBOdziezSrodkiClick, true},
        {"SBZakupBhp", "Rejestr zakupów", &TfMain::SBZakupBhpClick, true},
        {"SBSlowniki", "Słowniki", &TfMain::SBSlownikiClick, false},
        {"SBOsobowa", "Kartoteka osobowa", &TfMain::SBOsobowaClick, true},
        {"SBFirmy", "Katalog firm", &TfMain::SBFirmyClick, true},
        {"SBWlKomp", "Właściwości komp.", &TfMain::SBWlKompClick, true},
        {"SBWlSprzet", "Właściwości sprzęt", &TfMain::SBWlSprzetClick, true},
        {"SBBiblioteka", "Biblioteka", &TfMain::SBBibliotekaClick, true},
        {"SBDaneFirmy", "Nasza firma", &TfMain::SBDaneFirmyClick, true},
        {"SBRaporty", "Raporty", &TfMain::SBRaportyClick, false},
    };
    for (const auto& b : buttons) {
        QPushButton* button = addNavButton(QLatin1String(b.name), QString::fromUtf8(b.caption), b.slot);
        if (b.sub)
            button->setContentsMargins(16, 0, 0, 0);
        layout->addWidget(button);
    }
    layout->addStretch();
}

QWidget* TfMain::makeGridPage(const QString& pageName, const QString& gridName)
{
    auto* page = new QWidget;
    page->setObjectName(pageName);
    m_pageByName.insert(pageName, page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!gridName.isEmpty()) {
        auto* grid = new DataGrid(page);
        grid->setObjectName(gridName);
        m_grids.insert(gridName, grid);
        layout->addWidget(grid);
    }
    return page;
}

void TfMain::buildPages()
{
    // Start page: the program title and the scratch pad.
    auto* start = new QWidget;
    start->setObjectName(QStringLiteral("start"));
    m_pageByName.insert(QStringLiteral("start"), start);
    auto* title = new QLabel(QStringLiteral("Sprzetnik"), start);
    title->setObjectName(QStringLiteral("tytul"));
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 2.4);
    font.setBold(true);
    title->setFont(font);
    auto* subtitle = new QLabel(QStringLiteral("Ewidencja sprzętu, oprogramowania i wyposażenia"), start);
    m_scratchPad = new QPlainTextEdit(start);
    m_scratchPad->setObjectName(QStringLiteral("podrecznyNotatnik"));
    auto* startLayout = new QVBoxLayout(start);
    startLayout->addWidget(title);
    startLayout->addWidget(subtitle);
    startLayout->addWidget(new QLabel(QStringLiteral("Podręczny notatnik:"), start));
    startLayout->addWidget(m_scratchPad, 1);
    m_pages->addWidget(start);

    m_pages->addWidget(makeGridPage(QStringLiteral("komputery"), QStringLiteral("KomputeryGrid")));
    m_pages->addWidget(makeGridPage(QStringLiteral("sprzet"), QStringLiteral("SprzetGrid")));
    for (const SubPage& sp : subPages()) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(sp.page));
        m_pageByName.insert(QLatin1String(sp.page), page);
        auto* stack = new QStackedWidget(page);
        stack->setObjectName(QLatin1String(sp.stack));
        m_subStacks.insert(QLatin1String(sp.page), stack);
        for (const auto& [sub, grid] : sp.pages) {
            QWidget* subPage = makeGridPage(QLatin1String(sub), QLatin1String(grid));
            if (QLatin1String(sub) == QLatin1String("SlStart")) {
                auto* label = new QLabel(QStringLiteral("Aby edytować słownik kliknij właściwą ikonę po lewo"), subPage);
                label->setAlignment(Qt::AlignCenter);
                subPage->layout()->addWidget(label);
            }
            stack->addWidget(subPage);
        }
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(stack);
        m_pages->addWidget(page);
    }
    auto* reports = new QWidget;
    reports->setObjectName(QStringLiteral("Raporty"));
    m_pageByName.insert(QStringLiteral("Raporty"), reports);
    m_pages->addWidget(reports);
}

void TfMain::buildToolbar(QWidget* panel)
{
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    const struct
    {
        const char* name;
        const char* caption;
        const char* hint;
        bool right;
    } buttons[] = {
        {"SBPodglad", "Podgląd", "Podgląd danych", false},
        {"SBDodaj", "Dodaj", "Dodaj nową pozycję", false},
        {"SBEdytuj", "Edytuj", "Edytuj wskazaną pozycję", false},
        {"SBUsun", "Usuń", "Usuń wskazaną pozycję", false},
        {"SBKopiuj", "Kopiuj", "Stwórz kopię zaznaczonej pozycji", false},
        {"SBSzukaj", "Szukaj", "Szukaj informacji w powyższej tabeli", false},
        {"SBCSV", "do CSV", "Zapisz tabelę do arkusza CSV", false},
        {"SBDrukuj", "Drukuj", "Drukuj wskazaną pozycję", false},
        {"SBFiszka", "Fiszka", "Fiszka z notatkami tymczasowymi", true},
        {"SBSumy", "Przelicz sumy", "Sumuj kolumny tabeli", true},
    };
    bool stretched = false;
    for (const auto& b : buttons) {
        if (b.right && !stretched) {
            layout->addStretch();
            stretched = true;
        }
        auto* button = new QPushButton(QString::fromUtf8(b.caption), panel);
        button->setObjectName(QLatin1String(b.name));
        button->setToolTip(QString::fromUtf8(b.hint));
        m_nav.insert(QLatin1String(b.name), button);
        layout->addWidget(button);
    }
}

void TfMain::buildFilterBar(QWidget* panel)
{
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 0, 2, 2);
    auto* archive = new QWidget(panel);
    archive->setObjectName(QStringLiteral("ArchiwumFiltrPanel"));
    auto* archiveLayout = new QHBoxLayout(archive);
    archiveLayout->setContentsMargins(0, 0, 0, 0);
    archiveLayout->addWidget(new QLabel(QStringLiteral("Pokaż:"), archive));
    auto* pokaz = new QComboBox(archive);
    pokaz->setObjectName(QStringLiteral("CBPokazElementy"));
    pokaz->addItems({QStringLiteral("Tylko bieżące rekordy"), QStringLiteral("Tylko zlikwidowane rekordy")});
    archiveLayout->addWidget(pokaz);

    auto* classifier = new QWidget(panel);
    classifier->setObjectName(QStringLiteral("klasyfikatorFiltr"));
    auto* classifierLayout = new QHBoxLayout(classifier);
    classifierLayout->setContentsMargins(0, 0, 0, 0);
    auto* use = new QCheckBox(classifier);
    use->setObjectName(QStringLiteral("filtrUseKlasywikator"));
    auto* lookup = new QComboBox(classifier);
    lookup->setObjectName(QStringLiteral("filtrIDKlasyfikator"));
    lookup->setToolTip(QStringLiteral("Filtruj wg wskazanego klasyfikatora"));
    lookup->setMinimumWidth(160);
    classifierLayout->addWidget(use);
    classifierLayout->addWidget(lookup);

    auto* active = new QWidget(panel);
    active->setObjectName(QStringLiteral("TylkoAktywneFiltrPanel"));
    auto* activeLayout = new QHBoxLayout(active);
    activeLayout->setContentsMargins(0, 0, 0, 0);
    auto* onlyActive = new QCheckBox(QStringLiteral("Tylko aktywne"), active);
    onlyActive->setObjectName(QStringLiteral("filtrTylkoAct"));
    activeLayout->addWidget(onlyActive);

    auto* dates = new QWidget(panel);
    dates->setObjectName(QStringLiteral("filtrData"));
    auto* datesLayout = new QHBoxLayout(dates);
    datesLayout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Data zakupu:"), dates);
    label->setObjectName(QStringLiteral("filtrDataLab"));
    datesLayout->addWidget(label);
    const QString sep = QString(TmyDataBase::dateSeparator());
    const QString mask = QStringLiteral("99") + sep + QStringLiteral("99") + sep + QStringLiteral("9999;_");
    for (const char* name : {"filtrOd", "filtrDo"}) {
        auto* edit = new QLineEdit(dates);
        edit->setObjectName(QLatin1String(name));
        edit->setInputMask(mask);
        edit->setToolTip(QStringLiteral("Dane z okresu (od-do). Wybór zatwierdź klawiszem ENTER"));
        edit->setFixedWidth(96);
        datesLayout->addWidget(edit);
        auto* picker = new QToolButton(dates);
        picker->setObjectName(QLatin1String(name) == QLatin1String("filtrOd") ? QStringLiteral("DTPFiltrOd")
                                                                              : QStringLiteral("DTPFiltrDo"));
        picker->setText(QStringLiteral("▾"));
        picker->setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
        datesLayout->addWidget(picker);
        if (QLatin1String(name) == QLatin1String("filtrOd"))
            datesLayout->addWidget(new QLabel(QStringLiteral(" - "), dates));
    }
    layout->addWidget(archive);
    layout->addWidget(classifier);
    layout->addWidget(active);
    layout->addStretch();
    layout->addWidget(dates);
    archive->hide();
    classifier->hide();
    active->hide();
}

QAction* TfMain::addMenuAction(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key,
                               void (TfMain::*slot)())
{
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!key.isEmpty())
        action->setShortcut(key);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    m_actions.insert(name, action);
    return action;
}

void TfMain::buildMenus()
{
    QMenu* plik = menuBar()->addMenu(QStringLiteral("&Plik"));
    addMenuAction(plik, QStringLiteral("Wyloguj"), QStringLiteral("Wyloguj się..."), {});
    plik->addSeparator();
    addMenuAction(plik, QStringLiteral("Zakoncz"), QStringLiteral("Zakończ"), QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(m_actions.value(QStringLiteral("Wyloguj")), &QAction::triggered, this, [this] {
        if (m_shell.logout)
            m_shell.logout();
    });
    connect(m_actions.value(QStringLiteral("Zakoncz")), &QAction::triggered, this, &QWidget::close);

    QMenu* edycja = menuBar()->addMenu(QStringLiteral("&Edycja"));
    addMenuAction(edycja, QStringLiteral("MPodglad"), QStringLiteral("Podgląd"), {});
    addMenuAction(edycja, QStringLiteral("MDodaj"), QStringLiteral("Dodaj"), {});
    addMenuAction(edycja, QStringLiteral("MEdytuj"), QStringLiteral("Edytuj"), {});
    addMenuAction(edycja, QStringLiteral("MKasuj"), QStringLiteral("Kasuj"), {});
    addMenuAction(edycja, QStringLiteral("MKopiuj"), QStringLiteral("Kopiuj"), {});
    addMenuAction(edycja, QStringLiteral("MCSV"), QStringLiteral("Zapisz do CSV"), {});
    addMenuAction(edycja, QStringLiteral("MDrukuj"), QStringLiteral("Drukuj"), {});
    addMenuAction(edycja, QStringLiteral("Likwiduj2"), QStringLiteral("Likwiduj wybrany element"), {});
    addMenuAction(edycja, QStringLiteral("MSzukaj"), QStringLiteral("Szukaj"), QKeySequence(Qt::CTRL | Qt::Key_F));

    QMenu* widok = menuBar()->addMenu(QStringLiteral("&Widok"));
    const auto ctrl = [](int f) { return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + f - 1)); };
    const auto shiftCtrl = [](int f) { return QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key(Qt::Key_F1 + f - 1)); };
    addMenuAction(widok, QStringLiteral("MWstep"), QStringLiteral("Wstęp"), ctrl(1), &TfMain::SBStartClick);
    addMenuAction(widok, QStringLiteral("MKomputery"), QStringLiteral("Komputery"), ctrl(2), &TfMain::SBKomputeryClick);
    QMenu* oprog = widok->addMenu(QStringLiteral("Oprogramowanie"));
    oprog->menuAction()->setObjectName(QStringLiteral("MOprogramowanie"));
    m_actions.insert(QStringLiteral("MOprogramowanie"), oprog->menuAction());
    addMenuAction(oprog, QStringLiteral("MProgramy"), QStringLiteral("Porgramy"), ctrl(3), &TfMain::SBProgramyClick);
    addMenuAction(oprog, QStringLiteral("MLicencje"), QStringLiteral("Licencje"), ctrl(4), &TfMain::SBLicencjeClick);
    addMenuAction(widok, QStringLiteral("MSprzet"), QStringLiteral("Inny sprzęt"), ctrl(5), &TfMain::SBSprzetClick);
    QMenu* dodatkowe = widok->addMenu(QStringLiteral("Dodatkowe ..."));
    dodatkowe->menuAction()->setObjectName(QStringLiteral("MDodatkowe"));
    m_actions.insert(QStringLiteral("MDodatkowe"), dodatkowe->menuAction());
    addMenuAction(dodatkowe, QStringLiteral("MTerminarz"), QStringLiteral("Terminarz"), ctrl(6), &TfMain::SBTerminarzClick);
    addMenuAction(dodatkowe, QStringLiteral("MNaprawy"), QStringLiteral("Naprawy"), ctrl(7), &TfMain::SBNaprawyClick);
    addMenuAction(dodatkowe, QStringLiteral("MDokumenty"), QStringLiteral("Dokumenty"), ctrl(8), &TfMain::SBDokumentyClick);
    addMenuAction(dodatkowe, QStringLiteral("MHistoria"), QStringLiteral("Historia użytkowania"), ctrl(9),
                  &TfMain::SBHistoriaClick);
    addMenuAction(dodatkowe, QStringLiteral("MZlecenia"), QStringLiteral("Rejestr zleceń"), ctrl(10),
                  &TfMain::SBZleceniaClick);
    addMenuAction(dodatkowe, QStringLiteral("MRozliczenia"), QStringLiteral("Rejestr rozliczeń"), ctrl(11),
                  &TfMain::SBRozliczeniaClick);
    addMenuAction(dodatkowe, QStringLiteral("MMagazyn"), QStringLiteral("Magazyn"), ctrl(12), &TfMain::SBMagazynClick);
    addMenuAction(dodatkowe, QStringLiteral("MZalaczniki"), QStringLiteral("Załączniki"), {}, &TfMain::SBZalacznikiClick);
    QMenu* bhp = widok->addMenu(QStringLiteral("Odzież i środki BHP"));
    bhp->menuAction()->setObjectName(QStringLiteral("MBHP"));
    m_actions.insert(QStringLiteral("MBHP"), bhp->menuAction());
    addMenuAction(bhp, QStringLiteral("MOdziezSrodki"), QStringLiteral("Odzież i środki"), {}, &TfMain::SBOdziezSrodkiClick);
    addMenuAction(bhp, QStringLiteral("MZakupBhp"), QStringLiteral("Koszty zakupu środków BHP"), {},
                  &TfMain::SBZakupBhpClick);
    widok->addSeparator();
    addMenuAction(widok, QStringLiteral("MBiblioteka"), QStringLiteral("Biblioteka"), shiftCtrl(1),
                  &TfMain::SBBibliotekaClick);
    addMenuAction(widok, QStringLiteral("MWlKomp"), QStringLiteral("Właściwości komputerów"), shiftCtrl(2),
                  &TfMain::SBWlKompClick);
    addMenuAction(widok, QStringLiteral("MWlSprzet"), QStringLiteral("Właściwości sprzętu"), shiftCtrl(3),
                  &TfMain::SBWlSprzetClick);
    addMenuAction(widok, QStringLiteral("MDaneFirmy"), QStringLiteral("Nasza firma"), shiftCtrl(4),
                  &TfMain::SBDaneFirmyClick);
    addMenuAction(widok, QStringLiteral("MFirmy"), QStringLiteral("Katalog firm"), shiftCtrl(5), &TfMain::SBFirmyClick);
    addMenuAction(widok, QStringLiteral("MOsobowa"), QStringLiteral("Kartoteka osobowa"), shiftCtrl(6),
                  &TfMain::SBOsobowaClick);
    widok->addSeparator();
    const char* reports[] = {"Raporty ogólne",        "Raporty finansowe",      "Protokół przyjęcia",
                             "Protokół wydania",      "Protokół likwidacji",    "Raporty wg lokalizacji",
                             "Raporty wg pracowników", "Raporty BHP i inne"};
    int n = 0;
    for (const char* caption : reports)
        addMenuAction(widok, QStringLiteral("MRaporty") + QString::number(n++), QString::fromUtf8(caption), {},
                      &TfMain::SBRaportyClick);

    QMenu* narzedzia = menuBar()->addMenu(QStringLiteral("&Narzędzia"));
    addMenuAction(narzedzia, QStringLiteral("MSlowniki"), QStringLiteral("Słowniki"), {}, &TfMain::SBSlownikiClick);
    addMenuAction(narzedzia, QStringLiteral("Notatnik1"), QStringLiteral("Notatnik"), {});
    addMenuAction(narzedzia, QStringLiteral("MSprawdzTerminy"), QStringLiteral("Sprawdź terminy"), {});
    addMenuAction(narzedzia, QStringLiteral("MHurtowaDeaktywacja"), QStringLiteral("Hurtowa dezaktywacja terminów"), {});
    addMenuAction(narzedzia, QStringLiteral("MSprawdzBhp"), QStringLiteral("Sprawdz zapotrzebowanie na BHP"), {});
    addMenuAction(narzedzia, QStringLiteral("MSprawdzMagazyn"), QStringLiteral("Sprawdź stany magazynowe"), {});
    narzedzia->addSeparator();
    addMenuAction(narzedzia, QStringLiteral("zmianaOdpowiedzialnej"), QStringLiteral("Zmień hurtowo osobę odpowiedzialną"),
                  {});
    addMenuAction(narzedzia, QStringLiteral("MImportPracownikow"), QStringLiteral("Importuj pracowników"), {});
    addMenuAction(narzedzia, QStringLiteral("Przywrszerokotabel1"), QStringLiteral("Przywróć domyślne szerokości tabel"),
                  {});
    narzedzia->addSeparator();
    addMenuAction(narzedzia, QStringLiteral("MOpcje"), QStringLiteral("Opcje"), {});

    QMenu* admin = menuBar()->addMenu(QStringLiteral("&Administracja"));
    admin->menuAction()->setObjectName(QStringLiteral("MAdministracja"));
    m_actions.insert(QStringLiteral("MAdministracja"), admin->menuAction());
    addMenuAction(admin, QStringLiteral("MUzytkownicy"), QStringLiteral("Zarządzanie użytkownikami"), {});
    addMenuAction(admin, QStringLiteral("MArchiwizacja"), QStringLiteral("Archiwizacja bazy danych"), {});
    addMenuAction(admin, QStringLiteral("MAdministracjaBaza"), QStringLiteral("Administracja bazą danych"), {});

    QMenu* pomoc = menuBar()->addMenu(QStringLiteral("Pomo&c"));
    addMenuAction(pomoc, QStringLiteral("MPomoc"), QStringLiteral("Pomoc"), QKeySequence(Qt::Key_F1));
    addMenuAction(pomoc, QStringLiteral("MPomocTechniczna"), QStringLiteral("Pomoc techniczna via Internet"), {});
    addMenuAction(pomoc, QStringLiteral("MPoradaDnia"), QStringLiteral("Porada dnia"), {});
    addMenuAction(pomoc, QStringLiteral("MLogBledow"), QStringLiteral("Otwórz log błędów error.log"), {});
    pomoc->addSeparator();
    addMenuAction(pomoc, QStringLiteral("MOProgramie"), QStringLiteral("O prog&ramie"), {});

    const std::pair<const char*, std::function<void()> ShellCommands::*> shell[] = {
        {"MUzytkownicy", &ShellCommands::accounts},     {"MLogBledow", &ShellCommands::openErrorLog},
        {"MPomoc", &ShellCommands::help},               {"MPomocTechniczna", &ShellCommands::supportMail},
        {"MOProgramie", &ShellCommands::about},
    };
    for (const auto& [name, member] : shell)
        connect(m_actions.value(QLatin1String(name)), &QAction::triggered, this, [this, member = member] {
            if (m_shell.*member)
                (m_shell.*member)();
        });

    // Commands of features that are not part of this window yet stay visible but disabled.
    for (const char* later : {"Notatnik1", "MSprawdzTerminy", "MHurtowaDeaktywacja", "MSprawdzBhp", "MSprawdzMagazyn",
                              "zmianaOdpowiedzialnej", "MImportPracownikow", "Przywrszerokotabel1", "MOpcje",
                              "MArchiwizacja", "MAdministracjaBaza", "MPoradaDnia"})
        m_actions.value(QLatin1String(later))->setEnabled(false);
}

QString TfMain::currentPageName() const
{
    QWidget* page = m_pages->currentWidget();
    const QString name = page ? page->objectName() : QString();
    if (QStackedWidget* stack = m_subStacks.value(name))
        if (stack->currentWidget())
            return name + QLatin1Char('/') + stack->currentWidget()->objectName();
    return name;
}

QLabel* TfMain::statusPanel(int index) const
{
    return m_statusPanels.value(index);
}

QAction* TfMain::action(const QString& objectName) const
{
    return m_actions.value(objectName);
}

QPushButton* TfMain::navigationButton(const QString& objectName) const
{
    return m_nav.value(objectName);
}

DataGrid* TfMain::grid(const QString& objectName) const
{
    return m_grids.value(objectName);
}

void TfMain::highlight(QPushButton* pressed)
{
    for (auto it = m_nav.cbegin(); it != m_nav.cend(); ++it) {
        if (!it.key().startsWith(QLatin1String("SB")) || m_pages->isAncestorOf(it.value()))
            continue;
        const bool on = it.value() == pressed;
        it.value()->setStyleSheet(on ? QStringLiteral("text-align: left; padding: 4px; color: white; "
                                                      "background-color: #3a6ea5;")
                                     : QStringLiteral("text-align: left; padding: 4px; color: black;"));
    }
}

void TfMain::setSubButtonsVisible()
{
    const QString page = m_pages->currentWidget() ? m_pages->currentWidget()->objectName() : QString();
    static const QHash<QString, QString> owner = {
        {QStringLiteral("oprogramowanie"), QStringLiteral("SBOprogramowanie")},
        {QStringLiteral("Dodatkowe"), QStringLiteral("SBDodatkowe")},
        {QStringLiteral("bhp"), QStringLiteral("SBBHP")},
        {QStringLiteral("Slowniki"), QStringLiteral("SBSlowniki")},
    };
    const QString open = owner.value(page);
    for (auto it = subButtons().cbegin(); it != subButtons().cend(); ++it)
        for (const QString& name : it.value())
            if (QPushButton* b = m_nav.value(name))
                b->setVisible(it.key() == open);
}

void TfMain::showPage(const QString& page, const QString& subPage)
{
    if (QWidget* w = m_pageByName.value(page))
        m_pages->setCurrentWidget(w);
    if (!subPage.isEmpty())
        if (QStackedWidget* stack = m_subStacks.value(page))
            if (QWidget* sub = m_pageByName.value(subPage))
                stack->setCurrentWidget(sub);
    setSubButtonsVisible();
}

void TfMain::enterMain(QPushButton* button, const QString& page, const QString& subPage)
{
    highlight(button);
    showPage(page, subPage);
}

void TfMain::enterSub(QPushButton* mainButton, QPushButton* subButton, const QString& page, const QString& subPage)
{
    highlight(mainButton);
    if (subButton)
        subButton->setStyleSheet(QStringLiteral("text-align: left; padding: 4px; color: white; background-color: #5a8ec5;"));
    showPage(page, subPage);
}

void TfMain::toolbarState(bool read, bool write)
{
    for (const char* name : {"SBDodaj", "SBEdytuj", "SBUsun", "SBKopiuj"})
        m_nav.value(QLatin1String(name))->setEnabled(write);
    for (const char* name : {"MDodaj", "MEdytuj", "MKasuj", "MKopiuj", "Likwiduj2"})
        m_actions.value(QLatin1String(name))->setEnabled(write);
    for (const char* name : {"SBDrukuj", "SBPodglad", "SBCSV", "SBSzukaj"})
        m_nav.value(QLatin1String(name))->setEnabled(read);
    for (const char* name : {"MDrukuj", "MPodglad", "MCSV", "MSzukaj"})
        m_actions.value(QLatin1String(name))->setEnabled(read);
}

void TfMain::applyRights(const Rights& r)
{
    auto set = [this](const char* button, const char* menu, bool on) {
        if (button)
            m_nav.value(QLatin1String(button))->setEnabled(on);
        if (menu)
            m_actions.value(QLatin1String(menu))->setEnabled(on);
    };
    set("SBKomputery", "MKomputery", r[1]);
    set("SBOprogramowanie", "MOprogramowanie", r[3]);
    set("SBProgramy", "MProgramy", r[3]);
    set("SBLicencje", "MLicencje", r[3]);
    set("SBSprzet", "MSprzet", r[5]);
    set("SBTerminarz", "MTerminarz", r[7]);
    set("SBNaprawy", "MNaprawy", r[9]);
    set("SBDokumenty", "MDokumenty", r[16]);
    set("SBHistoria", "MHistoria", r[18]);
    set("SBZlecenia", "MZlecenia", r[20]);
    set("SBRozliczenia", "MRozliczenia", r[22]);
    set("SBZalaczniki", "MZalaczniki", r[28]);
    set("SBMagazyn", "MMagazyn", r[26]);
    set("SBBHP", "MBHP", r[24]);
    set("SBOdziezSrodki", "MOdziezSrodki", r[24]);
    set("SBZakupBhp", "MZakupBhp", r[24]);
    set("SBDodatkowe", "MDodatkowe", r[7] || r[28] || r[9] || r[16] || r[18] || r[20] || r[22] || r[26]);
    set("SBRaporty", nullptr, r[11]);
    for (int i = 0; i < 8; ++i)
        m_actions.value(QStringLiteral("MRaporty") + QString::number(i))->setEnabled(r[11]);
    set("SBSlowniki", "MSlowniki", r[12]);
    m_actions.value(QStringLiteral("MAdministracja"))->setEnabled(r[0]);
    m_actions.value(QStringLiteral("MUzytkownicy"))->setEnabled(r[0]);
}

void TfMain::SBStartClick()
{
    enterMain(m_nav.value(QStringLiteral("SBStart")), QStringLiteral("start"));
    toolbarState(false, false);
}

void TfMain::SBKomputeryClick()
{
    enterMain(m_nav.value(QStringLiteral("SBKomputery")), QStringLiteral("komputery"));
}

void TfMain::SBOprogramowanieClick()
{
    SBProgramyClick();
}

void TfMain::SBProgramyClick()
{
    enterSub(m_nav.value(QStringLiteral("SBOprogramowanie")), m_nav.value(QStringLiteral("SBProgramy")),
             QStringLiteral("oprogramowanie"), QStringLiteral("programy"));
}

void TfMain::SBLicencjeClick()
{
    enterSub(m_nav.value(QStringLiteral("SBOprogramowanie")), m_nav.value(QStringLiteral("SBLicencje")),
             QStringLiteral("oprogramowanie"), QStringLiteral("licencje"));
}

void TfMain::SBSprzetClick()
{
    enterMain(m_nav.value(QStringLiteral("SBSprzet")), QStringLiteral("sprzet"));
}

void TfMain::SBDodatkoweClick()
{
    // The first sub-register the user may read.
    const std::pair<const char*, void (TfMain::*)()> order[] = {
        {"SBTerminarz", &TfMain::SBTerminarzClick},   {"SBNaprawy", &TfMain::SBNaprawyClick},
        {"SBDokumenty", &TfMain::SBDokumentyClick},   {"SBHistoria", &TfMain::SBHistoriaClick},
        {"SBZlecenia", &TfMain::SBZleceniaClick},     {"SBRozliczenia", &TfMain::SBRozliczeniaClick},
        {"SBMagazyn", &TfMain::SBMagazynClick},       {"SBZalaczniki", &TfMain::SBZalacznikiClick},
    };
    for (const auto& [name, slot] : order)
        if (m_nav.value(QLatin1String(name))->isEnabled()) {
            (this->*slot)();
            return;
        }
}

#define SPRZETNIK_SUB(Func, Main, Sub, Page, SubPage)                                                           \
    void TfMain::Func()                                                                                          \
    {                                                                                                            \
        enterSub(m_nav.value(QStringLiteral(Main)), m_nav.value(QStringLiteral(Sub)), QStringLiteral(Page),      \
                 QStringLiteral(SubPage));                                                                       \
    }
SPRZETNIK_SUB(SBTerminarzClick, "SBDodatkowe", "SBTerminarz", "Dodatkowe", "DodatkoweTerminarz")
SPRZETNIK_SUB(SBNaprawyClick, "SBDodatkowe", "SBNaprawy", "Dodatkowe", "DodatkoweNaprawy")
SPRZETNIK_SUB(SBDokumentyClick, "SBDodatkowe", "SBDokumenty", "Dodatkowe", "dodatkoweDokumenty")
SPRZETNIK_SUB(SBHistoriaClick, "SBDodatkowe", "SBHistoria", "Dodatkowe", "DodatkoweHistoria")
SPRZETNIK_SUB(SBZleceniaClick, "SBDodatkowe", "SBZlecenia", "Dodatkowe", "DodatkoweZlecenia")
SPRZETNIK_SUB(SBRozliczeniaClick, "SBDodatkowe", "SBRozliczenia", "Dodatkowe", "DodatkoweRozliczenia")
SPRZETNIK_SUB(SBMagazynClick, "SBDodatkowe", "SBMagazyn", "Dodatkowe", "dodatkoweMagazyn")
SPRZETNIK_SUB(SBZalacznikiClick, "SBDodatkowe", "SBZalaczniki", "Dodatkowe", "DodatkoweZalaczniki")
SPRZETNIK_SUB(SBOdziezSrodkiClick, "SBBHP", "SBOdziezSrodki", "bhp", "odziezSrodki")
SPRZETNIK_SUB(SBZakupBhpClick, "SBBHP", "SBZakupBhp", "bhp", "zakupBhp")
SPRZETNIK_SUB(SBOsobowaClick, "SBSlowniki", "SBOsobowa", "Slowniki", "slOsobowa")
SPRZETNIK_SUB(SBFirmyClick, "SBSlowniki", "SBFirmy", "Slowniki", "SlFirmy")
SPRZETNIK_SUB(SBWlKompClick, "SBSlowniki", "SBWlKomp", "Slowniki", "SlWlasciwosciKomp")
SPRZETNIK_SUB(SBWlSprzetClick, "SBSlowniki", "SBWlSprzet", "Slowniki", "slWlasciwosciSprzet")
SPRZETNIK_SUB(SBBibliotekaClick, "SBSlowniki", "SBBiblioteka", "Slowniki", "SlBiblioteka")
SPRZETNIK_SUB(SBDaneFirmyClick, "SBSlowniki", "SBDaneFirmy", "Slowniki", "SlDaneFirmy")
#undef SPRZETNIK_SUB

void TfMain::SBBHPClick()
{
    SBOdziezSrodkiClick();
}

void TfMain::SBSlownikiClick()
{
    enterMain(m_nav.value(QStringLiteral("SBSlowniki")), QStringLiteral("Slowniki"), QStringLiteral("SlStart"));
    toolbarState(false, false);
}

void TfMain::SBRaportyClick()
{
    enterMain(m_nav.value(QStringLiteral("SBRaporty")), QStringLiteral("Raporty"));
    toolbarState(false, false);
}

void TfMain::closeEvent(QCloseEvent* event)
{
    bool allow = true;
    emit closeRequested(&allow);
    if (!allow) {
        event->ignore();
        return;
    }
    emit closing();
    event->accept();
}

void TfMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    emit resized(width(), height());
}
