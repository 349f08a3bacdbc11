#include "registers/TfMain.h"

#include "base/AppPaths.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/FilterBar.h"
#include "registers/ListTools.h"
#include "registers/RegisterCatalog.h"
#include "registers/ToolbarRules.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"
#include "widgets/TVXGridStorage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusTipEvent>

#include <algorithm>
#include <string_view>

namespace {
// The navigation column's look: sub-buttons indented, the open register
// highlighted, a button without the right drawn disabled.
QString navStyle(bool sub, const char* colours)
{
    return QStringLiteral("QPushButton { text-align: left; padding: 4px 4px 4px %1px; border: none; %2 }"
                          "QPushButton:disabled { color: #a0a0a0; background-color: transparent; }")
        .arg(sub ? 22 : 4)
        .arg(QLatin1String(colours));
}
const char* const kNavPlain = "color: black;";
const char* const kNavOn = "color: white; background-color: #3a6ea5;";
const char* const kSubOn = "color: white; background-color: #5a8ec5;";

// The lists of the "Dodatkowe" page whose date range the filter bar applies.
bool reloadedByDateRange(const QString& list)
{
    static const QStringList lists = {
        QStringLiteral("DBFKomputery"),   QStringLiteral("DBFSprzet"),    QStringLiteral("DBFLicencje"),
        QStringLiteral("DBFZakupBhp"),    QStringLiteral("DBFTerminy"),   QStringLiteral("DBFNaprawy"),
        QStringLiteral("DBFDokumenty"),   QStringLiteral("DBFHistoria"),  QStringLiteral("DBFZlecenia"),
        QStringLiteral("DBFRozliczenia"), QStringLiteral("DBFZalaczniki")};
    return lists.contains(list);
}

// Which toolbar, menu and popup controls run which command.
struct CommandControls
{
    TfMain::Command command;
    std::vector<const char*> controls;
};
const CommandControls kCommandControls[] = {
    {TfMain::Command::Preview, {"SBPodglad", "MPodglad", "PPodglad"}},
    {TfMain::Command::Add, {"SBDodaj", "MDodaj", "PDodaj"}},
    {TfMain::Command::Edit, {"SBEdytuj", "MEdytuj", "PEdytuj"}},
    {TfMain::Command::Delete, {"SBUsun", "MKasuj", "PUsun"}},
    {TfMain::Command::Copy, {"SBKopiuj", "MKopiuj", "PKopiuj"}},
    {TfMain::Command::Search, {"SBSzukaj", "MSzukaj"}},
    {TfMain::Command::Csv, {"SBCSV", "MCSV"}},
    {TfMain::Command::Print, {"SBDrukuj", "MDrukuj", "PDrukuj"}},
    {TfMain::Command::Liquidate, {"Likwiduj2", "Likwiduj1"}},
    {TfMain::Command::BulkDeactivate, {"PHurtowaDeaktywacja"}},
    {TfMain::Command::OpenAttachment, {"POtworzZalacznik"}},
    {TfMain::Command::Note, {"SBFiszka"}},
    {TfMain::Command::Sums, {"SBSumy"}},
    {TfMain::Command::Labels, {"MDrukujEtykiety", "PDrukujEtykiety"}},
};
} // namespace

TfMain::TfMain(QWidget* parent, TmyDataBase* db) : QMainWindow(parent), m_db(db)
{
    m_ui.setupUi(this);
    for (const RegisterList& r : RegisterCatalog::all()) {
        DataGrid* g = m_ui.grids.value(r.grid);
        auto* model = new ListModel(r.columns, this);
        m_models.insert(r.list, model);
        g->setListModel(model);
        connect(g, &DataGrid::titleClicked, this,
                [this, g](int column) { KomputeryGridTitleClick(g, column); });
        connect(g, &DataGrid::activatedRow, this, &TfMain::gridActivated);
        // Commands that need rows (the labels) follow the list as it fills and empties.
        connect(model, &QAbstractItemModel::modelReset, this, &TfMain::followTwins);
        connect(model, &QAbstractItemModel::rowsInserted, this, &TfMain::followTwins);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &TfMain::followTwins);
    }
    attachModels();
    connectCommands();

    FilterBar* f = m_ui.filters;
    connect(f, &FilterBar::dateRangeEntered, this, &TfMain::applyDateRange);
    connect(f, &FilterBar::archiveChanged, this, &TfMain::CBPokazElementyChange);
    connect(f, &FilterBar::classifierClosedUp, this, &TfMain::filtrIDKlasyfikatorCloseUp);
    connect(f, &FilterBar::classifierClicked, this, &TfMain::filtrUseKlasywikatorClick);
    connect(f, &FilterBar::activeOnlyClicked, this, &TfMain::filtrTylkoActClick);

    connect(action(QStringLiteral("Wyloguj")), &QAction::triggered, this, [this] {
        if (m_shell.logout)
            m_shell.logout();
    });
    connect(action(QStringLiteral("Zakoncz")), &QAction::triggered, this, &QWidget::close);
    const std::pair<const char*, std::function<void()> ShellCommands::*> shell[] = {
        {"MUzytkownicy", &ShellCommands::accounts}, {"MLogBledow", &ShellCommands::openErrorLog},
        {"MPomoc", &ShellCommands::help},           {"MPomocTechniczna", &ShellCommands::supportMail},
        {"MOProgramie", &ShellCommands::about},
    };
    for (const auto& [name, member] : shell)
        connect(action(QLatin1String(name)), &QAction::triggered, this, [this, member = member] {
            if (m_shell.*member)
                (m_shell.*member)();
        });

    // The report items of "&Widok" enter the report page and pick their tab.
    for (int tab = 0; tab < 9; ++tab)
        connect(action(QStringLiteral("MRaporty") + QString::number(tab)), &QAction::triggered, this,
                [this, tab] { emit reportTabRequested(tab); });

    connect(action(QStringLiteral("Przywrszerokotabel1")), &QAction::triggered, this,
            &TfMain::Przywrszerokotabel1Click);

    m_listTools = new ListTools(*this);
    // Each hint's text is also its long part, shown in the status bar.
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->toolTip().isEmpty() && w->statusTip().isEmpty())
            w->setStatusTip(w->toolTip());
    for (QAction* a : findChildren<QAction*>())
        if (a->statusTip().isEmpty() && !a->toolTip().isEmpty() &&
            a->toolTip() != a->text().remove(QLatin1Char('&')))
            a->setStatusTip(a->toolTip());

    toolbarState(false, false);
    SBStartClick();
}

TfMain::~TfMain() = default;

TmyDataBase* TfMain::database() const
{
    return m_db ? m_db : TmyDataBase::instance();
}

void TfMain::attachModels()
{
    TmyDataBase* db = database();
    if (!db)
        return;
    for (auto it = m_models.cbegin(); it != m_models.cend(); ++it)
        if (&it.value()->statement() != &db->statement(it.key()))
            it.value()->setStatement(db->statement(it.key()));
}

void TfMain::connectCommands()
{
    for (const CommandControls& c : kCommandControls)
        for (const char* name : c.controls) {
            const Command command = c.command;
            if (QPushButton* b = m_ui.buttons.value(QLatin1String(name)))
                connect(b, &QPushButton::clicked, this, [this, command] { runCommand(command); });
            else if (QAction* a = m_ui.actions.value(QLatin1String(name)))
                connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
        }
}

void TfMain::setRecordCommand(Command command, std::function<void()> handler,
                              std::function<bool(const QString&)> available)
{
    m_commands[command] = std::move(handler);
    m_available[command] = std::move(available);
    toolbarState(m_read, m_write);
}

bool TfMain::commandAvailable(Command command) const
{
    const auto it = m_commands.find(command);
    if (it == m_commands.end() || !it->second)
        return false;
    const auto available = m_available.find(command);
    return available == m_available.end() || !available->second ||
           available->second(currentPageName().section(QLatin1Char('/'), -1));
}

void TfMain::runCommand(Command command)
{
    if (!commandAvailable(command))
        return;
    m_commands.at(command)();
}

void TfMain::disableUnavailableCommands()
{
    // A command that is not built for this register is disabled, never dead.
    // The note and the sums follow no toolbar rule: they are on whenever built.
    for (const CommandControls& c : kCommandControls) {
        const bool available = commandAvailable(c.command);
        const bool ruled = c.command != Command::Note && c.command != Command::Sums;
        if (available && ruled)
            continue;
        for (const char* name : c.controls) {
            if (QPushButton* b = m_ui.buttons.value(QLatin1String(name)))
                b->setEnabled(available);
            else if (QAction* a = m_ui.actions.value(QLatin1String(name)))
                a->setEnabled(available);
        }
    }
}

void TfMain::gridActivated()
{
    runCommand(button("SBEdytuj")->isEnabled() ? Command::Edit : Command::Preview);
}

bool TfMain::hasRight(int right) const
{
    return right < 0 || (right <= 100 && m_rights[size_t(right)]);
}

QPushButton* TfMain::button(const char* name) const
{
    return m_ui.buttons.value(QLatin1String(name));
}

QString TfMain::currentPageName() const
{
    QWidget* page = m_ui.pages->currentWidget();
    const QString name = page ? page->objectName() : QString();
    if (QStackedWidget* stack = m_ui.subStacks.value(name))
        if (stack->currentWidget())
            return name + QLatin1Char('/') + stack->currentWidget()->objectName();
    return name;
}

QLabel* TfMain::statusPanel(int index) const
{
    return m_ui.statusPanels.value(index);
}

QAction* TfMain::action(const QString& objectName) const
{
    return m_ui.actions.value(objectName);
}

QPushButton* TfMain::navigationButton(const QString& objectName) const
{
    return m_ui.buttons.value(objectName);
}

DataGrid* TfMain::grid(const QString& objectName) const
{
    return m_ui.grids.value(objectName);
}

// ---- Lists ---------------------------------------------------------------

QString TfMain::currentList() const
{
    const QString name = currentPageName();
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    const RegisterList* r = slash < 0 ? RegisterCatalog::byPage(name, QString())
                                      : RegisterCatalog::byPage(name.left(slash), name.mid(slash + 1));
    return r ? r->list : QString();
}

ListModel* TfMain::listModel(const QString& list) const
{
    return m_models.value(list);
}

DataGrid* TfMain::gridOf(const QString& list) const
{
    const RegisterList* r = RegisterCatalog::byList(list);
    return r ? m_ui.grids.value(r->grid) : nullptr;
}

bool TfMain::reloadList(const QString& list)
{
    TmyDataBase* db = database();
    ListModel* model = m_models.value(list);
    if (!db || !model)
        return false;
    attachModels();
    model->setLabelsOn(true);
    const bool ok = model->reload([&] { return db->reloadList(list); });
    // The title of the order column is marked from the order in force, so a
    // login that restores the default order also moves the mark.
    const ListState& state = db->listState();
    model->setSortColumn(model->columnOfOrder(state.orderColumn(list)), state.isAscending(list));
    return ok;
}

bool TfMain::reloadCurrent()
{
    const QString list = currentList();
    return !list.isEmpty() && reloadList(list);
}

bool TfMain::locate(const QString& list, const QVariant& key)
{
    TmyDataBase* db = database();
    DataGrid* g = gridOf(list);
    if (!db || !g)
        return false;
    g->setUpdatesEnabled(false);
    const bool found = db->locate(list, {key});
    g->followCursor();
    g->setUpdatesEnabled(true);
    return found;
}

bool TfMain::locateInCurrent(const QVariant& key)
{
    return locate(currentList(), key);
}

void TfMain::focusGrid(const QString& list)
{
    if (DataGrid* g = gridOf(list))
        g->setFocus();
}

// ---- Rights and toolbar ----------------------------------------------------

void TfMain::applyRights(const Rights& r)
{
    m_rights = r;
    ToolbarRules::applyRights(m_ui, r);
    followTwins();
}

void TfMain::toolbarState(bool read, bool write)
{
    m_read = read;
    m_write = write;
    ToolbarRules::applyState(m_ui, currentPageName(), read, write);
    disableUnavailableCommands();
    followTwins();
    emit toolbarStateChanged(read, write);
}

void TfMain::followTwins()
{
    // An item that runs a command of its own also needs that command here.
    ToolbarRules::followTwins(m_ui, [this](const char* item) {
        for (const CommandControls& c : kCommandControls)
            if (std::find(c.controls.begin(), c.controls.end(), std::string_view(item)) != c.controls.end())
                return commandAvailable(c.command);
        return true;
    });
}

// ---- Entering registers ------------------------------------------------------

void TfMain::highlight(QPushButton* pressed, QPushButton* sub)
{
    for (auto it = m_ui.buttons.cbegin(); it != m_ui.buttons.cend(); ++it) {
        if (it.value()->parentWidget()->objectName() != QLatin1String("nawigacja"))
            continue; // toolbar buttons
        const char* colours = it.value() == pressed ? kNavOn : (it.value() == sub ? kSubOn : kNavPlain);
        it.value()->setStyleSheet(navStyle(it.value()->property("sub").toBool(), colours));
    }
}

void TfMain::setSubButtonsVisible()
{
    const QString page = m_ui.pages->currentWidget() ? m_ui.pages->currentWidget()->objectName() : QString();
    static const QHash<QString, QString> owner = {
        {QStringLiteral("oprogramowanie"), QStringLiteral("SBOprogramowanie")},
        {QStringLiteral("Dodatkowe"), QStringLiteral("SBDodatkowe")},
        {QStringLiteral("bhp"), QStringLiteral("SBBHP")},
        {QStringLiteral("Slowniki"), QStringLiteral("SBSlowniki")},
    };
    const QString open = owner.value(page);
    const auto& subs = TfMainUi::subButtons();
    for (auto it = subs.cbegin(); it != subs.cend(); ++it)
        for (const QString& name : it.value())
            if (QPushButton* b = m_ui.buttons.value(name))
                b->setVisible(it.key() == open);
}

void TfMain::showPage(const QString& page, const QString& subPage)
{
    if (QWidget* w = m_ui.pageByName.value(page))
        m_ui.pages->setCurrentWidget(w);
    if (!subPage.isEmpty())
        if (QStackedWidget* stack = m_ui.subStacks.value(page))
            if (QWidget* sub = m_ui.pageByName.value(subPage))
                stack->setCurrentWidget(sub);
    setSubButtonsVisible();
    releaseHiddenLists();
}

void TfMain::releaseHiddenLists()
{
    TmyDataBase* db = database();
    if (!db)
        return;
    // A list nobody sees holds its rows for nothing; entering it reads it again.
    for (const RegisterList& r : RegisterCatalog::all()) {
        DataGrid* g = m_ui.grids.value(r.grid);
        ListModel* model = m_models.value(r.list);
        if (!g || !model || g->isVisibleTo(m_ui.pages))
            continue;
        Statement& q = db->statement(r.list);
        if (!q.isOpen() || &model->statement() != &q || ListModel::shownElsewhere(q, model))
            continue;
        model->reload([&] {
            q.close();
            return true;
        });
    }
}

bool TfMain::enterMain(QPushButton* mainButton)
{
    if (!mainButton->isEnabled())
        return false;
    TmyDataBase* db = database();
    // 1. "Tylko aktywne" off for deadlines, repairs and documents.
    if (db)
        db->listState().setActiveOnly(false);
    m_ui.filters->setActiveOnlyChecked(false);
    // 2. Highlight, 3. no classifier.
    highlight(mainButton);
    if (db)
        db->listState().clearRegisterClassifiers();
    m_ui.filters->setClassifierVisible(false);
    return true;
}

bool TfMain::enterSub(QPushButton* mainButton, QPushButton* subButton)
{
    if (!subButton->isEnabled())
        return false;
    highlight(mainButton, subButton);
    if (TmyDataBase* db = database())
        db->listState().clearRegisterClassifiers();
    m_ui.filters->setClassifierVisible(false);
    return true;
}

void TfMain::enterList(const QString& list, bool read)
{
    const RegisterList* r = RegisterCatalog::byList(list);
    reloadList(list);
    focusGrid(list);
    toolbarState(read, r && hasRight(r->writeRight));
}

void TfMain::loadClassifierChoices(const QString& dictionary)
{
    TmyDataBase* db = database();
    if (!db)
        return;
    const QString name = QStringLiteral("DBFKlasFiltr");
    db->reopenLookup(name, dictionary);
    m_ui.filters->setClassifierChoices(db->statement(name));
}

void TfMain::enterAsset(const QString& list, const QString& dictionary)
{
    selectArchCondition();
    enterList(list);
    m_ui.filters->setClassifierChecked(false);
    loadClassifierChoices(dictionary);
    m_ui.filters->setClassifierVisible(true);
    if (m_write)
        action(QStringLiteral("PHurtowaDeaktywacja"))->setVisible(true);
}

void TfMain::enterAdditional(const QString& list, bool viaDateRange)
{
    if (TmyDataBase* db = database())
        db->listState().clearObject(list);
    if (viaDateRange)
        applyDateRange();
    else
        reloadList(list);
    const RegisterList* r = RegisterCatalog::byList(list);
    focusGrid(list);
    toolbarState(true, r && hasRight(r->writeRight));
}

void TfMain::SBStartClick()
{
    if (!enterMain(button("SBStart")))
        return;
    showPage(QStringLiteral("start"));
    toolbarState(false, false);
    emit pageEntered(currentPageName());
}

void TfMain::SBKomputeryClick()
{
    if (!enterMain(button("SBKomputery")))
        return;
    showPage(QStringLiteral("komputery"));
    enterAsset(QStringLiteral("DBFKomputery"), QStringLiteral("KLKOM"));
    emit pageEntered(currentPageName());
}

void TfMain::SBSprzetClick()
{
    if (!enterMain(button("SBSprzet")))
        return;
    showPage(QStringLiteral("sprzet"));
    enterAsset(QStringLiteral("DBFSprzet"), QStringLiteral("KLSPR"));
    emit pageEntered(currentPageName());
}

void TfMain::SBOprogramowanieClick()
{
    if (enterMain(button("SBOprogramowanie")))
        SBProgramyClick();
}

void TfMain::SBProgramyClick()
{
    if (!enterSub(button("SBOprogramowanie"), button("SBProgramy")))
        return;
    showPage(QStringLiteral("oprogramowanie"), QStringLiteral("programy"));
    enterList(QStringLiteral("DBFProgramy"));
    m_ui.filters->setClassifierChecked(false);
    loadClassifierChoices(QStringLiteral("KLOPR"));
    m_ui.filters->setClassifierVisible(true);
    emit pageEntered(currentPageName());
}

void TfMain::SBLicencjeClick()
{
    if (!enterSub(button("SBOprogramowanie"), button("SBLicencje")))
        return;
    showPage(QStringLiteral("oprogramowanie"), QStringLiteral("licencje"));
    selectArchCondition();
    enterList(QStringLiteral("DBFLicencje"));
    if (m_write)
        action(QStringLiteral("PHurtowaDeaktywacja"))->setVisible(true);
    emit pageEntered(currentPageName());
}

void TfMain::SBDodatkoweClick()
{
    if (!enterMain(button("SBDodatkowe")))
        return;
    // The first sub-register the user may read.
    const std::pair<const char*, void (TfMain::*)()> order[] = {
        {"SBTerminarz", &TfMain::SBTerminarzClick}, {"SBNaprawy", &TfMain::SBNaprawyClick},
        {"SBDokumenty", &TfMain::SBDokumentyClick}, {"SBHistoria", &TfMain::SBHistoriaClick},
        {"SBZlecenia", &TfMain::SBZleceniaClick},   {"SBRozliczenia", &TfMain::SBRozliczeniaClick},
        {"SBMagazyn", &TfMain::SBMagazynClick},     {"SBZalaczniki", &TfMain::SBZalacznikiClick},
    };
    for (const auto& [name, slot] : order)
        if (button(name)->isEnabled()) {
            (this->*slot)();
            return;
        }
}

#define SPRZETNIK_ADDITIONAL(Func, Sub, SubPage, List, ViaDateRange)                                         \
    void TfMain::Func()                                                                                      \
    {                                                                                                        \
        if (!enterSub(button("SBDodatkowe"), button(Sub)))                                                   \
            return;                                                                                          \
        showPage(QStringLiteral("Dodatkowe"), QStringLiteral(SubPage));                                      \
        enterAdditional(QStringLiteral(List), ViaDateRange);                                                 \
        emit pageEntered(currentPageName());                                                                 \
    }
SPRZETNIK_ADDITIONAL(SBTerminarzClick, "SBTerminarz", "DodatkoweTerminarz", "DBFTerminy", true)
SPRZETNIK_ADDITIONAL(SBNaprawyClick, "SBNaprawy", "DodatkoweNaprawy", "DBFNaprawy", false)
SPRZETNIK_ADDITIONAL(SBDokumentyClick, "SBDokumenty", "dodatkoweDokumenty", "DBFDokumenty", false)
SPRZETNIK_ADDITIONAL(SBHistoriaClick, "SBHistoria", "DodatkoweHistoria", "DBFHistoria", false)
SPRZETNIK_ADDITIONAL(SBZleceniaClick, "SBZlecenia", "DodatkoweZlecenia", "DBFZlecenia", false)
SPRZETNIK_ADDITIONAL(SBRozliczeniaClick, "SBRozliczenia", "DodatkoweRozliczenia", "DBFRozliczenia", false)
#undef SPRZETNIK_ADDITIONAL

void TfMain::SBZalacznikiClick()
{
    if (!enterSub(button("SBDodatkowe"), button("SBZalaczniki")))
        return;
    showPage(QStringLiteral("Dodatkowe"), QStringLiteral("DodatkoweZalaczniki"));
    enterAdditional(QStringLiteral("DBFZalaczniki"), true);
    action(QStringLiteral("POtworzZalacznik"))->setVisible(true);
    emit pageEntered(currentPageName());
}

void TfMain::SBMagazynClick()
{
    if (!enterSub(button("SBDodatkowe"), button("SBMagazyn")))
        return;
    showPage(QStringLiteral("Dodatkowe"), QStringLiteral("dodatkoweMagazyn"));
    enterList(QStringLiteral("DBFMagazyn"));
    emit pageEntered(currentPageName());
}

void TfMain::SBBHPClick()
{
    if (enterMain(button("SBBHP")))
        SBOdziezSrodkiClick();
}

#define SPRZETNIK_BHP(Func, Sub, SubPage, List)                                                              \
    void TfMain::Func()                                                                                      \
    {                                                                                                        \
        if (!enterSub(button("SBBHP"), button(Sub)))                                                         \
            return;                                                                                          \
        showPage(QStringLiteral("bhp"), QStringLiteral(SubPage));                                            \
        enterList(QStringLiteral(List));                                                                     \
        m_ui.filters->setArchiveVisible(false);                                                              \
        loadClassifierChoices(QStringLiteral("KLBHP"));                                                      \
        m_ui.filters->setClassifierVisible(true);                                                            \
        emit pageEntered(currentPageName());                                                                 \
    }
SPRZETNIK_BHP(SBOdziezSrodkiClick, "SBOdziezSrodki", "odziezSrodki", "DBFBhp")
SPRZETNIK_BHP(SBZakupBhpClick, "SBZakupBhp", "zakupBhp", "DBFZakupBhp")
#undef SPRZETNIK_BHP

void TfMain::SBSlownikiClick()
{
    if (!enterMain(button("SBSlowniki")))
        return;
    showPage(QStringLiteral("Slowniki"), QStringLiteral("SlStart"));
    toolbarState(false, false);
    emit pageEntered(currentPageName());
}

void TfMain::SBOsobowaClick()
{
    if (!enterSub(button("SBSlowniki"), button("SBOsobowa")))
        return;
    showPage(QStringLiteral("Slowniki"), QStringLiteral("slOsobowa"));
    enterList(QStringLiteral("DBFosobowa"));
    emit pageEntered(currentPageName());
}

void TfMain::SBFirmyClick()
{
    if (!enterSub(button("SBSlowniki"), button("SBFirmy")))
        return;
    showPage(QStringLiteral("Slowniki"), QStringLiteral("SlFirmy"));
    enterList(QStringLiteral("DBFFirmy"));
    emit pageEntered(currentPageName());
}

// The pages below are filled by their own features through pageEntered().
#define SPRZETNIK_DICTIONARY_PAGE(Func, Sub, SubPage)                                                        \
    void TfMain::Func()                                                                                      \
    {                                                                                                        \
        if (!enterSub(button("SBSlowniki"), button(Sub)))                                                    \
            return;                                                                                          \
        showPage(QStringLiteral("Slowniki"), QStringLiteral(SubPage));                                       \
        toolbarState(false, false);                                                                          \
        emit pageEntered(currentPageName());                                                                 \
    }
SPRZETNIK_DICTIONARY_PAGE(SBWlKompClick, "SBWlKomp", "SlWlasciwosciKomp")
SPRZETNIK_DICTIONARY_PAGE(SBWlSprzetClick, "SBWlSprzet", "slWlasciwosciSprzet")
SPRZETNIK_DICTIONARY_PAGE(SBDaneFirmyClick, "SBDaneFirmy", "SlDaneFirmy")
#undef SPRZETNIK_DICTIONARY_PAGE

void TfMain::SBBibliotekaClick()
{
    if (!enterSub(button("SBSlowniki"), button("SBBiblioteka")))
        return;
    showPage(QStringLiteral("Slowniki"), QStringLiteral("SlBiblioteka"));
    toolbarState(false, false);
    emit pageEntered(currentPageName()); // the dictionary editor is shown modally here
    SBSlownikiClick();
}

void TfMain::SBRaportyClick()
{
    if (!enterMain(button("SBRaporty")))
        return;
    showPage(QStringLiteral("Raporty"));
    toolbarState(false, false);
    emit pageEntered(currentPageName());
}

// ---- Filters -----------------------------------------------------------------

void TfMain::resetFilters()
{
    m_ui.filters->resetControls();
    if (TmyDataBase* db = database()) {
        db->listState().setDateRange(0, ListState::kNoUpperBound);
        db->listState().setArchive(false);
        db->listState().setActiveOnly(false);
    }
}

void TfMain::applyDateRange()
{
    TmyDataBase* db = database();
    if (!db)
        return;
    const qint64 from = m_ui.filters->dateFrom();
    const qint64 to = m_ui.filters->dateTo();
    db->listState().setDateRange(from, to == 0 ? ListState::kNoUpperBound : to);
    const QString list = currentList();
    if (reloadedByDateRange(list))
        reloadList(list);
}

void TfMain::selectArchCondition()
{
    if (TmyDataBase* db = database())
        db->listState().setArchive(m_ui.filters->liquidated());
}

void TfMain::CBPokazElementyChange()
{
    selectArchCondition();
    const QString name = currentPageName();
    if (name == QLatin1String("komputery"))
        SBKomputeryClick();
    else if (name == QLatin1String("sprzet"))
        SBSprzetClick();
    else if (name == QLatin1String("oprogramowanie/licencje"))
        SBLicencjeClick();
    else if (name.startsWith(QLatin1String("bhp")))
        SBBHPClick();
}

QString TfMain::classifierList() const
{
    const QString list = currentList();
    static const QStringList lists = {QStringLiteral("DBFKomputery"), QStringLiteral("DBFSprzet"),
                                      QStringLiteral("DBFProgramy"), QStringLiteral("DBFBhp"),
                                      QStringLiteral("DBFZakupBhp")};
    return lists.contains(list) ? list : QString();
}

void TfMain::filtrIDKlasyfikatorCloseUp()
{
    TmyDataBase* db = database();
    const QString list = classifierList();
    qint64 kod = 0;
    if (!db || list.isEmpty() || !m_ui.filters->chosenClassifier(&kod))
        return;
    db->listState().setClassifier(list, kod);
    reloadList(list);
    m_ui.filters->setClassifierChecked(true);
}

void TfMain::filtrUseKlasywikatorClick(bool checked)
{
    TmyDataBase* db = database();
    const QString list = classifierList();
    if (!db || list.isEmpty())
        return;
    if (checked) {
        filtrIDKlasyfikatorCloseUp();
        // Nothing chosen: a ticked box would claim a filter that is not there.
        if (!m_ui.filters->chosenClassifier(nullptr))
            m_ui.filters->setClassifierChecked(false);
        return;
    }
    db->listState().clearCondition(list, ListState::Role::Classifier);
    reloadList(list);
}

void TfMain::filtrTylkoActClick(bool checked)
{
    if (TmyDataBase* db = database())
        db->listState().setActiveOnly(checked);
    applyDateRange();
}

void TfMain::KomputeryGridTitleClick(DataGrid* g, int column)
{
    TmyDataBase* db = database();
    const RegisterList* r = RegisterCatalog::byGrid(g->objectName());
    ListModel* model = g->listModel();
    if (!db || !r || !model || column < 0 || column >= model->columnCount())
        return;
    db->listState().sortBy(r->list, model->columns().at(column).field);
    reloadList(r->list);
}

// ---- Column layouts -------------------------------------------------------------

void TfMain::restoreGridLayouts()
{
    if (m_gridStorage)
        return; // once per run: after a logout the widths stay as the user left them
    m_gridStorage = std::make_unique<TVXGridStorage>(AppPaths::configFile(Config::kFileName));
    for (const RegisterList& r : RegisterCatalog::all())
        m_gridStorage->AddDBGrid(m_ui.grids.value(r.grid), QStringLiteral("MAIN_") + r.grid);
    m_gridStorage->adoptRegisteredGrids();
    emit registeringGridLayouts(*m_gridStorage);
    m_gridStorage->LoadWidths();
}

void TfMain::saveGridLayouts()
{
    if (m_gridStorage)
        m_gridStorage->SaveWidths();
}

void TfMain::Przywrszerokotabel1Click()
{
    if (m_gridStorage && !m_gridStorage->RestoreDefaultWidths())
        Dialogs::info(QStringLiteral("Błąd"), QStringLiteral("Nie udało się zapisać pliku ") +
                                                  QDir::toNativeSeparators(m_gridStorage->path()));
}

void TfMain::hideFirstPaintPanels()
{
    ListModel* model = m_models.value(QStringLiteral("DBFTerminy"));
    if (model->columnOf(QStringLiteral("OSOBA")) < 0 && model->columnOf(QStringLiteral("LOK")) < 0)
        return;
    model->removeField(QStringLiteral("OSOBA"));
    model->removeField(QStringLiteral("LOK"));
    // The widths were stored for the grid without these two columns: with the
    // nine design columns present at start-up they did not fit, now they do.
    if (m_gridStorage)
        m_gridStorage->LoadWidths(gridOf(QStringLiteral("DBFTerminy")));
}

// ---- Window events -------------------------------------------------------------

bool TfMain::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        // Panel 2, not a message over the date and user panels.
        if (QLabel* panel = statusPanel(2))
            panel->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
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
