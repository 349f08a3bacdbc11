#pragma once

#include <QHash>
#include <QList>
#include <QString>

class DataGrid;
class FilterBar;
class QAction;
class QIcon;
class QKeySequence;
class QLabel;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QWidget;
class TfMain;

// The controls of the main window and how they are laid out: the navigation
// column, the register pages with their grids, the toolbar, the filter bar,
// the menus, the grids' shared popup menu and the status bar. The window's
// behaviour lives in TfMain.
class TfMainUi
{
public:
    void setupUi(TfMain* window);

    QStackedWidget* pages = nullptr; // zakladki
    QHash<QString, QWidget*> pageByName;
    QHash<QString, QStackedWidget*> subStacks; // page -> its second page control
    QHash<QString, QPushButton*> buttons;      // navigation and toolbar buttons
    QHash<QString, QAction*> actions;          // menu and popup items
    QHash<QString, DataGrid*> grids;
    QList<DataGrid*> gridOrder; // creation order
    FilterBar* filters = nullptr;
    QMenu* popup = nullptr; // PopupMenu1
    QPlainTextEdit* scratchPad = nullptr;
    QList<QLabel*> statusPanels;

    // Sub-buttons shown under their main button while its register is open.
    static const QHash<QString, QStringList>& subButtons();
    // The program's icon in its sizes.
    static QIcon programIcon();
    // The text of a page whose feature is not built yet.
    static QString comingText();

private:
    void buildNavigation(TfMain* window, QWidget* column);
    void buildPages();
    void addComingLabels();
    void buildToolbar(QWidget* panel);
    void buildMenus(TfMain* window);
    void buildPopup(TfMain* window);
    QWidget* makeGridPage(const QString& pageName, const QString& gridName);
    QAction* addMenuAction(TfMain* window, QMenu* menu, const QString& name, const QString& caption,
                           const QKeySequence& key, void (TfMain::*slot)() = nullptr);
};
