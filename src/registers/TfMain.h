#pragma once

#include "store/TmyDataBase.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class DataGrid;
class QToolButton;
class QWidget;

// The main window: the navigation column, one register page at a time, the
// toolbar of record commands, the filter bar, the menus and the status bar.
class TfMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfMain(QWidget* parent = nullptr);

    // Navigation (one per button and "&Widok" item).
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

    // Enables navigation buttons and menu items by the user's rights.
    void applyRights(const Rights& rights);
    // Enables the record commands from the two switches.
    void toolbarState(bool read, bool write);

    // The page shown: "start", "komputery", ... ; with a sub-page "Dodatkowe/DodatkoweNaprawy".
    QString currentPageName() const;

    QPlainTextEdit* scratchPad() const { return m_scratchPad; }
    QLabel* statusPanel(int index) const;
    QAction* action(const QString& objectName) const;
    QPushButton* navigationButton(const QString& objectName) const;
    DataGrid* grid(const QString& objectName) const;

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildNavigation(QWidget* column);
    void buildPages();
    void buildToolbar(QWidget* panel);
    void buildFilterBar(QWidget* panel);
    void buildMenus();
    QWidget* makeGridPage(const QString& pageName, const QString& gridName);
    QPushButton* addNavButton(const QString& name, const QString& caption, void (TfMain::*slot)());
    QAction* addMenuAction(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key,
                           void (TfMain::*slot)() = nullptr);
    void highlight(QPushButton* pressed);
    void showPage(const QString& page, const QString& subPage = {});
    void enterMain(QPushButton* button, const QString& page, const QString& subPage = {});
    void enterSub(QPushButton* mainButton, QPushButton* subButton, const QString& page, const QString& subPage);
    void setSubButtonsVisible();

    QStackedWidget* m_pages = nullptr;
    QHash<QString, QWidget*> m_pageByName;
    QHash<QString, QStackedWidget*> m_subStacks;
    QHash<QString, QPushButton*> m_nav;
    QHash<QString, QAction*> m_actions;
    QHash<QString, DataGrid*> m_grids;
    QPlainTextEdit* m_scratchPad = nullptr;
    QList<QLabel*> m_statusPanels;
    ShellCommands m_shell;
};
