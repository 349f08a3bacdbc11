#include "shell/TfWskazBaze.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "shell/OldTablesPage.h"
#include "shell/TfTutorial1.h"
#include "store/DatabaseCheck.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/ServerDatabase.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
const QString kDalej = QStringLiteral("  &Dalej   >>  ");
const QString kZaloz = QStringLiteral(" Z&ałóż >>");
const QString kOtworz = QStringLiteral("&Otwórz >>");
const QString kPrzenies = QStringLiteral("&Przenieś >>");
const QString kPolacz = QStringLiteral("&Połącz >>");
const QString kSubFolder = QStringLiteral("Sprzetnik_DB");

QString cleanFolder(const QString& folder)
{
    QString path = QDir::fromNativeSeparators(folder.trimmed());
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// The table-open test with what the file shows when it fails; the failure is logged.
DatabaseCheck::Result opens(const QString& folder, const QString& password)
{
    const DatabaseCheck::Result result =
        DatabaseCheck::openTest(TmyDataBase::databaseFile(folder), TableList::files().first(), password);
    if (!result.ok())
        ErrorLog::writeLine(DatabaseCheck::logLine(result));
    return result;
}
} // namespace

TfWskazBaze::TfWskazBaze(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfWskazBaze"));
    setWindowTitle(QStringLiteral("Baza danych"));
    setModal(true);
    resize(600, 420);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("strony"));
    m_pages->addWidget(buildMenuPage());
    m_pages->addWidget(buildNewPage());
    m_pages->addWidget(buildOpenPage());
    m_pages->addWidget(buildOldTablesPage());
    m_pages->addWidget(buildServerPage());

    m_logowanie = new QPushButton(QStringLiteral("&Logowanie"), this);
    m_logowanie->setObjectName(QStringLiteral("logowanie"));
    m_logowanie->setAutoDefault(false);
    connect(m_logowanie, &QPushButton::clicked, this, &QDialog::accept);
    m_menu = new QPushButton(QStringLiteral("<<  &Menu   "), this);
    m_menu->setObjectName(QStringLiteral("menu"));
    m_menu->setAutoDefault(false);
    connect(m_menu, &QPushButton::clicked, this, &TfWskazBaze::showMenu);
    m_dalej = new QPushButton(kDalej, this);
    m_dalej->setObjectName(QStringLiteral("dalej"));
    m_dalej->setDefault(true);
    connect(m_dalej, &QPushButton::clicked, this, &TfWskazBaze::dalejClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_logowanie);
    buttons->addStretch();
    buttons->addWidget(m_menu);
    buttons->addWidget(m_dalej);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TfWskazBaze::showHelp);

    m_DBDir->setText(QDir::toNativeSeparators(startFolder()));
    m_eDBDir = startFolder();
    showMenu();
}

QString TfWskazBaze::startFolder()
{
#ifdef Q_OS_WIN
    return QDir::rootPath();
#else
    // The root folder is not writable here; the user's own folder is the usual start.
    return QDir::homePath();
#endif
}

QWidget* TfWskazBaze::pageHeading(const QString& instruction, QLabel** instructionLabel)
{
    auto* box = new QWidget;
    auto* heading = new QLabel(QStringLiteral("Konfiguracja bazy danych"), box);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    heading->setFont(font);
    auto* help = new QPushButton(QStringLiteral("Pomoc (F1)"), box);
    help->setObjectName(QStringLiteral("pomoc"));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, &TfWskazBaze::showHelp);
    auto* top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(help);
    auto* text = new QLabel(instruction, box);
    text->setWordWrap(true);
    if (instructionLabel)
        *instructionLabel = text;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(text);
    return box;
}

QWidget* TfWskazBaze::buildMenuPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("stronaMenu"));
    QLabel* instruction = nullptr;
    QWidget* heading =
        pageHeading(QStringLiteral("Wybierz i kliknij \" DALEJ >> \"   -   przycisk u dołu:"), &instruction);
    instruction->setObjectName(QStringLiteral("instrukcja"));

    m_rbNowa = new QRadioButton(QStringLiteral("Stwórz nową bazę danych"), page);
    m_rbNowa->setObjectName(QStringLiteral("rbNowa"));
    m_rbOtworz = new QRadioButton(QStringLiteral("Wskaż lokalizację istniejącej bazy danych"), page);
    m_rbOtworz->setObjectName(QStringLiteral("rbOtworz"));
    m_rbPrzenies = new QRadioButton(QStringLiteral("Przenieś dane z poprzedniej wersji programu"), page);
    m_rbPrzenies->setObjectName(QStringLiteral("rbPrzenies"));
    m_rbSerwer = new QRadioButton(
        QStringLiteral("Połącz z bazą danych na serwerze (praca na wielu stanowiskach)"), page);
    m_rbSerwer->setObjectName(QStringLiteral("rbSerwer"));
    m_infoBrakBazy = new QLabel(page);
    m_infoBrakBazy->setObjectName(QStringLiteral("infoBrakBazy"));
    m_infoBrakBazy->setWordWrap(true);
    auto* currentLabel = new QLabel(QStringLiteral("Obecna lokalizacja bazy danych:"), page);
    m_lokalizacja2 = new QLineEdit(page);
    m_lokalizacja2->setObjectName(QStringLiteral("lokalizacja2"));
    m_lokalizacja2->setReadOnly(true);
    currentLabel->setBuddy(m_lokalizacja2);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading);
    layout->addWidget(m_rbNowa);
    layout->addWidget(m_rbOtworz);
    layout->addWidget(m_rbPrzenies);
    layout->addWidget(m_rbSerwer);
    layout->addStretch();
    layout->addWidget(m_infoBrakBazy);
    layout->addWidget(currentLabel);
    layout->addWidget(m_lokalizacja2);
    return page;
}

QWidget* TfWskazBaze::buildNewPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("stronaNowa"));
    const QString hint = QStringLiteral("Wskaż położenie bazy danych");

    m_DBDir = new QLineEdit(page);
    m_DBDir->setObjectName(QStringLiteral("DBDir"));
    m_DBDir->setToolTip(hint);
    auto* choose = new QPushButton(QStringLiteral("Wybierz folder..."), page);
    choose->setObjectName(QStringLiteral("DBDrive"));
    choose->setToolTip(hint);
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &TfWskazBaze::chooseNewFolder);
    auto* newFolder = new QPushButton(QStringLiteral("Nowy folder"), page);
    newFolder->setObjectName(QStringLiteral("SBNowyFolder"));
    newFolder->setToolTip(QStringLiteral("Stwórz nowy podkatalog  w wybranej lokalizacji"));
    newFolder->setAutoDefault(false);
    connect(newFolder, &QPushButton::clicked, this, &TfWskazBaze::nowyFolderClick);
    m_cbDEMO = new QCheckBox(QStringLiteral("Do bazy dołącz przykładowe dane"), page);
    m_cbDEMO->setObjectName(QStringLiteral("cbDEMO"));

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_DBDir, 1);
    folderRow->addWidget(choose);
    folderRow->addWidget(newFolder);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pageHeading(QStringLiteral("Wskaż położenie plików nowej bazy danych")));
    layout->addLayout(folderRow);
    layout->addStretch();
    layout->addWidget(m_cbDEMO);
    return page;
}

QWidget* TfWskazBaze::buildOpenPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("stronaOtworz"));

    auto* choose = new QPushButton(QStringLiteral("Wybierz folder..."), page);
    choose->setObjectName(QStringLiteral("eDBDrive"));
    choose->setToolTip(QStringLiteral("Odszukaj bazę danych"));
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &TfWskazBaze::chooseExistingFolder);
    auto* label = new QLabel(QStringLiteral("Brak dysku? Wpisz ręcznie lokalizację bazy danych:"), page);
    m_lokalizacja = new QLineEdit(page);
    m_lokalizacja->setObjectName(QStringLiteral("lokalizacja"));
    label->setBuddy(m_lokalizacja);
    connect(m_lokalizacja, &QLineEdit::textChanged, this, &TfWskazBaze::updateOpenButton);

    auto* chooseRow = new QHBoxLayout;
    chooseRow->addWidget(choose);
    chooseRow->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pageHeading(QStringLiteral("Wskaż lokalizację istniejącej bazy danych")));
    layout->addLayout(chooseRow);
    layout->addStretch();
    layout->addWidget(label);
    layout->addWidget(m_lokalizacja);
    return page;
}

QWidget* TfWskazBaze::buildOldTablesPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("stronaPrzenies"));
    m_oldTables = new OldTablesPage(page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pageHeading(QStringLiteral("Przenieś dane z poprzedniej wersji programu")));
    layout->addWidget(m_oldTables, 1);
    return page;
}

QWidget* TfWskazBaze::buildServerPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("stronaSerwer"));

    m_serwerAdres = new QLineEdit(page);
    m_serwerAdres->setObjectName(QStringLiteral("SerwerAdres"));
    m_serwerAdres->setToolTip(
        QStringLiteral("Nazwa lub adres IP komputera, na którym działa serwer bazy danych"));
    m_serwerPort = new QSpinBox(page);
    m_serwerPort->setObjectName(QStringLiteral("SerwerPort"));
    m_serwerPort->setRange(1, 65535);
    m_serwerPort->setValue(5432);
    m_serwerPort->setGroupSeparatorShown(false);
    m_serwerBaza = new QLineEdit(page);
    m_serwerBaza->setObjectName(QStringLiteral("SerwerBaza"));
    m_serwerBaza->setToolTip(QStringLiteral("Nazwa bazy danych programu na serwerze"));
    m_serwerUzytkownik = new QLineEdit(page);
    m_serwerUzytkownik->setObjectName(QStringLiteral("SerwerUzytkownik"));
    m_serwerHaslo = new QLineEdit(page);
    m_serwerHaslo->setObjectName(QStringLiteral("SerwerHaslo"));
    m_serwerHaslo->setEchoMode(QLineEdit::Password);
    m_cbSerwerTLS = new QCheckBox(QStringLiteral("Wymagaj połączenia szyfrowanego (TLS)"), page);
    m_cbSerwerTLS->setObjectName(QStringLiteral("cbSerwerTLS"));
    m_cbDEMOSerwer =
        new QCheckBox(QStringLiteral("Zakładając nową bazę na serwerze, dołącz przykładowe dane"), page);
    m_cbDEMOSerwer->setObjectName(QStringLiteral("cbDEMOSerwer"));
    for (QLineEdit* edit : {m_serwerAdres, m_serwerBaza, m_serwerUzytkownik})
        connect(edit, &QLineEdit::textChanged, this, &TfWskazBaze::updateServerButton);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Adres serwera:"), m_serwerAdres);
    form->addRow(QStringLiteral("P&ort:"), m_serwerPort);
    form->addRow(QStringLiteral("&Nazwa bazy danych:"), m_serwerBaza);
    form->addRow(QStringLiteral("&Użytkownik:"), m_serwerUzytkownik);
    form->addRow(QStringLiteral("&Hasło:"), m_serwerHaslo);
    form->addRow(QString(), m_cbSerwerTLS);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pageHeading(QStringLiteral("Wskaż bazę danych na serwerze. Pustą bazę program "
                                                 "przygotuje sam; bazy, której nie ma, może założyć, "
                                                 "jeśli użytkownik serwera ma do tego prawo.")));
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(m_cbDEMOSerwer);
    return page;
}

int TfWskazBaze::currentPage() const
{
    return m_pages->currentIndex();
}

void TfWskazBaze::showEvent(QShowEvent* event)
{
    showMenu();
    QDialog::showEvent(event);
}

void TfWskazBaze::showMenu()
{
    m_cbDEMO->setChecked(true);
    DatabaseLocation& location = DatabaseLocation::global();
    const DatabaseLocation::TestResult test = location.test(true);
    m_hasDatabase = test == DatabaseLocation::Ok;
    m_logowanie->setEnabled(m_hasDatabase);
    m_lokalizacja2->setText(m_hasDatabase ? location.display() : QStringLiteral("<brak bazy>"));
    if (m_hasDatabase)
        m_infoBrakBazy->setText(QStringLiteral("Baza danych istnieje."));
    else if (!location.onServer() &&
             (test == DatabaseLocation::NoDatabase || test == DatabaseLocation::WrongPassword))
        m_infoBrakBazy->setText(QStringLiteral("Z programem nie skojarzono do tej pory żadnej bazy danych."));
    else
        m_infoBrakBazy->setText(location.problemText()); // the file is there but cannot be used

    m_pages->setCurrentIndex(MenuPage);
    m_rbNowa->setChecked(true);
    if (location.onServer()) {
        const ServerAddress& server = location.server();
        m_serwerAdres->setText(server.host);
        m_serwerPort->setValue(server.port);
        m_serwerBaza->setText(server.database);
        m_serwerUzytkownik->setText(server.user);
        m_serwerHaslo->setText(server.password);
        m_cbSerwerTLS->setChecked(server.requireTls);
    }
    m_dalej->setEnabled(true);
    m_dalej->setText(kDalej);
    m_menu->setEnabled(false);
}

void TfWskazBaze::dalejClick()
{
    switch (m_pages->currentIndex()) {
    case MenuPage:
        menuDalej();
        break;
    case NewPage:
        zalozClick();
        break;
    case OpenPage:
        otworzClick();
        break;
    case ImportPage:
        przeniesClick();
        break;
    case ServerPage:
        polaczClick();
        break;
    }
}

void TfWskazBaze::menuDalej()
{
    m_menu->setEnabled(true);
    m_hasDatabase = DatabaseLocation::global().test(true) == DatabaseLocation::Ok;
    m_logowanie->setEnabled(m_hasDatabase);

    const QString keptNote =
        QStringLiteral(" Obecna baza danych nie zostanie fizycznie usunięta i w każdej chwili "
                       "będzie można otworzyć ją ponownie.");
    if (m_rbNowa->isChecked()) {
        if (m_hasDatabase &&
            !Dialogs::question(QStringLiteral("Pytanie"),
                               QStringLiteral("Baza danych już istnieje. Czy chcesz stworzyć "
                                              "nową bazę?") +
                                   keptNote))
            return;
        m_pages->setCurrentIndex(NewPage);
        m_dalej->setText(kZaloz);
        m_DBDir->setFocus();
        return;
    }
    if (m_rbPrzenies->isChecked()) {
        if (m_hasDatabase &&
            !Dialogs::question(
                QStringLiteral("Pytanie"),
                QStringLiteral("Baza danych już istnieje. Czy chcesz przenieść do programu dane z "
                               "poprzedniej wersji? Trafią one do nowej bazy.") +
                    keptNote))
            return;
        m_pages->setCurrentIndex(ImportPage);
        m_dalej->setText(kPrzenies);
        return;
    }
    const bool server = m_rbSerwer->isChecked();
    if (m_hasDatabase && !Dialogs::question(QStringLiteral("Pytanie"),
                                            QStringLiteral("Baza danych już istnieje. Czy chcesz skojarzyć z "
                                                           "programem inną bazę?") +
                                                keptNote))
        return;
    if (server) {
        m_pages->setCurrentIndex(ServerPage);
        m_dalej->setText(kPolacz);
        updateServerButton();
        m_serwerAdres->setFocus();
        return;
    }
    m_pages->setCurrentIndex(OpenPage);
    m_dalej->setText(kOtworz);
    m_lokalizacja->setText(QDir::toNativeSeparators(cleanFolder(m_eDBDir)));
    updateOpenButton();
}

QString TfWskazBaze::passwordProblem(const QString& password)
{
    return DatabaseTemplate::passwordProblem(password);
}

QString TfWskazBaze::createdText(bool withSampleData)
{
    return (withSampleData
                ? QStringLiteral("Zakładanie nowej bazy i przykładowych danych zakończyło się sukcesem.")
                : QStringLiteral("Zakładanie nowej bazy danych zakończyło się sukcesem.")) +
           QStringLiteral(" Możesz teraz zalogować się programu podając użytkownika \"ADMIN\" i hasło "
                          "\"kubol\" (małe litery hasła). Hasło to będzie można zmienić w programie.");
}

QString TfWskazBaze::databaseFolderFor(const QString& folder)
{
    const QString clean = cleanFolder(folder);
    if (QFileInfo(clean).fileName().compare(kSubFolder, Qt::CaseInsensitive) == 0)
        return clean;
    return clean.endsWith(QLatin1Char('/')) ? clean + kSubFolder : clean + QLatin1Char('/') + kSubFolder;
}

void TfWskazBaze::zalozClick()
{
    QString password;
    for (;;) {
        password.clear();
        if (!Dialogs::prompt(
                QStringLiteral("Podaj hasło"),
                QStringLiteral("Proszę podać nowe hasło, które będzie zabezpieczać bazę danych przed "
                               "niepowołanymi osobami. Tylko małe i duże litery lub cyfry. Długość "
                               "od 3 do 15 znaków."),
                password))
            return;
        const QString problem = passwordProblem(password);
        if (problem.isEmpty())
            break;
        Dialogs::info(QStringLiteral("Informacja"), problem);
    }

    QString folder = cleanFolder(m_DBDir->text());
    const QString target = databaseFolderFor(folder);
    bool madeFolder = false;
    if (target != folder) {
        madeFolder = !QDir(target).exists();
        if (!madeFolder || QDir().mkpath(target)) {
            folder = target;
            m_DBDir->setText(QDir::toNativeSeparators(folder));
        } else {
            madeFolder = false;
            Dialogs::info(
                QStringLiteral("Błąd"),
                QStringLiteral("Wystąpił błąd podczas zakładania folderu. Prawdopodobną przyczyną "
                               "błędu może być brak uprawnień do tworzenia folderów na dysku C:\\"));
        }
    }

    if (QFile::exists(TmyDataBase::databaseFile(folder)) &&
        !Dialogs::question(
            QStringLiteral("Pytanie"),
            QStringLiteral("W podanej lokalizacji znajduje się już baza danych. Upewnij się czy nie "
                           "jest ona używana. Dane w istniejącej bazie zostaną zastąpione. Czy na "
                           "pewno chcesz zastąpić istniejącą bazę?")))
        return;

    const bool withSampleData = m_cbDEMO->isChecked();
    if (!createDatabase(folder, withSampleData, password)) {
        // A failed creation leaves no empty folder of its own behind.
        if (madeFolder)
            QDir().rmdir(folder);
        showMenu();
        return;
    }

    DatabaseLocation& location = DatabaseLocation::global();
    location.set(folder, password);
    ErrorLog::writeLine(QStringLiteral("[9999999999]  db created. Folder=") + location.location());
    location.store();

    Dialogs::info(QStringLiteral("Informacja"), createdText(withSampleData));
    accept();
}

bool TfWskazBaze::createDatabase(const QString& folder, bool withSampleData, const QString& password)
{
    // The old engine needed a network-control folder and a lock file cleared
    // here; SQLite locks the database file itself.
    TmyDataBase::removeLockFile(folder);
    try {
        // Built in one transaction in a temporary file: a failure leaves no database behind.
        DatabaseTemplate::create(folder, password, withSampleData, true);
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 220);
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Nie udało się stworzyć nowej bazy danych."));
        return false;
    }
    // A new database needs none of the upgrades of older ones.
    for (const char* marker : {"update1.0.2", "update1.0.3", "update1.0.4", "update1.0.5"}) {
        QFile file(QDir(folder).filePath(QLatin1String(marker)));
        if (!file.exists() && file.open(QIODevice::WriteOnly))
            file.close();
    }
    return true;
}

void TfWskazBaze::otworzClick()
{
    const QString folder = cleanFolder(m_lokalizacja->text());
    for (;;) {
        QString password;
        Dialogs::setNextPromptPassword();
        if (!Dialogs::prompt(QStringLiteral("Podaj hasło"),
                             QStringLiteral("Proszę podać hasło dostępu do bazy danych."), password))
            return;
        const DatabaseCheck::Result result = opens(folder, password);
        if (result.ok()) {
            DatabaseLocation& location = DatabaseLocation::global();
            location.set(folder, password);
            ErrorLog::writeLine(QStringLiteral("[9999999999]  db selected. Folder=") + location.location());
            location.store();
            Dialogs::info(QStringLiteral("Informacja"),
                          QStringLiteral("Wskazano nową lokalizację bazy danych."));
            accept();
            return;
        }
        if (result.problem != DatabaseCheck::Problem::WrongPassword) {
            // Another password would not help: say what is wrong with the file.
            Dialogs::info(QStringLiteral("Błąd bazy danych"),
                          DatabaseCheck::userText(result, TmyDataBase::databaseFile(folder)));
            return;
        }
        Dialogs::dbProblem(folder);
    }
}

void TfWskazBaze::przeniesClick()
{
    if (m_oldTables->bringOver())
        accept();
}

ServerAddress TfWskazBaze::serverAddress() const
{
    ServerAddress address;
    address.host = m_serwerAdres->text().trimmed();
    address.port = m_serwerPort->value();
    address.database = m_serwerBaza->text().trimmed();
    address.user = m_serwerUzytkownik->text().trimmed();
    address.password = m_serwerHaslo->text();
    address.requireTls = m_cbSerwerTLS->isChecked();
    return address;
}

void TfWskazBaze::updateServerButton()
{
    if (m_pages->currentIndex() != ServerPage)
        return;
    const ServerAddress address = serverAddress();
    m_dalej->setEnabled(!address.host.isEmpty() && !address.database.isEmpty() && !address.user.isEmpty());
}

void TfWskazBaze::polaczClick()
{
    const ServerAddress address = serverAddress();
    ServerDatabase::Probe probe = ServerDatabase::probe(address);
    if (probe.state == ServerDatabase::State::NoDatabase) {
        if (!Dialogs::question(QStringLiteral("Pytanie"),
                               QStringLiteral("Na serwerze %1 nie ma bazy danych %2. Czy założyć ją teraz "
                                              "i przygotować w niej tabele programu?")
                                   .arg(address.host, address.database)))
            return;
        try {
            ServerDatabase::createDatabase(address);
        } catch (const DbError& e) {
            ErrorLog::writeLine(QStringLiteral("[220]  ") + address.display() + QStringLiteral(": ") +
                                (e.detail().isEmpty() ? e.message() : e.detail()));
            Dialogs::info(QStringLiteral("Błąd bazy danych"), e.message());
            return;
        }
        if (!createOnServer(address))
            return;
    } else if (probe.state == ServerDatabase::State::Empty) {
        if (!Dialogs::question(QStringLiteral("Pytanie"),
                               probe.message + QStringLiteral(" Czy przygotować w niej tabele programu?")))
            return;
        if (!createOnServer(address))
            return;
    } else if (probe.state != ServerDatabase::State::Ready) {
        if (!probe.detail.isEmpty())
            ErrorLog::writeLine(QStringLiteral("[9999999999]  db server test. ") + address.display() +
                                QStringLiteral(": ") + probe.detail);
        Dialogs::info(QStringLiteral("Błąd bazy danych"), probe.message);
        return;
    } else {
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Wskazano bazę danych na serwerze."));
    }
    DatabaseLocation& location = DatabaseLocation::global();
    location.setServer(address);
    ErrorLog::writeLine(QStringLiteral("[9999999999]  db server selected. Server=") + address.display());
    location.store();
    accept();
}

bool TfWskazBaze::createOnServer(const ServerAddress& address)
{
    const bool withSampleData = m_cbDEMOSerwer->isChecked();
    try {
        // One transaction on the server: a failure leaves the database empty.
        DatabaseTemplate::createOnServer(address, withSampleData);
    } catch (const DbError& e) {
        if (!e.detail().isEmpty())
            ErrorLog::log(e.detail(), 220); // the server's own text, for the log only
        ErrorLog::report(e.message(), true, 220);
        Dialogs::info(QStringLiteral("Informacja"),
                      QStringLiteral("Nie udało się stworzyć nowej bazy danych."));
        return false;
    }
    ErrorLog::writeLine(QStringLiteral("[9999999999]  db created. Server=") + address.display());
    Dialogs::info(QStringLiteral("Informacja"), createdText(withSampleData));
    return true;
}

void TfWskazBaze::nowyFolderClick()
{
    QString name = QStringLiteral("Nowy katalog");
    if (!Dialogs::prompt(QStringLiteral("Wprowadź nazwę podkatalogu"), QStringLiteral("Nazwa podkatalogu"),
                         name))
        return;
    name = name.trimmed();
    const QDir parent(cleanFolder(m_DBDir->text()));
    const bool plainName = !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
                           !name.contains(QLatin1Char('\\')) && name != QLatin1String(".") &&
                           name != QLatin1String("..");
    if (!plainName || !parent.exists() || !parent.mkdir(name)) {
        Dialogs::info(
            QStringLiteral("Błąd"),
            QStringLiteral("Wystąpił błąd podczas zakładania katalogu. Prawdopodobną przyczyną błędu może "
                           "być zła nazwa katalogu lub brak odpowiednich uprawnień."));
        return;
    }
    m_DBDir->setText(QDir::toNativeSeparators(cleanFolder(parent.filePath(name))));
}

void TfWskazBaze::chooseNewFolder()
{
    const QString folder = Dialogs::existingDirectory(this, QStringLiteral("Wskaż położenie bazy danych"),
                                                      cleanFolder(m_DBDir->text()));
    if (!folder.isEmpty())
        m_DBDir->setText(QDir::toNativeSeparators(cleanFolder(folder)));
}

void TfWskazBaze::chooseExistingFolder()
{
    const QString start =
        cleanFolder(m_lokalizacja->text()).isEmpty() ? m_eDBDir : cleanFolder(m_lokalizacja->text());
    const QString folder = Dialogs::existingDirectory(this, QStringLiteral("Odszukaj bazę danych"), start);
    if (folder.isEmpty())
        return;
    m_eDBDir = cleanFolder(folder);
    m_lokalizacja->setText(QDir::toNativeSeparators(m_eDBDir));
}

void TfWskazBaze::updateOpenButton()
{
    if (m_pages->currentIndex() != OpenPage)
        return;
    const QString folder = cleanFolder(m_lokalizacja->text());
    m_dalej->setEnabled(!folder.isEmpty() && QFile::exists(TmyDataBase::databaseFile(folder)));
}

void TfWskazBaze::showHelp()
{
    TfTutorial1 guide(this);
    guide.exec();
}
