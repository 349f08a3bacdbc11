#pragma once

#include "registers/TfMainUi.h"
#include "store/TmyDataBase.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class DataGrid;
class FilterBar;
class ListTools;
class ListModel;
class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TVXGridStorage;

// The main window: the navigation column, one register page at a time, the
// toolbar of record commands, the filter bar, the menus and the status bar.
// Every register grid shows its list query through a ListModel; filters and
// sort order live in the data module's list state.
class TfMain : public QMainWindow
{
    Q_OBJECT

public:
    // The record commands of the toolbar, the "&Edycja" menu and the popup.
    enum class Command
    {
        Preview,
        Add,
        Edit,
        Delete,
        Copy,
        Search,
        Csv,
        Print,
        Liquidate,
        BulkDeactivate,
        OpenAttachment,
        Note,
        Sums,
        // "Drukuj etykiety": labels with barcodes for the rows of the list.
        Labels
    };

    // `db`: the data module; the one created at start-up when null.
    explicit TfMain(QWidget* parent = nullptr, TmyDataBase* db = nullptr);
    ~TfMain() override;

    TmyDataBase* database() const;

    // Navigation (one per button and "&Widok" item). A register whose button
    // is disabled (no read right) is not entered.
    void SBStartClick();
    void SBKomputeryClick();
    void SBOprogramowanieClick();
    void SBProgramyClick();
    void SBLicencjeClick();
    void SBSprzetClick();
    void SBDodatkoweClick();
    void SBTerminarzClick();
    void SBNaprawyClick();
    void SBDokumentyClick();
    void SBHistoriaClick();
    void SBZleceniaClick();
    void SBRozliczeniaClick();
    void SBMagazynClick();
    void SBZalacznikiClick();
    void SBBHPClick();
    void SBOdziezSrodkiClick();
    void SBZakupBhpClick();
    void SBSlownikiClick();
    void SBOsobowaClick();
    void SBFirmyClick();
    void SBWlKompClick();
    void SBWlSprzetClick();
    void SBBibliotekaClick();
    void SBDaneFirmyClick();
    void SBRaportyClick();

    // Enables navigation buttons and menu items by the user's rights and
    // keeps the rights for the write state of each register.
    void applyRights(const Rights& rights);
    // Enables the record commands from the two switches and the register shown.
    void toolbarState(bool read, bool write);
    bool toolbarRead() const { return m_read; }
    bool toolbarWrite() const { return m_write; }

    // Filters.
    // After login: empty date range, current records, "Tylko aktywne" unticked.
    void resetFilters();
    // Enter in a date edit or a day picked: the range of every list, then the
    // list shown is reloaded where the range applies to it.
    void applyDateRange();
    // The archive condition of computers, equipment and licences from the selector.
    void selectArchCondition();
    void CBPokazElementyChange();
    void filtrIDKlasyfikatorCloseUp();
    void filtrUseKlasywikatorClick(bool checked);
    void filtrTylkoActClick(bool checked);
    // A column title clicked on a register grid: sort by that column.
    void KomputeryGridTitleClick(DataGrid* grid, int column);

    // Lists.
    // The list query of the register shown; empty on pages without a list.
    QString currentList() const;
    ListModel* listModel(const QString& list) const;
    DataGrid* gridOf(const QString& list) const;
    // Reloads a list from its list state (object labels on) and refreshes its grid.
    bool reloadList(const QString& list);
    bool reloadCurrent();
    // Puts the cursor on the row with the key; past the last row when absent.
    bool locate(const QString& list, const QVariant& key);
    bool locateInCurrent(const QVariant& key);

    // Record commands are supplied by the features that implement them. A
    // command without a handler, or whose `available` answers false for the
    // register shown (its page name without the page: "komputery",
    // "DodatkoweNaprawy"), has its controls disabled.
    void setRecordCommand(Command command, std::function<void()> handler,
                          std::function<bool(const QString& registerName)> available = {});
    void runCommand(Command command);
    bool commandAvailable(Command command) const;
    // Double click or Enter on a grid: edit, or preview without the write state.
    void gridActivated();

    // Column layouts in "sprzetnik.ini".
    // First start-up: registers the grids and applies the stored widths; later
    // runs (after a logout) keep the widths as they are.
    void restoreGridLayouts();
    // Closing: writes the widths of every registered grid.
    void saveGridLayouts();
    // "Przywróć domyślne szerokości tabel".
    void Przywrszerokotabel1Click();
    TVXGridStorage* gridStorage() const { return m_gridStorage.get(); }
    // First paint: the deadline grid loses its OSOBA and LOK columns.
    void hideFirstPaintPanels();

    // The page shown: "start", "komputery", ... ; with a sub-page "Dodatkowe/DodatkoweNaprawy".
    QString currentPageName() const;

    QPlainTextEdit* scratchPad() const { return m_ui.scratchPad; }
    QLabel* statusPanel(int index) const;
    QAction* action(const QString& objectName) const;
    QPushButton* navigationButton(const QString& objectName) const;
    DataGrid* grid(const QString& objectName) const;
    FilterBar* filterBar() const { return m_ui.filters; }
    // Search, sums, CSV, the Fiszka card and the property-names pages.
    ListTools& listTools() const { return *m_listTools; }

    // Shell commands are wired by the start-up controller.
    struct ShellCommands
    {
        std::function<void()> logout, accounts, openErrorLog, help, supportMail, about;
    };
    void setShellCommands(ShellCommands commands) { m_shell = std::move(commands); }

signals:
    void closeRequested(bool* allow);
    void closing();
    void resized(int width, int height);
    // A page was entered (currentPageName()); pages filled by other features
    // (properties, dictionaries, own company, reports) do their work here.
    void pageEntered(const QString& page);
    // A "&Widok" report item: the report page is shown, select this tab.
    void reportTabRequested(int tab);
    void toolbarStateChanged(bool read, bool write);
    // restoreGridLayouts(): the other windows add their grids to the store now.
    void registeringGridLayouts(TVXGridStorage& storage);

protected:
    // Hints: the long part shows in panel 2 of the status bar.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void attachModels();
    void connectCommands();
    void disableUnavailableCommands();
    // Menu and popup items take the state of their toolbar or menu twin.
    void followTwins();
    bool hasRight(int right) const;
    QPushButton* button(const char* name) const;

    // Entering registers.
    void highlight(QPushButton* pressed, QPushButton* sub = nullptr);
    void showPage(const QString& page, const QString& subPage = {});
    // Closes the lists of the pages not shown (their rows freed).
    void releaseHiddenLists();
    void setSubButtonsVisible();
    // Steps of a main button before its page is shown; false without the read right.
    bool enterMain(QPushButton* button);
    bool enterSub(QPushButton* mainButton, QPushButton* subButton);
    void enterList(const QString& list, bool read = true);
    void enterAsset(const QString& list, const QString& dictionary);
    void enterAdditional(const QString& list, bool viaDateRange);
    void loadClassifierChoices(const QString& dictionary);
    void focusGrid(const QString& list);
    QString classifierList() const;

    TfMainUi m_ui;
    TmyDataBase* m_db = nullptr;
    QHash<QString, ListModel*> m_models; // list -> model of its grid
    std::map<Command, std::function<void()>> m_commands;
    std::map<Command, std::function<bool(const QString&)>> m_available;
    Rights m_rights{};
    bool m_read = false;
    bool m_write = false;
    std::unique_ptr<TVXGridStorage> m_gridStorage;
    ShellCommands m_shell;
    ListTools* m_listTools = nullptr;
};
