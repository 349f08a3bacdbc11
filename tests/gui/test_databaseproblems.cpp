#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "editors/TfKomputery.h"
#include "registers/TfMain.h"
#include "shell/RecordCommands.h"
#include "shell/Startup.h"
#include "shell/TfWskazBaze.h"
#include "store/AppState.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <sqlcipher/sqlite3.h>

using namespace EditorTest;

namespace {
QStringList shownTexts()
{
    QStringList texts;
    for (const Dialogs::Shown& shown : Dialogs::shown())
        texts.append(shown.title + QStringLiteral(" / ") + shown.text);
    return texts;
}

void cutInHalf(const QString& file)
{
    QFile f(file);
    QVERIFY(f.resize(f.size() / 2 / 1024 * 1024));
}

QString damagedText(const QString& file)
{
    return QStringLiteral(
               "Błąd bazy danych / Plik bazy danych jest uszkodzony lub nie jest bazą danych programu: ") +
           QDir::toNativeSeparators(file) +
           QStringLiteral(
               " (struktura pliku jest uszkodzona). Wskaż inną bazę danych albo załóż nową; uszkodzony "
               "plik pozostaje na dysku bez zmian.");
}
} // namespace

class TestDatabaseProblems : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Config::global().reset();
        DatabaseLocation::global().set(QString(), QString());
        AppState::instance().logout();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        DatabaseTemplate::setDefaultTemplateDir({});
        DatabaseLocation::global().set(QString(), QString());
        m_config.reset();
    }

    // A damaged file was blamed on the password or the rights.
    void startUpNamesTheDamagedFileAndOffersTheDialog()
    {
        TestDatabase database;
        cutInHalf(TmyDataBase::databaseFile(database.dir()));
        DatabaseLocation::global().set(database.dir(), database.password());
        QVERIFY(DatabaseLocation::global().store());
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        int guides = 0, dialogs = 0;
        startup.setTutorial([&] { ++guides; });
        startup.setDatabaseDialog([&] {
            ++dialogs;
            return false;
        });
        // The damage shows at the login's "OK", where the database is first opened with its key.
        QTimer::singleShot(20, [] {
            auto* login = qobject_cast<TfLogin*>(QApplication::activeModalWidget());
            QVERIFY(login);
            login->findChild<QLineEdit*>(QStringLiteral("user"))->setText(QStringLiteral("ADMIN"));
            login->findChild<QLineEdit*>(QStringLiteral("pwd"))->setText(QStringLiteral("kubol"));
            login->OKClick();
        });
        QVERIFY(!startup.runStartupSequence());
        QCOMPARE(guides, 0);
        QCOMPARE(dialogs, 1);
        QVERIFY(AppState::instance().currentUser.isEmpty());
        const QStringList texts = shownTexts();
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[0], damagedText(TmyDataBase::databaseFile(database.dir())));
        QCOMPARE(texts[1],
                 QStringLiteral("Informacja / Nie udało się określić lokalizacji i hasła bazy danych. "
                                "Program zostanie zamknięty."));
        for (const Dialogs::Shown& shown : Dialogs::shown())
            QVERIFY(shown.kind != Dialogs::Kind::DbProblem);
        QCOMPARE(m_config->logLines().filter(QStringLiteral("[0000003104]")).size(), 1);
    }

    void databaseDialogShowsTheDamageAndLogsItOnce()
    {
        TestDatabase database;
        cutInHalf(TmyDataBase::databaseFile(database.dir()));
        DatabaseLocation::global().set(database.dir(), database.password());
        TfWskazBaze dialog;
        dialog.show();
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("infoBrakBazy"))->text(),
                 damagedText(TmyDataBase::databaseFile(database.dir())).section(QStringLiteral(" / "), 1));
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("logowanie"))->isEnabled());
        // Built, shown and tested again: the same failure is one log line.
        QCOMPARE(m_config->logLines().filter(QStringLiteral("[0000003104]")).size(), 1);
    }

    void openingADamagedDatabaseSaysSoInsteadOfAskingAgain()
    {
        TestDatabase existing;
        cutInHalf(TmyDataBase::databaseFile(existing.dir()));
        TfWskazBaze dialog;
        dialog.show();
        dialog.findChild<QRadioButton*>(QStringLiteral("rbOtworz"))->setChecked(true);
        auto* dalej = dialog.findChild<QPushButton*>(QStringLiteral("dalej"));
        QTest::mouseClick(dalej, Qt::LeftButton);
        dialog.findChild<QLineEdit*>(QStringLiteral("lokalizacja"))->setText(existing.dir());
        Dialogs::setNextText(existing.password());
        QTest::mouseClick(dalej, Qt::LeftButton);
        const QList<Dialogs::Shown> shown = Dialogs::shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, Dialogs::Kind::Prompt);
        QCOMPARE(shown[1].title + QStringLiteral(" / ") + shown[1].text,
                 damagedText(TmyDataBase::databaseFile(existing.dir())));
        QCOMPARE(Dialogs::unanswered(), 0);
        QVERIFY(dialog.isVisible());
        QCOMPARE(Config::databaseLocation(), QString());
    }

    // Creating a database without the templates left an empty Sprzetnik_DB folder.
    void failedCreationLeavesNoFolder()
    {
        QTemporaryDir base;
        QTemporaryDir noTemplates;
        DatabaseTemplate::setDefaultTemplateDir(noTemplates.path());
        TfWskazBaze dialog;
        dialog.show();
        auto* dalej = dialog.findChild<QPushButton*>(QStringLiteral("dalej"));
        QTest::mouseClick(dalej, Qt::LeftButton);
        dialog.findChild<QLineEdit*>(QStringLiteral("DBDir"))->setText(base.path());
        Dialogs::setNextText(QStringLiteral("Tajne123"));
        QTest::mouseClick(dalej, Qt::LeftButton);
        QCOMPARE(shownTexts().last(),
                 QStringLiteral("Informacja / Nie udało się stworzyć nowej bazy danych."));
        QCOMPARE(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(dialog.currentPage(), int(TfWskazBaze::MenuPage));
    }

    // A locked database during the existence check was reported as a duplicate number.
    void lockedExistenceCheckIsNoDuplicate()
    {
        TestDatabase database(true);
        TmyDataBase db;
        QVERIFY(database.connect(db));
        QVERIFY(db.reloadList(QStringLiteral("DBFKomputery")));
        sqlite3_busy_timeout(db.DatabaseMain().handle(), 50);
        AppState::instance().rights.fill(true);
        TfKomputery editor(db);
        RecordCommands commands(db, editor);
        SqlConnection other;
        database.open(other);
        const QString before = EditorTest::scalar(db, QStringLiteral("SELECT COUNT(*) FROM komputery"));

        ModalScript script;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("KOMP/NOWY"));
            setText(w, "fNAZWA", QStringLiteral("Zablokowany"));
            other.exec(QStringLiteral("BEGIN EXCLUSIVE")); // another workstation writes now
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            other.exec(QStringLiteral("COMMIT"));
            click(w, "SBAnuluj");
        });
        QVERIFY(commands.add(QStringLiteral("komputery")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(shownTexts(),
                 QStringList{QStringLiteral("Błąd bazy danych / ") + ErrorLog::lockedFilesText()});
        QCOMPARE(EditorTest::scalar(db, QStringLiteral("SELECT COUNT(*) FROM komputery")), before);
        AppState::instance().rights.fill(false);
    }
};

QTEST_MAIN(TestDatabaseProblems)
#include "test_databaseproblems.moc"
