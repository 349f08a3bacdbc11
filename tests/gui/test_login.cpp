#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"
#include "users/TfUserEdit.h"
#include "users/TfUserzy.h"
#include "users/UserAccounts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

class TestLogin : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    void type(TfLogin& login, const QString& user, const QString& password)
    {
        auto* u = login.findChild<QLineEdit*>(QStringLiteral("user"));
        auto* p = login.findChild<QLineEdit*>(QStringLiteral("pwd"));
        u->clear();
        QTest::keyClicks(u, user);
        QTest::keyClicks(p, password);
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_db = std::make_unique<TmyDataBase>();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void threeFailuresEndTheLogin()
    {
        TfLogin login(*m_db);
        login.setDatabase(m_database->dir(), m_database->password());
        login.prepare();
        login.show();
        auto* info = login.findChild<QLabel*>(QStringLiteral("info"));
        auto* pwd = login.findChild<QLineEdit*>(QStringLiteral("pwd"));
        QVERIFY(info->isHidden());
        QCOMPARE(pwd->echoMode(), QLineEdit::Password);

        type(login, QStringLiteral("ADMIN"), QStringLiteral("zle"));
        QTest::keyClick(pwd, Qt::Key_Return);
        QCOMPARE(login.failures(), 1);
        QVERIFY(!info->isHidden());
        QVERIFY(pwd->text().isEmpty());
        QVERIFY(login.isVisible());
        // typing hides the message again
        QTest::keyClicks(pwd, QStringLiteral("x"));
        QVERIFY(info->isHidden());

        type(login, QStringLiteral("ADMIN"), QStringLiteral("k")); // too short: not asked of the database
        login.OKClick();
        QCOMPARE(login.failures(), 2);
        type(login, QStringLiteral("ADMIN"), QStringLiteral("kubolx"));
        login.OKClick();
        QCOMPARE(login.failures(), 3);
        QCOMPARE(login.result(), int(QDialog::Rejected));
        QVERIFY(!login.isVisible());
    }

    void upperCaseNameLogsIn()
    {
        TfLogin login(*m_db);
        login.setDatabase(m_database->dir(), m_database->password());
        login.prepare();
        login.show();
        type(login, QStringLiteral("admin"), QStringLiteral("kubol"));
        QTest::mouseClick(login.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QCOMPARE(login.user(), QStringLiteral("ADMIN"));
        QCOMPARE(login.description(), QStringLiteral("Administrator"));
        QVERIFY(m_db->isConnected());
    }

    void vanishedDatabaseIsReportedNotCounted()
    {
        TfLogin login(*m_db);
        login.setDatabase(m_database->dir(), m_database->password());
        login.prepare();
        login.show();
        QVERIFY(QFile::remove(TmyDataBase::databaseFile(m_database->dir()))); // the share went away
        type(login, QStringLiteral("ADMIN"), QStringLiteral("kubol"));
        login.OKClick();
        QCOMPARE(login.failures(), 0);
        QVERIFY(login.isVisible());
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000566]")));
    }

    void escapeInUserFieldEndsTheProgram()
    {
        TfLogin login(*m_db);
        login.setDatabase(m_database->dir(), m_database->password());
        login.prepare();
        login.show();
        QTest::keyClick(login.findChild<QLineEdit*>(QStringLiteral("user")), Qt::Key_Escape);
        QCOMPARE(login.result(), int(QDialog::Rejected));
    }

    void firstLoginHints()
    {
        TfLogin login(*m_db);
        login.setFirstLogin(false);
        QVERIFY(login.findChild<QLabel*>(QStringLiteral("info1"))->isHidden());
        login.setFirstLogin(true);
        QVERIFY(!login.findChild<QLabel*>(QStringLiteral("info2"))->isHidden());
        QCOMPARE(login.findChild<QLabel*>(QStringLiteral("info2"))->text(),
                 QStringLiteral("domyślnie: kubol"));
    }

    void failedDatabaseConfigurationEndsTheLogin()
    {
        TfLogin login(*m_db);
        login.setConfigureDatabase([](DatabaseTarget&) { return false; });
        login.KonfigurujClick();
        QCOMPARE(login.result(), int(QDialog::Rejected));
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral(
                     "Nie udało się określić lokalizacji i hasła bazy danych. Program zostanie zamknięty."));
    }

    void accountsWindow()
    {
        QVERIFY(m_database->connect(*m_db));
        UserAccounts(*m_db).add(QStringLiteral("JAN"), QStringLiteral("abc"), QStringLiteral("Jan"));
        TfUserEdit editor;
        TfUserzy window(*m_db, editor);
        window.setCurrentUser(QStringLiteral("JAN"));
        window.prepare();
        QCOMPARE(window.list()->rowCount(), 2);

        // ADMIN: every box ticked and disabled
        window.list()->selectRow(0);
        window.findChild<QTabWidget*>()->setCurrentIndex(1);
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("UserID"))->currentText(),
                 QStringLiteral("ADMIN"));
        // Stocktaking's pair (30, 31) included.
        for (int n = 0; n < TfUserzy::kRightBoxes; ++n) {
            QVERIFY(window.box(n)->isChecked());
            QVERIFY(!window.box(n)->isEnabled());
        }
        QTest::mouseClick(window.box(3), Qt::LeftButton); // disabled: nothing happens
        QVERIFY(window.box(3)->isChecked());

        // JAN: rights 1-29, clicking a box stores it at once
        window.findChild<QComboBox*>(QStringLiteral("UserID"))->setCurrentText(QStringLiteral("JAN"));
        QVERIFY(!window.box(0)->isChecked());
        QVERIFY(window.box(7)->isChecked());
        window.box(0)->click();
        window.box(8)->click();
        QVERIFY(UserAccounts(*m_db).rightsOf(QStringLiteral("JAN")).contains(0));
        QVERIFY(!UserAccounts(*m_db).rightsOf(QStringLiteral("JAN")).contains(8));
        QVERIFY(UserAccounts(*m_db).rightsOf(QStringLiteral("JAN")).contains(7));

        // Stocktaking: a row of its own, read and write apart, stored and loaded
        // like the others (a new account does not hold it yet).
        QCOMPARE(window.findChild<QCheckBox*>(QStringLiteral("cb30")), window.box(30));
        QCOMPARE(window.findChild<QCheckBox*>(QStringLiteral("cb31")), window.box(31));
        bool captioned = false;
        for (const QLabel* label : window.findChildren<QLabel*>())
            captioned = captioned || label->text() == QStringLiteral("Inwentaryzacja");
        QVERIFY(captioned);
        QVERIFY(window.box(30)->isEnabled());
        QVERIFY(!window.box(30)->isChecked());
        QVERIFY(!window.box(31)->isChecked());
        window.box(30)->click();
        QVERIFY(UserAccounts(*m_db).rightsOf(QStringLiteral("JAN")).contains(30));
        QVERIFY(!UserAccounts(*m_db).rightsOf(QStringLiteral("JAN")).contains(31));
        const Rights jan = m_db->loadRights(QStringLiteral("JAN"));
        QVERIFY(jan[30]);
        QVERIFY(!jan[31]);
        QVERIFY(m_db->loadRights(QStringLiteral("ADMIN"))[31]);
        // Shown again from what was stored.
        window.findChild<QComboBox*>(QStringLiteral("UserID"))->setCurrentText(QStringLiteral("ADMIN"));
        window.findChild<QComboBox*>(QStringLiteral("UserID"))->setCurrentText(QStringLiteral("JAN"));
        QVERIFY(window.box(30)->isChecked());
        QVERIFY(!window.box(31)->isChecked());

        // deleting ADMIN and the logged-in account is refused
        window.findChild<QTabWidget*>()->setCurrentIndex(0);
        window.list()->selectRow(0);
        window.SBUsunClick();
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Nie można usunąć konta ADMIN."));
        window.list()->selectRow(1);
        window.SBUsunClick();
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral("Nie można usunąć konta dla zalogowanego użytkownika."));
        window.setCurrentUser(QStringLiteral("ADMIN"));
        Dialogs::setNextAnswer(true);
        window.SBUsunClick();
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Czy usunąć wskazanego użytkownika?"));
        QCOMPARE(window.list()->rowCount(), 1);
        QVERIFY(UserAccounts(*m_db).rightsOf(QStringLiteral("JAN")).isEmpty());
    }

    void accountEditorChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << "  "
                                 << "abc"
                                 << "abc"
                                 << "Nie wprowadzono nazwy użytkownika. Popraw pole.";
        QTest::newRow("no password") << "EWA"
                                     << "   "
                                     << "   "
                                     << "Nie wprowadzono hasła. Popraw pole.";
        QTest::newRow("short")
            << "EWA"
            << " ab "
            << " ab "
            << "Hasło zbyt krótkie. Powinno składać się conajmniej z trzech znaków. Popraw pole.";
        QTest::newRow("differs") << "EWA"
                                 << "abc"
                                 << "abd"
                                 << "Wprowadzone hasło jest inne od ponownie wprowadzonego. Popraw pole.";
        QTest::newRow("ok") << "EWA"
                            << "abc"
                            << "abc"
                            << "";
    }
    void accountEditorChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, repeated);
        QFETCH(QString, message);
        TfUserEdit editor;
        editor.prepareNew();
        editor.findChild<QLineEdit*>(QStringLiteral("fNAZWA"))->setText(name);
        editor.findChild<QLineEdit*>(QStringLiteral("fHASLO"))->setText(password);
        editor.findChild<QLineEdit*>(QStringLiteral("fHASLO2"))->setText(repeated);
        const int before = int(Dialogs::shown().size());
        editor.SBZapiszClick();
        QCOMPARE(editor.saved(), message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(Dialogs::shown().size(), before + 1);
            QCOMPARE(Dialogs::shown().last().title, QStringLiteral("Uwaga"));
            QCOMPARE(Dialogs::shown().last().text, message);
        }
    }

    void addAccountThroughTheEditor()
    {
        QVERIFY(m_database->connect(*m_db));
        TfUserEdit editor;
        TfUserzy window(*m_db, editor);
        window.prepare();
        // the first attempt names ADMIN again, the second a new account
        int round = 0;
        std::function<void()> fill = [&] {
            auto* dlg = qobject_cast<TfUserEdit*>(QApplication::activeModalWidget());
            if (!dlg) {
                QTimer::singleShot(20, fill);
                return;
            }
            dlg->findChild<QLineEdit*>(QStringLiteral("fNAZWA"))
                ->setText(round == 0 ? QStringLiteral("admin") : QStringLiteral("nowy"));
            dlg->findChild<QLineEdit*>(QStringLiteral("fHASLO"))->setText(QStringLiteral("abcd"));
            dlg->findChild<QLineEdit*>(QStringLiteral("fHASLO2"))->setText(QStringLiteral("abcd"));
            ++round;
            if (round < 2)
                QTimer::singleShot(20, fill);
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("SBZapisz")), Qt::LeftButton);
        };
        QTimer::singleShot(20, fill);
        window.SBDodajClick();
        QCOMPARE(round, 2);
        QVERIFY(Dialogs::shown().size() >= 1);
        QCOMPARE(Dialogs::shown().first().text, QStringLiteral("Istnieje już użytkownik o podanej nazwie."));
        QCOMPARE(window.list()->rowCount(), 2);
        QCOMPARE(window.list()->item(1, 0)->text(), QStringLiteral("NOWY"));
    }

    void cancelAfterDuplicateNameEndsTheAdd()
    {
        QVERIFY(m_database->connect(*m_db));
        TfUserEdit editor;
        TfUserzy window(*m_db, editor);
        window.prepare();
        int shown = 0;
        std::function<void()> act = [&] {
            auto* dlg = qobject_cast<TfUserEdit*>(QApplication::activeModalWidget());
            if (!dlg) {
                QTimer::singleShot(20, act);
                return;
            }
            ++shown;
            if (shown == 1) {
                dlg->findChild<QLineEdit*>(QStringLiteral("fNAZWA"))->setText(QStringLiteral("ADMIN"));
                dlg->findChild<QLineEdit*>(QStringLiteral("fHASLO"))->setText(QStringLiteral("abcd"));
                dlg->findChild<QLineEdit*>(QStringLiteral("fHASLO2"))->setText(QStringLiteral("abcd"));
                QTimer::singleShot(20, act);
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("SBZapisz")), Qt::LeftButton);
            } else if (shown == 2) {
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("SBAnuluj")), Qt::LeftButton);
            } else {
                dlg->reject(); // the editor came back after "Anuluj": the loop did not end
            }
        };
        QTimer::singleShot(20, act);
        window.SBDodajClick();
        QCOMPARE(shown, 2);
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(window.list()->rowCount(), 1);
    }

    void accountEditorShowsItsTexts()
    {
        TfUserEdit editor;
        editor.prepareNew();
        editor.show();
        auto* opis = editor.findChild<QLineEdit*>(QStringLiteral("fOPIS"));
        // Room for a long description, not a 125-pixel field.
        QVERIFY(opis->width() >= opis->fontMetrics().averageCharWidth() * 60);
        TfUserzy window(*m_db, editor);
        const QString title = QStringLiteral("ID Użytkownika");
        QVERIFY(window.list()->columnWidth(0) >
                window.list()->horizontalHeader()->fontMetrics().horizontalAdvance(title));
    }
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
