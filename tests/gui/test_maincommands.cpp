#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/TfBiblioteka.h"
#include "editors/TfKomputery.h"
#include "registers/TfMain.h"
#include "shell/MainCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QLineEdit>

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The main window's commands reach the editors: a double click edits with the
// write right and previews without it, and "Biblioteka" opens the dictionaries.
class TestMainCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    void loginWith(TfMain& main, std::initializer_list<int> rights)
    {
        Rights r{};
        for (int n : rights)
            r[size_t(n)] = true;
        AppState::instance().currentUser = QStringLiteral("TEST");
        AppState::instance().rights = r;
        main.applyRights(r);
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().logout();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void doubleClickEditsOrPreviews_data()
    {
        QTest::addColumn<bool>("write");
        QTest::newRow("read and write") << true;
        QTest::newRow("read only") << false;
    }
    void doubleClickEditsOrPreviews()
    {
        QFETCH(bool, write);
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, write ? std::initializer_list<int>{1, 2} : std::initializer_list<int>{1});
        main.SBKomputeryClick();
        DataGrid* grid = main.grid(QStringLiteral("KomputeryGrid"));
        QVERIFY(grid->model()->rowCount() > 0);
        bool shown = false, preview = false;
        ModalScript script;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            shown = true;
            preview = static_cast<TfKomputery*>(w)->isPreview();
            static_cast<QDialog*>(w)->reject();
        });
        QTest::keyClick(grid, Qt::Key_Return);
        QTRY_VERIFY(script.done());
        QVERIFY(shown);
        QCOMPARE(preview, !write);
        QVERIFY(script.errors().isEmpty());
    }

    void openAttachmentOpensTheStoredFile()
    {
        QTemporaryDir folder;
        Config::global().setAttachmentsFolder(folder.path());
        QFile file(folder.filePath(QStringLiteral("1_umowa.pdf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral(
            "INSERT INTO zalaczniki (CZEGODOTYCZY,IDOBIEKTU,NAZWAZALACZNIKA,NAZWAPLIKU,DATADODANIA) "
            "VALUES ('K',1,'Umowa','1_umowa.pdf',20260101)"));
        q.execSQL();
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {28});
        main.SBZalacznikiClick();
        main.runCommand(TfMain::Command::OpenAttachment);
        QCOMPARE(Dialogs::openedUrls().size(), 1);
        QCOMPARE(Dialogs::openedUrls().first().toLocalFile(), file.fileName());
    }

    void bibliotekaOpensTheDictionaryEditor()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {12});
        ModalScript script;
        bool shown = false;
        script.add(QStringLiteral("TfBiblioteka"), [&](QWidget* w) {
            shown = true;
            QCOMPARE(static_cast<TfBiblioteka*>(w)->dictionary(), 0);
            static_cast<QDialog*>(w)->reject();
        });
        main.SBBibliotekaClick();
        QVERIFY(shown);
        QCOMPARE(main.currentPageName(), QStringLiteral("Slowniki/SlStart"));
    }

    void tickedOrderGoesOnInTheSettlements()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        loginWith(main, {20, 21, 22, 23});
        main.SBZleceniaClick();
        const qint64 before = m_db->maxKey(QStringLiteral("rozliczenia"), QStringLiteral("IDROZLICZENIA"));
        QString pageOfSettlement;
        ModalScript script;
        script.add(QStringLiteral("TfZlecenia"), [&](QWidget* w) {
            w->findChild<Lookup*>(QStringLiteral("fSPRZET"))->setKey(3);
            w->findChild<QLineEdit*>(QStringLiteral("fDATAOD"))->setText(TmyDataBase::dateText(20240301));
            w->findChild<QLineEdit*>(QStringLiteral("fNRDOKUMENTU"))->setText(QStringLiteral("ZL/9"));
            w->findChild<QCheckBox*>(QStringLiteral("dodajDoRozliczen"))->setChecked(true);
            w->findChild<QPushButton*>(QStringLiteral("SBZapisz"))->click();
        });
        script.add(QStringLiteral("TfRozliczenia"), [&](QWidget* w) {
            pageOfSettlement = main.currentPageName();
            w->findChild<QPushButton*>(QStringLiteral("SBZapisz"))->click();
        });
        main.runCommand(TfMain::Command::Add);
        QTRY_VERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QVERIFY(pageOfSettlement.endsWith(QStringLiteral("DodatkoweRozliczenia")));
        QCOMPARE(m_db->maxKey(QStringLiteral("rozliczenia"), QStringLiteral("IDROZLICZENIA")), before + 1);
        QCOMPARE(m_db->statement(QStringLiteral("DBFRozliczenia")).text(QStringLiteral("NRDOKUMENTU")),
                 QStringLiteral("ZL/9"));
    }
};

QTEST_MAIN(TestMainCommands)
#include "test_maincommands.moc"
