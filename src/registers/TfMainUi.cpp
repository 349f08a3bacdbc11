#include "registers/TfMainUi.h"

#include "registers/FilterBar.h"
#include "registers/TfMain.h"
#include "widgets/DataGrid.h"

#include <QAction>

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>
#include <array>

namespace {
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
        {"oprogramowanie",
         "oprogramowanieZakladki",
         {{"programy", "programyGrid"}, {"licencje", "LicencjeGrid"}}},
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

// Pages whose feature is not built yet: they say so instead of staying blank.
// A feature that fills its page takes the page off this list.
// Pages whose feature is still being built show that it is coming (none now).
const std::array<const char*, 0> kComingPages{};

QIcon icon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(name) + QStringLiteral(".png"));
}

} // namespace

QIcon TfMainUi::programIcon()
{
    QIcon icon;
    for (const char* size : {"32", "48", "256"})
        icon.addFile(QStringLiteral(":/sprzetnik-") + QLatin1String(size) + QStringLiteral(".png"));
    return icon;
}

QString TfMainUi::comingText()
{
    return QStringLiteral(
        "Ta część programu jest w przygotowaniu i zostanie udostępniona w jednej z kolejnych "
        "wersji.");
}

void TfMainUi::addComingLabels()
{
    for (const char* name : kComingPages) {
        QWidget* page = pageByName.value(QLatin1String(name));
        if (!page)
            continue;
        auto* label = new QLabel(comingText(), page);
        label->setObjectName(QLatin1String(name) + QStringLiteral("Wkrotce"));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        if (!page->layout())
            new QVBoxLayout(page);
        page->layout()->addWidget(label);
    }
}

const QHash<QString, QStringList>& TfMainUi::subButtons()
{
    static const QHash<QString, QStringList> map = {
        {QStringLiteral("SBOprogramowanie"), {QStringLiteral("SBProgramy"), QStringLiteral("SBLicencje")}},
        {QStringLiteral("SBDodatkowe"),
         {QStringLiteral("SBTerminarz"), QStringLiteral("SBNaprawy"), QStringLiteral("SBDokumenty"),
          QStringLiteral("SBHistoria"), QStringLiteral("SBZlecenia"), QStringLiteral("SBRozliczenia"),
          QStringLiteral("SBMagazyn"), QStringLiteral("SBZalaczniki")}},
        {QStringLiteral("SBBHP"), {QStringLiteral("SBOdziezSrodki"), QStringLiteral("SBZakupBhp")}},
        {QStringLiteral("SBSlowniki"),
         {QStringLiteral("SBOsobowa"), QStringLiteral("SBFirmy"), QStringLiteral("SBWlKomp"),
          QStringLiteral("SBWlSprzet"), QStringLiteral("SBBiblioteka"), QStringLiteral("SBDaneFirmy")}},
    };
    return map;
}

void TfMainUi::setupUi(TfMain* window)
{
    window->setObjectName(QStringLiteral("TfMain"));
    window->setWindowIcon(programIcon());
    window->setWindowTitle(QStringLiteral("Sprzetnik "));
    window->resize(1100, 720);

    auto* central = new QWidget(window);
    auto* column = new QWidget(central);
    column->setObjectName(QStringLiteral("nawigacja"));
    column->setFixedWidth(190);
    buildNavigation(window, column);

    auto* right = new QWidget(central);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    pages = new QStackedWidget(right);
    pages->setObjectName(QStringLiteral("zakladki"));
    buildPages();
    auto* toolbar = new QWidget(right);
    toolbar->setObjectName(QStringLiteral("Panel16"));
    buildToolbar(toolbar);
    filters = new FilterBar(right);
    rightLayout->addWidget(pages, 1);
    rightLayout->addWidget(toolbar);
    rightLayout->addWidget(filters);

    auto* layout = new QHBoxLayout(central);
    layout->addWidget(column);
    layout->addWidget(right, 1);
    window->setCentralWidget(central);

    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(window);
        panel->setObjectName(QStringLiteral("statusPanel") + QString::number(i));
        // Framed panels: the date, the user and the hint read apart.
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        if (i < 2)
            panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("00-00-0000")) + 24);
        statusPanels << panel;
        window->statusBar()->addWidget(panel, i == 2 ? 1 : 0);
    }
    buildMenus(window);
    buildPopup(window);
}

void TfMainUi::buildNavigation(TfMain* window, QWidget* column)
{
    auto* layout = new QVBoxLayout(column);
    layout->setSpacing(1);
    const struct
    {
        const char* name;
        const char* caption;
        void (TfMain::*slot)();
        bool sub;
        const char* icon;
    } navButtons[] = {
        {"SBStart", "Start", &TfMain::SBStartClick, false, "go-home"},
        {"SBKomputery", "Komputery", &TfMain::SBKomputeryClick, false, "computer"},
        {"SBOprogramowanie", "Oprogramowanie", &TfMain::SBOprogramowanieClick, false,
         "system-software-install"},
        {"SBProgramy", " Programy", &TfMain::SBProgramyClick, true, "applications-utilities"},
        {"SBLicencje", " Licencje", &TfMain::SBLicencjeClick, true, "dialog-password"},
        {"SBSprzet", "Inny sprzęt", &TfMain::SBSprzetClick, false, "printer"},
        {"SBDodatkowe", "Dodatkowe", &TfMain::SBDodatkoweClick, false, "folder"},
        {"SBTerminarz", "Terminarz", &TfMain::SBTerminarzClick, true, "x-office-calendar"},
        {"SBNaprawy", " Naprawy", &TfMain::SBNaprawyClick, true, "emblem-system"},
        {"SBDokumenty", "Dokumenty", &TfMain::SBDokumentyClick, true, "x-office-document"},
        {"SBHistoria", "Historia użytkowania", &TfMain::SBHistoriaClick, true, "document-open-recent"},
        {"SBZlecenia", " Rejestr zleceń", &TfMain::SBZleceniaClick, true, "emblem-documents"},
        {"SBRozliczenia", " Rejestr rozliczeń", &TfMain::SBRozliczeniaClick, true, "x-office-spreadsheet"},
        {"SBMagazyn", " Magazyn zasobów", &TfMain::SBMagazynClick, true, "package-x-generic"},
        {"SBZalaczniki", "Załączniki", &TfMain::SBZalacznikiClick, true, "mail-attachment"},
        {"SBBHP", "Środki BHP", &TfMain::SBBHPClick, false, "security-high"},
        {"SBOdziezSrodki", "Odzież i środki", &TfMain::SBOdziezSrodkiClick, true,
         "preferences-desktop-personal"},
        {"SBZakupBhp", "Rejestr zakupów", &TfMain::SBZakupBhpClick, true, "emblem-package"},
        {"SBSlowniki", "Słowniki", &TfMain::SBSlownikiClick, false, "accessories-dictionary"},
        {"SBOsobowa", "Kartoteka osobowa", &TfMain::SBOsobowaClick, true, "system-users"},
        {"SBFirmy", "Katalog firm", &TfMain::SBFirmyClick, true, "x-office-address-book"},
        {"SBWlKomp", "Właściwości komp.", &TfMain::SBWlKompClick, true, "document-properties"},
        {"SBWlSprzet", "Właściwości sprzęt", &TfMain::SBWlSprzetClick, true, "document-properties"},
        {"SBBiblioteka", "Biblioteka", &TfMain::SBBibliotekaClick, true, "x-office-document-template"},
        {"SBDaneFirmy", "Nasza firma", &TfMain::SBDaneFirmyClick, true, "user-info"},
        {"SBRaporty", "Raporty", &TfMain::SBRaportyClick, false, "document-print-preview"},
    };
    for (const auto& b : navButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), column);
        button->setObjectName(QLatin1String(b.name));
        button->setFlat(true);
        button->setIcon(icon(b.icon));
        button->setIconSize(QSize(20, 20));
        QObject::connect(button, &QPushButton::clicked, window, b.slot);
        buttons.insert(button->objectName(), button);
        // Sub-buttons sit indented under their main button.
        button->setProperty("sub", b.sub);
        layout->addWidget(button);
    }
    layout->addStretch();
}

QWidget* TfMainUi::makeGridPage(const QString& pageName, const QString& gridName)
{
    auto* page = new QWidget;
    page->setObjectName(pageName);
    pageByName.insert(pageName, page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!gridName.isEmpty()) {
        auto* grid = new DataGrid(page);
        grid->setObjectName(gridName);
        grids.insert(gridName, grid);
        gridOrder << grid;
        layout->addWidget(grid);
    }
    return page;
}

void TfMainUi::buildPages()
{
    // Start page: the program title and the scratch pad.
    auto* start = new QWidget;
    start->setObjectName(QStringLiteral("start"));
    pageByName.insert(QStringLiteral("start"), start);
    auto* title = new QLabel(QStringLiteral("Sprzetnik"), start);
    title->setObjectName(QStringLiteral("tytul"));
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 2.4);
    font.setBold(true);
    title->setFont(font);
    auto* subtitle = new QLabel(QStringLiteral("Ewidencja sprzętu, oprogramowania i wyposażenia"), start);
    auto* picture = new QLabel(start);
    picture->setObjectName(QStringLiteral("ikonaProgramu"));
    picture->setPixmap(programIcon().pixmap(96, 96));
    scratchPad = new QPlainTextEdit(start);
    scratchPad->setObjectName(QStringLiteral("podrecznyNotatnik"));
    scratchPad->setToolTip(
        QStringLiteral("Notatki zapisane w tym miejscu będą widoczne tylko na tym komputerze "
                       "również po ponownym uruchomieniu programu"));
    auto* titles = new QVBoxLayout;
    titles->addStretch();
    titles->addWidget(title);
    titles->addWidget(subtitle);
    titles->addStretch();
    auto* heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addSpacing(12);
    heading->addLayout(titles, 1);
    auto* startLayout = new QVBoxLayout(start);
    startLayout->addLayout(heading);
    startLayout->addWidget(new QLabel(QStringLiteral("Podręczny notatnik:"), start));
    startLayout->addWidget(scratchPad, 1);
    pages->addWidget(start);

    pages->addWidget(makeGridPage(QStringLiteral("komputery"), QStringLiteral("KomputeryGrid")));
    pages->addWidget(makeGridPage(QStringLiteral("sprzet"), QStringLiteral("SprzetGrid")));
    for (const SubPage& sp : subPages()) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(sp.page));
        pageByName.insert(QLatin1String(sp.page), page);
        auto* stack = new QStackedWidget(page);
        stack->setObjectName(QLatin1String(sp.stack));
        subStacks.insert(QLatin1String(sp.page), stack);
        for (const auto& [sub, grid] : sp.pages) {
            QWidget* subPage = makeGridPage(QLatin1String(sub), QLatin1String(grid));
            if (QLatin1String(sub) == QLatin1String("SlStart")) {
                auto* label = new QLabel(
                    QStringLiteral("Aby edytować słownik kliknij właściwą ikonę po lewo"), subPage);
                label->setObjectName(QStringLiteral("SlStartLabel"));
                label->setAlignment(Qt::AlignCenter);
                subPage->layout()->addWidget(label);
            }
            stack->addWidget(subPage);
        }
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(stack);
        pages->addWidget(page);
    }
    auto* reports = new QWidget;
    reports->setObjectName(QStringLiteral("Raporty"));
    pageByName.insert(QStringLiteral("Raporty"), reports);
    pages->addWidget(reports);
    addComingLabels();
}

void TfMainUi::buildToolbar(QWidget* panel)
{
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    const struct
    {
        const char* name;
        const char* caption;
        const char* hint;
        bool right;
        const char* icon;
    } tools[] = {
        {"SBPodglad", "Podgląd", "Podgląd danych", false, "zoom-in"},
        {"SBDodaj", "Dodaj", "Dodaj nową pozycję", false, "list-add"},
        {"SBEdytuj", "Edytuj", "Edytuj wskazaną pozycję", false, "accessories-text-editor"},
        {"SBUsun", "Usuń", "Usuń wskazaną pozycję", false, "edit-delete"},
        {"SBKopiuj", "Kopiuj", "Stwórz kopię zaznaczonej pozycji", false, "edit-copy"},
        {"SBSzukaj", "Szukaj", "Szukaj informacji w powyższej tabeli", false, "edit-find"},
        {"SBCSV", "do CSV", "Zapisz tabelę do arkusza CSV", false, "x-office-spreadsheet"},
        {"SBDrukuj", "Drukuj", "Drukuj wskazaną pozycję", false, "document-print"},
        {"SBFiszka", "Fiszka", "Fiszka z notatkami tymczasowymi", true, "text-x-generic"},
        {"SBSumy", "Przelicz sumy", "Sumuj kolumny tabeli", true, "accessories-calculator"},
    };
    bool stretched = false;
    for (const auto& b : tools) {
        if (b.right && !stretched) {
            layout->addStretch();
            stretched = true;
        }
        auto* button = new QPushButton(icon(b.icon), QString::fromUtf8(b.caption), panel);
        button->setObjectName(QLatin1String(b.name));
        button->setToolTip(QString::fromUtf8(b.hint));
        buttons.insert(QLatin1String(b.name), button);
        layout->addWidget(button);
    }
}

void TfMainUi::buildMenus(TfMain* window)
{
    QMenu* plik = window->menuBar()->addMenu(QStringLiteral("&Plik"));
    addMenuAction(window, plik, QStringLiteral("Wyloguj"), QStringLiteral("Wyloguj się..."), {});
    plik->addSeparator();
    addMenuAction(window, plik, QStringLiteral("Zakoncz"), QStringLiteral("Zakończ"),
                  QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* edycja = window->menuBar()->addMenu(QStringLiteral("&Edycja"));
    addMenuAction(window, edycja, QStringLiteral("MPodglad"), QStringLiteral("Podgląd"), {});
    addMenuAction(window, edycja, QStringLiteral("MDodaj"), QStringLiteral("Dodaj"), {});
    addMenuAction(window, edycja, QStringLiteral("MEdytuj"), QStringLiteral("Edytuj"), {});
    addMenuAction(window, edycja, QStringLiteral("MKasuj"), QStringLiteral("Kasuj"), {});
    addMenuAction(window, edycja, QStringLiteral("MKopiuj"), QStringLiteral("Kopiuj"), {});
    addMenuAction(window, edycja, QStringLiteral("MCSV"), QStringLiteral("Zapisz do CSV"), {});
    addMenuAction(window, edycja, QStringLiteral("MDrukuj"), QStringLiteral("Drukuj"), {});
    addMenuAction(window, edycja, QStringLiteral("MDrukujEtykiety"), QStringLiteral("Drukuj etykiety"), {});
    addMenuAction(window, edycja, QStringLiteral("Likwiduj2"), QStringLiteral("Likwiduj wybrany element"),
                  {});
    addMenuAction(window, edycja, QStringLiteral("MSzukaj"), QStringLiteral("Szukaj"),
                  QKeySequence(Qt::CTRL | Qt::Key_F));

    QMenu* widok = window->menuBar()->addMenu(QStringLiteral("&Widok"));
    const auto ctrl = [](int f) { return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + f - 1)); };
    const auto shiftCtrl = [](int f) {
        return QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key(Qt::Key_F1 + f - 1));
    };
    addMenuAction(window, widok, QStringLiteral("MWstep"), QStringLiteral("Wstęp"), ctrl(1),
                  &TfMain::SBStartClick);
    addMenuAction(window, widok, QStringLiteral("MKomputery"), QStringLiteral("Komputery"), ctrl(2),
                  &TfMain::SBKomputeryClick);
    QMenu* oprog = widok->addMenu(QStringLiteral("Oprogramowanie"));
    oprog->menuAction()->setObjectName(QStringLiteral("MOprogramowanie"));
    actions.insert(QStringLiteral("MOprogramowanie"), oprog->menuAction());
    addMenuAction(window, oprog, QStringLiteral("MProgramy"), QStringLiteral("Porgramy"), ctrl(3),
                  &TfMain::SBProgramyClick);
    addMenuAction(window, oprog, QStringLiteral("MLicencje"), QStringLiteral("Licencje"), ctrl(4),
                  &TfMain::SBLicencjeClick);
    addMenuAction(window, widok, QStringLiteral("MSprzet"), QStringLiteral("Inny sprzęt"), ctrl(5),
                  &TfMain::SBSprzetClick);
    QMenu* dodatkowe = widok->addMenu(QStringLiteral("Dodatkowe ..."));
    dodatkowe->menuAction()->setObjectName(QStringLiteral("MDodatkowe"));
    actions.insert(QStringLiteral("MDodatkowe"), dodatkowe->menuAction());
    addMenuAction(window, dodatkowe, QStringLiteral("MTerminarz"), QStringLiteral("Terminarz"), ctrl(6),
                  &TfMain::SBTerminarzClick);
    addMenuAction(window, dodatkowe, QStringLiteral("MNaprawy"), QStringLiteral("Naprawy"), ctrl(7),
                  &TfMain::SBNaprawyClick);
    addMenuAction(window, dodatkowe, QStringLiteral("MDokumenty"), QStringLiteral("Dokumenty"), ctrl(8),
                  &TfMain::SBDokumentyClick);
    addMenuAction(window, dodatkowe, QStringLiteral("MHistoria"), QStringLiteral("Historia użytkowania"),
                  ctrl(9), &TfMain::SBHistoriaClick);
    addMenuAction(window, dodatkowe, QStringLiteral("MZlecenia"), QStringLiteral("Rejestr zleceń"), ctrl(10),
                  &TfMain::SBZleceniaClick);
    addMenuAction(window, dodatkowe, QStringLiteral("MRozliczenia"), QStringLiteral("Rejestr rozliczeń"),
                  ctrl(11), &TfMain::SBRozliczeniaClick);
    addMenuAction(window, dodatkowe, QStringLiteral("MMagazyn"), QStringLiteral("Magazyn"), ctrl(12),
                  &TfMain::SBMagazynClick);
    addMenuAction(window, dodatkowe, QStringLiteral("MZalaczniki"), QStringLiteral("Załączniki"), {},
                  &TfMain::SBZalacznikiClick);
    QMenu* bhp = widok->addMenu(QStringLiteral("Odzież i środki BHP"));
    bhp->menuAction()->setObjectName(QStringLiteral("MBHP"));
    actions.insert(QStringLiteral("MBHP"), bhp->menuAction());
    addMenuAction(window, bhp, QStringLiteral("MOdziezSrodki"), QStringLiteral("Odzież i środki"), {},
                  &TfMain::SBOdziezSrodkiClick);
    addMenuAction(window, bhp, QStringLiteral("MZakupBhp"), QStringLiteral("Koszty zakupu środków BHP"), {},
                  &TfMain::SBZakupBhpClick);
    widok->addSeparator();
    addMenuAction(window, widok, QStringLiteral("MBiblioteka"), QStringLiteral("Biblioteka"), shiftCtrl(1),
                  &TfMain::SBBibliotekaClick);
    addMenuAction(window, widok, QStringLiteral("MWlKomp"), QStringLiteral("Właściwości komputerów"),
                  shiftCtrl(2), &TfMain::SBWlKompClick);
    addMenuAction(window, widok, QStringLiteral("MWlSprzet"), QStringLiteral("Właściwości sprzętu"),
                  shiftCtrl(3), &TfMain::SBWlSprzetClick);
    addMenuAction(window, widok, QStringLiteral("MDaneFirmy"), QStringLiteral("Nasza firma"), shiftCtrl(4),
                  &TfMain::SBDaneFirmyClick);
    addMenuAction(window, widok, QStringLiteral("MFirmy"), QStringLiteral("Katalog firm"), shiftCtrl(5),
                  &TfMain::SBFirmyClick);
    addMenuAction(window, widok, QStringLiteral("MOsobowa"), QStringLiteral("Kartoteka osobowa"),
                  shiftCtrl(6), &TfMain::SBOsobowaClick);
    widok->addSeparator();
    const char* reports[] = {"Raporty ogólne",         "Raporty finansowe",   "Protokół przyjęcia",
                             "Protokół wydania",       "Protokół likwidacji", "Raporty wg lokalizacji",
                             "Raporty wg pracowników", "Raporty BHP i inne",  "Raporty dodatkowe"};
    int n = 0;
    for (const char* caption : reports)
        addMenuAction(window, widok, QStringLiteral("MRaporty") + QString::number(n++),
                      QString::fromUtf8(caption), {}, &TfMain::SBRaportyClick);

    QMenu* narzedzia = window->menuBar()->addMenu(QStringLiteral("&Narzędzia"));
    addMenuAction(window, narzedzia, QStringLiteral("MSlowniki"), QStringLiteral("Słowniki"), {},
                  &TfMain::SBSlownikiClick);
    addMenuAction(window, narzedzia, QStringLiteral("Notatnik1"), QStringLiteral("Notatnik"), {});
    addMenuAction(window, narzedzia, QStringLiteral("MSprawdzTerminy"), QStringLiteral("Sprawdź terminy"),
                  {});
    addMenuAction(window, narzedzia, QStringLiteral("MHurtowaDeaktywacja"),
                  QStringLiteral("Hurtowa dezaktywacja terminów"), {});
    addMenuAction(window, narzedzia, QStringLiteral("MSprawdzBhp"),
                  QStringLiteral("Sprawdz zapotrzebowanie na BHP"), {});
    addMenuAction(window, narzedzia, QStringLiteral("MSprawdzMagazyn"),
                  QStringLiteral("Sprawdź stany magazynowe"), {});
    narzedzia->addSeparator();
    addMenuAction(window, narzedzia, QStringLiteral("zmianaOdpowiedzialnej"),
                  QStringLiteral("Zmień hurtowo osobę odpowiedzialną"), {});
    addMenuAction(window, narzedzia, QStringLiteral("MImportPracownikow"),
                  QStringLiteral("Importuj pracowników"), {});
    addMenuAction(window, narzedzia, QStringLiteral("MInwentaryzacja"), QStringLiteral("Inwentaryzacja..."),
                  {});
    addMenuAction(window, narzedzia, QStringLiteral("Przywrszerokotabel1"),
                  QStringLiteral("Przywróć domyślne szerokości tabel"), {});
    narzedzia->addSeparator();
    addMenuAction(window, narzedzia, QStringLiteral("MOpcje"), QStringLiteral("Opcje"), {});

    QMenu* admin = window->menuBar()->addMenu(QStringLiteral("&Administracja"));
    admin->menuAction()->setObjectName(QStringLiteral("MAdministracja"));
    actions.insert(QStringLiteral("MAdministracja"), admin->menuAction());
    addMenuAction(window, admin, QStringLiteral("MUzytkownicy"), QStringLiteral("Zarządzanie użytkownikami"),
                  {});
    addMenuAction(window, admin, QStringLiteral("MArchiwizacja"), QStringLiteral("Archiwizacja bazy danych"),
                  {});
    addMenuAction(window, admin, QStringLiteral("MAdministracjaBaza"),
                  QStringLiteral("Administracja bazą danych"), {});

    QMenu* pomoc = window->menuBar()->addMenu(QStringLiteral("Pomo&c"));
    addMenuAction(window, pomoc, QStringLiteral("MPomoc"), QStringLiteral("Pomoc"), QKeySequence(Qt::Key_F1));
    addMenuAction(window, pomoc, QStringLiteral("MPomocTechniczna"),
                  QStringLiteral("Pomoc techniczna via Internet"), {});
    addMenuAction(window, pomoc, QStringLiteral("MPoradaDnia"), QStringLiteral("Porada dnia"), {});
    addMenuAction(window, pomoc, QStringLiteral("MLogBledow"), QStringLiteral("Otwórz log błędów error.log"),
                  {});
    pomoc->addSeparator();
    addMenuAction(window, pomoc, QStringLiteral("MOProgramie"), QStringLiteral("O prog&ramie"), {});

    // Commands of other windows stay disabled until the rights of a user are applied.
    for (const char* later : {"Notatnik1", "MSprawdzTerminy", "MHurtowaDeaktywacja", "MSprawdzBhp",
                              "MSprawdzMagazyn", "zmianaOdpowiedzialnej", "MImportPracownikow",
                              "MInwentaryzacja", "MArchiwizacja", "MAdministracjaBaza"})
        actions.value(QLatin1String(later))->setEnabled(false);
}

QAction* TfMainUi::addMenuAction(TfMain* window, QMenu* menu, const QString& name, const QString& caption,
                                 const QKeySequence& key, void (TfMain::*slot)())
{
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!key.isEmpty())
        action->setShortcut(key);
    if (slot)
        QObject::connect(action, &QAction::triggered, window, slot);
    actions.insert(name, action);
    return action;
}

void TfMainUi::buildPopup(TfMain* window)
{
    popup = new QMenu(window);
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    const struct
    {
        const char* name;
        const char* caption;
        QKeySequence key;
    } items[] = {
        {"PPodglad", "Podgląd", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"PDodaj", "Dodaj pozycję", QKeySequence(Qt::Key_Insert)},
        {"PEdytuj", "Edytuj pozycję", QKeySequence(Qt::Key_F2)},
        {"PUsun", "Usuń pozycję", QKeySequence(Qt::Key_Delete)},
        {"PKopiuj", "Kopiuj pozycję", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"PDrukuj", "Drukuj pozycję", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"PDrukujEtykiety", "Drukuj etykiety", {}},
        {nullptr, nullptr, {}},
        {"PHurtowaDeaktywacja", "Hurtowa dezaktywacja terminów", {}},
        {"POtworzZalacznik", "Otwórz załącznik", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"Likwiduj1", "Likwiduj wybrany element", {}},
    };
    for (const auto& item : items) {
        if (!item.name) {
            popup->addSeparator();
            continue;
        }
        QAction* action = popup->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QLatin1String(item.name));
        if (!item.key.isEmpty()) {
            action->setShortcut(item.key);
            // The keys act in the grids only, not in the filter edits or the scratch pad.
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        actions.insert(action->objectName(), action);
        for (DataGrid* grid : std::as_const(gridOrder))
            grid->addAction(action);
    }
    for (DataGrid* grid : std::as_const(gridOrder)) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(grid, &QWidget::customContextMenuRequested, popup, [this, grid](const QPoint& pos) {
            popup->popup(grid->viewport()->mapToGlobal(pos));
        });
    }
}
