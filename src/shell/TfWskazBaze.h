#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class OldTablesPage;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
struct ServerAddress;

// "Baza danych": create a new database from the shipped templates, point the
// program at an existing one, or bring a database of the previous version
// over into a new one, or work on a database on a server (made there from the
// same templates when it is new or empty); then remember the choice and its
// password. Pages without tabs: the menu, the new database, the existing
// database, the previous version's database and the server.
class TfWskazBaze : public QDialog
{
    Q_OBJECT

public:
    enum Page
    {
        MenuPage = 0,
        NewPage = 1,
        OpenPage = 2,
        ImportPage = 3,
        ServerPage = 4
    };

    explicit TfWskazBaze(QWidget* parent = nullptr);

    int currentPage() const;
    // Back to the first page, as at every show.
    void showMenu();

    // An empty text when the password may protect a database, else the message.
    static QString passwordProblem(const QString& password);
    // The folder the new database goes to: `folder` itself when it is already
    // named Sprzetnik_DB (any letter case), else its sub-folder of that name.
    static QString databaseFolderFor(const QString& folder);
    // What a new database's successful creation tells, on the file or a server.
    static QString createdText(bool withSampleData);
    // Where the folder pickers start.
    static QString startFolder();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildMenuPage();
    QWidget* buildNewPage();
    QWidget* buildOpenPage();
    QWidget* buildOldTablesPage();
    QWidget* buildServerPage();
    QWidget* pageHeading(const QString& instruction, QLabel** instructionLabel = nullptr);

    void dalejClick();
    void menuDalej();
    void zalozClick();
    void otworzClick();
    void przeniesClick();
    void polaczClick();
    ServerAddress serverAddress() const;
    void updateServerButton();
    // Makes the program's tables in the empty database; answers success (failures shown).
    bool createOnServer(const ServerAddress& address);
    void nowyFolderClick();
    void chooseNewFolder();
    void chooseExistingFolder();
    void updateOpenButton();
    void showHelp();
    // Builds the database in `folder`; answers success (failures already shown).
    bool createDatabase(const QString& folder, bool withSampleData, const QString& password);

    QStackedWidget* m_pages;
    QPushButton* m_logowanie;
    QPushButton* m_menu;
    QPushButton* m_dalej;
    // Menu page
    QRadioButton* m_rbNowa;
    QRadioButton* m_rbOtworz;
    QRadioButton* m_rbPrzenies;
    QRadioButton* m_rbSerwer;
    QLabel* m_infoBrakBazy;
    QLineEdit* m_lokalizacja2;
    // New database
    QLineEdit* m_DBDir;
    QCheckBox* m_cbDEMO;
    // Existing database
    QLineEdit* m_lokalizacja;
    QString m_eDBDir; // the folder last chosen with the picker
    // Previous version's database
    OldTablesPage* m_oldTables;
    // Database server
    QLineEdit* m_serwerAdres;
    QSpinBox* m_serwerPort;
    QLineEdit* m_serwerBaza;
    QLineEdit* m_serwerUzytkownik;
    QLineEdit* m_serwerHaslo;
    QCheckBox* m_cbSerwerTLS;
    QCheckBox* m_cbDEMOSerwer;
    bool m_hasDatabase = false;
};
