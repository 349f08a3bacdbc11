#include "OldTablesFixture.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "shell/TfTutorial1.h"
#include "shell/TfWskazBaze.h"
#include "store/DatabaseLocation.h"
#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TableList.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <sqlcipher/sqlite3.h>

namespace {
const QString kLogin =
    QStringLiteral(" Możesz teraz zalogować się programu podając użytkownika \"ADMIN\" i hasło "
                   "\"kubol\" (małe litery hasła). Hasło to będzie można zmienić w programie.");

template <typename T> T* child(QWidget* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QStringList shownTexts()
{
    QStringList texts;
    for (const Dialogs::Shown& shown : Dialogs::shown())
        texts.append(shown.title + QStringLiteral(" / ") + shown.text);
    return texts;
}

qint64 rowCount(const QString& dir, const QString& password, const QString& table)
{
    SqlConnection connection;
    connection.open(dir + QLatin1Char('/') + kDatabaseFileName, password);
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = ("SELECT COUNT(*) FROM " + table).toUtf8();
    sqlite3_prepare_v2(connection.handle(), sql.constData(), -1, &stmt, nullptr);
    qint64 count = -1;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        count = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return count;
}

bool opensWith(const QString& dir, const QString& password)
{
    try {
        SqlConnection connection;
        connection.open(dir + QLatin1Char('/') + kDatabaseFileName, password);
        return true;
    } catch (const DbError&) {
        return false;
    }
}
} // namespace

class TestWskazBaze : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstPageWithoutDatabase();
    void newDatabase_data();
    void newDatabase();
    void passwordRules_data();
    void passwordRules();
    void folderAlreadyNamedSprzetnikDb();
    void replaceExistingAnsweredNo();
    void creationFailureReturnsToMenu();
    void newFolderButton();
    void existingDatabaseWrongThenRightPassword();
    void openButtonOnlyForDatabaseFolder();
    void existingDatabaseAsksBeforeReplacing();
    void helpShowsGuide();
    void createdFileOpensWithCommandLineTool();
    void bringOverOldDatabase();
    void bringOverPasswordRules();
    void bringOverFaultsStayOnPage();
    void bringOverCancelled();

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<QTemporaryDir> m_base;
};

void TestWskazBaze::init()
{
    m_config = std::make_unique<TempConfig>();
    m_base = std::make_unique<QTemporaryDir>();
    DatabaseLocation::global().set({}, {});
    Dialogs::startScript();
}

void TestWskazBaze::cleanup()
{
    Dialogs::stopScript();
    DatabaseLocation::global().set({}, {});
    m_base.reset();
    m_config.reset();
}

void TestWskazBaze::firstPageWithoutDatabase()
{
    TfWskazBaze dialog;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Baza danych"));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::MenuPage));
    QVERIFY(child<QRadioButton>(&dialog, "rbNowa")->isChecked());
    QVERIFY(!child<QRadioButton>(&dialog, "rbOtworz")->isChecked());
    QVERIFY(!child<QPushButton>(&dialog, "logowanie")->isEnabled());
    QVERIFY(!child<QPushButton>(&dialog, "menu")->isEnabled());
    QCOMPARE(child<QPushButton>(&dialog, "dalej")->text(), QStringLiteral("  &Dalej   >>  "));
    QCOMPARE(child<QLineEdit>(&dialog, "lokalizacja2")->text(), QStringLiteral("<brak bazy>"));
    QCOMPARE(child<QLabel>(&dialog, "infoBrakBazy")->text(),
             QStringLiteral("Z programem nie skojarzono do tej pory żadnej bazy danych."));
    QCOMPARE(child<QLabel>(&dialog, "instrukcja")->text(),
             QStringLiteral("Wybierz i kliknij \" DALEJ >> \"   -   przycisk u dołu:"));
    QVERIFY(child<QCheckBox>(&dialog, "cbDEMO")->isChecked());
}

void TestWskazBaze::newDatabase_data()
{
    QTest::addColumn<bool>("sample");
    QTest::newRow("sample data") << true;
    QTest::newRow("empty") << false;
}

void TestWskazBaze::newDatabase()
{
    QFETCH(bool, sample);
    TfWskazBaze dialog;
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::NewPage));
    QCOMPARE(child<QPushButton>(&dialog, "dalej")->text(), QStringLiteral(" Z&ałóż >>"));
    QVERIFY(child<QPushButton>(&dialog, "menu")->isEnabled());

    child<QLineEdit>(&dialog, "DBDir")->setText(m_base->path());
    child<QCheckBox>(&dialog, "cbDEMO")->setChecked(sample);
    Dialogs::setNextText(QStringLiteral("Tajne123"));
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);

    const QString folder = m_base->path() + QStringLiteral("/Sprzetnik_DB");
    const QString success =
        sample ? QStringLiteral("Zakładanie nowej bazy i przykładowych danych zakończyło się "
                                "sukcesem.")
               : QStringLiteral("Zakładanie nowej bazy danych zakończyło się sukcesem.");
    QCOMPARE(shownTexts().last(), QStringLiteral("Informacja / ") + success + kLogin);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());

    QVERIFY(QFile::exists(folder + QStringLiteral("/sprzetnik.db")));
    for (const char* marker : {"update1.0.2", "update1.0.3", "update1.0.4", "update1.0.5"})
        QVERIFY2(QFile::exists(folder + QLatin1Char('/') + QLatin1String(marker)), marker);
    QVERIFY(opensWith(folder, QStringLiteral("Tajne123")));
    QVERIFY(!opensWith(folder, QStringLiteral("tajne123")));
    QVERIFY(!opensWith(folder, QString()));
    const qint64 computers = rowCount(folder, QStringLiteral("Tajne123"), QStringLiteral("komputery"));
    QCOMPARE(computers > 0, sample);
    QCOMPARE(rowCount(folder, QStringLiteral("Tajne123"), QStringLiteral("firmy")) >= 1, true);

    // Remembered for this computer.
    QCOMPARE(DatabaseLocation::global().location(), folder);
    QCOMPARE(Config::databaseLocation(), folder);
    DatabaseLocation stored;
    stored.load();
    QCOMPARE(stored.location(), folder);
    QCOMPARE(stored.password(), QStringLiteral("Tajne123"));
    QCOMPARE(stored.test(true), DatabaseLocation::Ok);
    QVERIFY(
        m_config->logLines().last().endsWith(QStringLiteral("  [9999999999]  db created. Folder=") + folder));
}

void TestWskazBaze::passwordRules_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::newRow("2 characters") << QStringLiteral("ab")
                                  << QStringLiteral("Hasło zbyt krótkie (minimum 3 znaki).");
    QTest::newRow("16 characters") << QStringLiteral("abcdefgh12345678")
                                   << QStringLiteral("Hasło zbyt długie (maksymalnie 15 znaków).");
    QTest::newRow("polish letter") << QStringLiteral("hasło1")
                                   << QStringLiteral(
                                          "Hasło może składać się tylko z cyfr lub małych i dużych "
                                          "liter, bez polskich znaków.");
    QTest::newRow("blank inside") << QStringLiteral("ab cd")
                                  << QStringLiteral("Hasło może składać się tylko z cyfr lub małych i dużych "
                                                    "liter, bez polskich znaków.");
    QTest::newRow("3 lower-case") << QStringLiteral("abc") << QString();
    QTest::newRow("15 mixed") << QStringLiteral("Abc123Xyz789Qwe") << QString();
}

void TestWskazBaze::passwordRules()
{
    QFETCH(QString, password);
    QFETCH(QString, message);
    QCOMPARE(TfWskazBaze::passwordProblem(password), message);

    // Through the dialog: a refused password is asked for again.
    TfWskazBaze dialog;
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    child<QLineEdit>(&dialog, "DBDir")->setText(m_base->path());
    child<QCheckBox>(&dialog, "cbDEMO")->setChecked(false);
    Dialogs::setNextText(password);
    Dialogs::setNextCancel();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    const QList<Dialogs::Shown> shown = Dialogs::shown();
    QCOMPARE(shown.first().title, QStringLiteral("Podaj hasło"));
    QCOMPARE(shown.first().text,
             QStringLiteral("Proszę podać nowe hasło, które będzie zabezpieczać bazę danych "
                            "przed niepowołanymi osobami. Tylko małe i duże litery lub "
                            "cyfry. Długość od 3 do 15 znaków."));
    QVERIFY(!shown.first().password);
    if (message.isEmpty()) {
        QCOMPARE(shown.size(), 2); // the success message
        QVERIFY(opensWith(m_base->path() + QStringLiteral("/Sprzetnik_DB"), password));
    } else {
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[1].title + QStringLiteral(" / ") + shown[1].text,
                 QStringLiteral("Informacja / ") + message);
        QCOMPARE(shown[2].kind, Dialogs::Kind::Prompt);
        QCOMPARE(dialog.currentPage(), int(TfWskazBaze::NewPage));
        QVERIFY(!QFile::exists(m_base->path() + QStringLiteral("/Sprzetnik_DB/sprzetnik.db")));
    }
}

void TestWskazBaze::folderAlreadyNamedSprzetnikDb()
{
    const QString folder = m_base->path() + QStringLiteral("/SPRZETNIK_db");
    QDir().mkpath(folder);
    TfWskazBaze dialog;
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    child<QLineEdit>(&dialog, "DBDir")->setText(folder + QLatin1Char('/'));
    child<QCheckBox>(&dialog, "cbDEMO")->setChecked(false);
    Dialogs::setNextText(QStringLiteral("abc"));
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QVERIFY(QFile::exists(folder + QStringLiteral("/sprzetnik.db")));
    QCOMPARE(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(DatabaseLocation::global().location(), folder);
    QCOMPARE(TfWskazBaze::databaseFolderFor(QStringLiteral("/x/sprzetnik_DB")),
             QStringLiteral("/x/sprzetnik_DB"));
    QCOMPARE(TfWskazBaze::databaseFolderFor(QStringLiteral("/x/Sprzetnik_DB2")),
             QStringLiteral("/x/Sprzetnik_DB2/Sprzetnik_DB"));
}

void TestWskazBaze::replaceExistingAnsweredNo()
{
    TestDatabase existing(false, QStringLiteral("stare1"));
    TfWskazBaze dialog;
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    child<QLineEdit>(&dialog, "DBDir")->setText(existing.dir());
    // The folder is not named Sprzetnik_DB: a sub-folder is made, holding no database.
    Dialogs::setNextText(QStringLiteral("nowe1"));
    QDir().mkpath(existing.dir() + QStringLiteral("/Sprzetnik_DB"));
    QFile::copy(existing.dir() + QStringLiteral("/sprzetnik.db"),
                existing.dir() + QStringLiteral("/Sprzetnik_DB/sprzetnik.db"));
    Dialogs::setNextAnswer(false);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    const QList<Dialogs::Shown> shown = Dialogs::shown();
    QCOMPARE(
        shown.last().title + QStringLiteral(" / ") + shown.last().text,
        QStringLiteral("Pytanie / W podanej lokalizacji znajduje się już baza danych. Upewnij się czy nie "
                       "jest ona używana. Dane w istniejącej bazie zostaną zastąpione. Czy na pewno chcesz "
                       "zastąpić istniejącą bazę?"));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::NewPage));
    QVERIFY(dialog.isVisible());
    QVERIFY(opensWith(existing.dir() + QStringLiteral("/Sprzetnik_DB"), QStringLiteral("stare1")));
    QVERIFY(!QFile::exists(DatabaseLocation::passwordFilePath()));
}

void TestWskazBaze::creationFailureReturnsToMenu()
{
    // A file where the folder should be: neither the sub-folder nor the database can be made.
    const QString blocker = m_base->path() + QStringLiteral("/plik");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    TfWskazBaze dialog;
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    child<QLineEdit>(&dialog, "DBDir")->setText(blocker);
    Dialogs::setNextText(QStringLiteral("abc"));
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);

    const QStringList texts = shownTexts();
    QVERIFY2(texts.contains(QStringLiteral("Błąd / Wystąpił błąd podczas zakładania folderu. Prawdopodobną "
                                           "przyczyną błędu może być brak uprawnień do tworzenia folderów na "
                                           "dysku C:\\")),
             qPrintable(texts.join('\n')));
    QCOMPARE(texts.last(), QStringLiteral("Informacja / Nie udało się stworzyć nowej bazy danych."));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::MenuPage));
    QVERIFY(dialog.isVisible());
    QCOMPARE(QDir(m_base->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"plik"});
    QVERIFY(!QFile::exists(DatabaseLocation::passwordFilePath()));
    QCOMPARE(Config::databaseLocation(), QString());
}

void TestWskazBaze::newFolderButton()
{
    TfWskazBaze dialog;
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    auto* dir = child<QLineEdit>(&dialog, "DBDir");
    dir->setText(m_base->path());
    Dialogs::setNextText(QStringLiteral("Bazy firmowe"));
    QTest::mouseClick(child<QPushButton>(&dialog, "SBNowyFolder"), Qt::LeftButton);
    QCOMPARE(Dialogs::shown().first().title, QStringLiteral("Wprowadź nazwę podkatalogu"));
    QCOMPARE(Dialogs::shown().first().text, QStringLiteral("Nazwa podkatalogu"));
    QVERIFY(QFileInfo(m_base->path() + QStringLiteral("/Bazy firmowe")).isDir());
    QCOMPARE(QDir::fromNativeSeparators(dir->text()), m_base->path() + QStringLiteral("/Bazy firmowe"));

    // The same name again, and a name with a separator: the folder cannot be made.
    dir->setText(m_base->path());
    Dialogs::setNextText(QStringLiteral("Bazy firmowe"));
    QTest::mouseClick(child<QPushButton>(&dialog, "SBNowyFolder"), Qt::LeftButton);
    Dialogs::setNextText(QStringLiteral("a/b"));
    QTest::mouseClick(child<QPushButton>(&dialog, "SBNowyFolder"), Qt::LeftButton);
    const QString error = QStringLiteral("Błąd / Wystąpił błąd podczas zakładania katalogu. Prawdopodobną "
                                         "przyczyną błędu może być zła nazwa katalogu lub brak odpowiednich "
                                         "uprawnień.");
    QCOMPARE(shownTexts().count(error), 2);
    QCOMPARE(QDir::fromNativeSeparators(dir->text()), m_base->path());
}

void TestWskazBaze::existingDatabaseWrongThenRightPassword()
{
    TestDatabase existing(true, QStringLiteral("tajne1"));
    TfWskazBaze dialog;
    dialog.show();
    child<QRadioButton>(&dialog, "rbOtworz")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::OpenPage));
    auto* dalej = child<QPushButton>(&dialog, "dalej");
    QCOMPARE(dalej->text(), QStringLiteral("&Otwórz >>"));

    auto* field = child<QLineEdit>(&dialog, "lokalizacja");
    field->setText(existing.dir() + QLatin1Char('/'));
    QVERIFY(dalej->isEnabled());
    Dialogs::setNextText(QStringLiteral("zle"));
    Dialogs::setNextText(QStringLiteral("tajne1"));
    QTest::mouseClick(dalej, Qt::LeftButton);

    const QList<Dialogs::Shown> shown = Dialogs::shown();
    QCOMPARE(shown.size(), 4);
    QCOMPARE(shown[0].kind, Dialogs::Kind::Prompt);
    QCOMPARE(shown[0].title + QStringLiteral(" / ") + shown[0].text,
             QStringLiteral("Podaj hasło / Proszę podać hasło dostępu do bazy danych."));
    QVERIFY(shown[0].password);
    QCOMPARE(shown[1].kind, Dialogs::Kind::DbProblem);
    QCOMPARE(shown[2].kind, Dialogs::Kind::Prompt);
    QVERIFY(shown[2].password);
    QCOMPARE(shown[3].title + QStringLiteral(" / ") + shown[3].text,
             QStringLiteral("Informacja / Wskazano nową lokalizację bazy danych."));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    DatabaseLocation stored;
    stored.load();
    QCOMPARE(stored.location(), existing.dir());
    QCOMPARE(stored.password(), QStringLiteral("tajne1"));
    const QStringList log = m_config->logLines();
    QVERIFY(log.last().endsWith(QStringLiteral("  [9999999999]  db selected. Folder=") + existing.dir()));
    QVERIFY(log.filter(QStringLiteral("[0000003104]")).size() == 1);
}

void TestWskazBaze::openButtonOnlyForDatabaseFolder()
{
    TestDatabase existing;
    TfWskazBaze dialog;
    dialog.show();
    child<QRadioButton>(&dialog, "rbOtworz")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    auto* dalej = child<QPushButton>(&dialog, "dalej");
    auto* field = child<QLineEdit>(&dialog, "lokalizacja");
    field->setText(m_base->path());
    QVERIFY(!dalej->isEnabled());
    field->setText(m_base->path() + QStringLiteral("/nie-ma"));
    QVERIFY(!dalej->isEnabled());

    // The folder picker fills the field.
    Dialogs::setNextFileName(existing.dir());
    QTest::mouseClick(child<QPushButton>(&dialog, "eDBDrive"), Qt::LeftButton);
    QCOMPARE(QDir::fromNativeSeparators(field->text()), existing.dir());
    QVERIFY(dalej->isEnabled());

    // Cancelled password: nothing is stored, the page stays.
    Dialogs::setNextCancel();
    QTest::mouseClick(dalej, Qt::LeftButton);
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::OpenPage));
    QVERIFY(!QFile::exists(DatabaseLocation::passwordFilePath()));

    // Back to the menu.
    QTest::mouseClick(child<QPushButton>(&dialog, "menu"), Qt::LeftButton);
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::MenuPage));
    QVERIFY(dalej->isEnabled());
    QCOMPARE(dalej->text(), QStringLiteral("  &Dalej   >>  "));
}

void TestWskazBaze::existingDatabaseAsksBeforeReplacing()
{
    TestDatabase existing(false, QStringLiteral("tajne1"));
    DatabaseLocation::global().set(existing.dir(), QStringLiteral("tajne1"));
    TfWskazBaze dialog;
    dialog.show();
    QVERIFY(child<QPushButton>(&dialog, "logowanie")->isEnabled());
    QCOMPARE(QDir::fromNativeSeparators(child<QLineEdit>(&dialog, "lokalizacja2")->text()), existing.dir());
    QCOMPARE(child<QLabel>(&dialog, "infoBrakBazy")->text(), QStringLiteral("Baza danych istnieje."));

    Dialogs::setNextAnswer(false);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(shownTexts().last(),
             QStringLiteral(
                 "Pytanie / Baza danych już istnieje. Czy chcesz stworzyć nową bazę? Obecna baza danych "
                 "nie zostanie fizycznie usunięta i w każdej chwili będzie można otworzyć ją ponownie."));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::MenuPage));

    child<QRadioButton>(&dialog, "rbOtworz")->setChecked(true);
    Dialogs::setNextAnswer(true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(shownTexts().last(),
             QStringLiteral(
                 "Pytanie / Baza danych już istnieje. Czy chcesz skojarzyć z programem inną bazę? Obecna "
                 "baza danych nie zostanie fizycznie usunięta i w każdej chwili będzie można otworzyć ją "
                 "ponownie."));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::OpenPage));

    // "Logowanie" closes the dialog.
    QTest::mouseClick(child<QPushButton>(&dialog, "logowanie"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void TestWskazBaze::helpShowsGuide()
{
    TfWskazBaze dialog;
    dialog.show();
    QString caption;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        caption = modal->windowTitle();
        QTest::mouseClick(child<QPushButton>(modal, "SBInstrukcja"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(modal, "SBKontynuuj"), Qt::LeftButton);
    });
    QTest::mouseClick(dialog.findChildren<QPushButton*>(QStringLiteral("pomoc")).first(), Qt::LeftButton);
    QCOMPARE(caption, QStringLiteral("Przeczytaj uważnie ..."));
    QCOMPARE(Dialogs::openedUrls(), QList<QUrl>{TfTutorial1::manualUrl()});
    QVERIFY(TfTutorial1::guideText().contains(QStringLiteral("stwórz nową bazę danych")));
}

void TestWskazBaze::createdFileOpensWithCommandLineTool()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (tool.isEmpty())
        QSKIP("the sqlcipher command is not installed");
    TfWskazBaze dialog;
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    child<QLineEdit>(&dialog, "DBDir")->setText(m_base->path());
    Dialogs::setNextText(QStringLiteral("Klucz42"));
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    const QString file = m_base->path() + QStringLiteral("/Sprzetnik_DB/sprzetnik.db");

    auto query = [&](const QByteArray& keyLine) {
        QProcess process;
        process.start(tool, {file});
        process.write(keyLine + "SELECT COUNT(*) FROM userzy WHERE NAZWA = 'ADMIN';\n.quit\n");
        process.closeWriteChannel();
        process.waitForFinished(10000);
        return (process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
    };
    QCOMPARE(query("PRAGMA key = 'Klucz42';\n"), QByteArray("1"));
    const QByteArray without = query(QByteArray());
    QVERIFY2(without.contains("not a database"), without.constData());
    const QByteArray wrong = query("PRAGMA key = 'klucz42';\n");
    QVERIFY2(wrong.contains("not a database"), wrong.constData());
}

namespace {
// The previous version's database of version 1.0.3 in `dir`, protected with `password`.
void writeOldDatabase(const QString& dir, const QString& password)
{
    const QString version = QStringLiteral("1.0.3");
    OldTablesFixture::write(dir, OldTablesFixture::tables(version, password), version);
}

// The dialog on the page of the previous version's database, its fields filled.
void openImportPage(TfWskazBaze& dialog, const QString& oldDir, const QString& password,
                    const QString& newDir)
{
    dialog.show();
    child<QRadioButton>(&dialog, "rbPrzenies")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    child<QLineEdit>(&dialog, "eStaraBaza")->setText(oldDir);
    child<QLineEdit>(&dialog, "eStareHaslo")->setText(password);
    child<QLineEdit>(&dialog, "eNowaBaza")->setText(newDir);
}
} // namespace

void TestWskazBaze::bringOverOldDatabase()
{
    const QString oldDir = m_base->filePath(QStringLiteral("stara"));
    writeOldDatabase(oldDir, QStringLiteral("Haslo77"));
    TfWskazBaze dialog;
    openImportPage(dialog, oldDir, QStringLiteral("Haslo77"), m_base->filePath(QStringLiteral("nowa")));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::ImportPage));
    QCOMPARE(child<QPushButton>(&dialog, "dalej")->text(), QStringLiteral("&Przenieś >>"));
    QVERIFY(child<QPushButton>(&dialog, "menu")->isEnabled());
    QVERIFY(!child<QLineEdit>(&dialog, "eNoweHaslo")->isEnabled());

    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    const QString folder = m_base->filePath(QStringLiteral("nowa/Sprzetnik_DB"));
    const QString summary = shownTexts().last();
    QVERIFY2(summary.startsWith(
                 QStringLiteral("Informacja / Dane poprzedniej wersji programu przeniesiono do nowej "
                                "bazy danych (wersja poprzedniej bazy: 1.0.3).")),
             qPrintable(summary));
    QVERIFY(summary.contains(QStringLiteral("  komputery.db: 4\n")));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The new database is the program's database, with the old password.
    DatabaseLocation stored;
    stored.load();
    QCOMPARE(stored.location(), folder);
    QCOMPARE(stored.password(), QStringLiteral("Haslo77"));
    QCOMPARE(stored.test(true), DatabaseLocation::Ok);
    QCOMPARE(rowCount(folder, QStringLiteral("Haslo77"), QStringLiteral("osobowa")), 4);
    QVERIFY(
        m_config->logLines().filter(QStringLiteral("[9999999999]  db imported. Folder=") + folder).size() ==
        1);
}

void TestWskazBaze::bringOverPasswordRules()
{
    const QString oldDir = m_base->filePath(QStringLiteral("stara"));
    writeOldDatabase(oldDir, QStringLiteral("ab"));
    TfWskazBaze dialog;
    openImportPage(dialog, oldDir, QStringLiteral("ab"), m_base->filePath(QStringLiteral("nowa")));
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(shownTexts().last(),
             QStringLiteral(
                 "Informacja / Hasła bazy poprzedniej wersji nie można użyć w nowej bazie: Hasło zbyt "
                 "krótkie (minimum 3 znaki). Odznacz „Nowa baza z tym samym hasłem” i podaj nowe hasło."));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::ImportPage));
    QVERIFY(!QFileInfo::exists(m_base->filePath(QStringLiteral("nowa"))));

    // Another password for the new database; the old one still opens the old tables.
    child<QCheckBox>(&dialog, "cbToSamoHaslo")->setChecked(false);
    auto* newPassword = child<QLineEdit>(&dialog, "eNoweHaslo");
    QVERIFY(newPassword->isEnabled());
    newPassword->setText(QStringLiteral("Nowe1234"));
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QString folder = m_base->filePath(QStringLiteral("nowa/Sprzetnik_DB"));
    QVERIFY(opensWith(folder, QStringLiteral("Nowe1234")));
    QVERIFY(!opensWith(folder, QStringLiteral("ab")));
    QCOMPARE(DatabaseLocation::global().password(), QStringLiteral("Nowe1234"));
}

void TestWskazBaze::bringOverFaultsStayOnPage()
{
    const QString oldDir = m_base->filePath(QStringLiteral("stara"));
    writeOldDatabase(oldDir, QStringLiteral("Haslo77"));
    TestDatabase existing(false, QStringLiteral("stare1"));
    TfWskazBaze dialog;
    // A folder already named Sprzetnik_DB is used as it is: here it holds a database.
    openImportPage(dialog, oldDir, QStringLiteral("Haslo77"), existing.dir());
    const QString target = m_base->filePath(QStringLiteral("Sprzetnik_DB"));
    QDir().mkpath(target);
    QVERIFY(QFile::copy(existing.dir() + QStringLiteral("/sprzetnik.db"),
                        target + QStringLiteral("/sprzetnik.db")));
    child<QLineEdit>(&dialog, "eNowaBaza")->setText(target);
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QVERIFY2(shownTexts().last().startsWith(QStringLiteral("Błąd / W folderze ") +
                                            QDir::toNativeSeparators(target) +
                                            QStringLiteral(" jest już baza danych programu.")),
             qPrintable(shownTexts().last()));
    QVERIFY(opensWith(target, QStringLiteral("stare1")));
    QCOMPARE(QDir(target).entryList(QDir::Files), QStringList{"sprzetnik.db"});

    // A wrong password is told, and nothing is made.
    child<QLineEdit>(&dialog, "eNowaBaza")->setText(m_base->filePath(QStringLiteral("nowa")));
    child<QLineEdit>(&dialog, "eStareHaslo")->setText(QStringLiteral("Haslo78"));
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QVERIFY2(shownTexts().last().startsWith(QStringLiteral("Błąd / Podane hasło nie otwiera tabeli ")),
             qPrintable(shownTexts().last()));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::ImportPage));
    QVERIFY(dialog.isVisible());
    QVERIFY(!QFileInfo::exists(m_base->filePath(QStringLiteral("nowa"))));
    QVERIFY(!QFile::exists(DatabaseLocation::passwordFilePath()));
    QCOMPARE(
        m_config->logLines().filter(QStringLiteral("[0000000221]  Podane hasło nie otwiera tabeli")).size(),
        1);
}

void TestWskazBaze::bringOverCancelled()
{
    const QString oldDir = m_base->filePath(QStringLiteral("stara"));
    writeOldDatabase(oldDir, QStringLiteral("Haslo77"));
    TfWskazBaze dialog;
    openImportPage(dialog, oldDir, QStringLiteral("Haslo77"), m_base->filePath(QStringLiteral("nowa")));
    bool pressed = false;
    QTimer::singleShot(0, [&] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        QVERIFY(progress);
        QCOMPARE(progress->windowTitle(), QStringLiteral("Przenoszenie danych"));
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        pressed = true;
    });
    QTest::mouseClick(child<QPushButton>(&dialog, "dalej"), Qt::LeftButton);
    QVERIFY(pressed);
    QCOMPARE(shownTexts().last(),
             QStringLiteral(
                 "Informacja / Przenoszenie danych przerwano. Nowa baza danych nie została utworzona."));
    QVERIFY(!QFileInfo::exists(m_base->filePath(QStringLiteral("nowa"))));
    QCOMPARE(dialog.currentPage(), int(TfWskazBaze::ImportPage));
}

QTEST_MAIN(TestWskazBaze)
#include "test_wskazbaze.moc"
