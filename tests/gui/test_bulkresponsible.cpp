#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/TfOdpowiedzialny.h"
#include "registers/BulkResponsibleChange.h"
#include "registers/ListTools.h"
#include "registers/TfMain.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QAction>
#include <QCheckBox>
#include <QTest>

// "Zmień hurtowo osobę odpowiedzialną": computers and equipment of one
// employee go to another, in one transaction, liquidated rows on request.
class TestBulkResponsible : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;

    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }
    QString owner(const char* table, const char* nrewid)
    {
        return EditorTest::scalar(*m_db, QStringLiteral("SELECT NREW FROM %1 WHERE NREWID='%2'")
                                             .arg(QLatin1String(table), QLatin1String(nrewid)));
    }
    BulkResponsibleChange& bulk() { return m_main->listTools().bulkChange(); }
    void login(std::initializer_list<int> rights)
    {
        Rights r{};
        for (int n : rights)
            r[size_t(n)] = true;
        AppState::instance().currentUser = QStringLiteral("TEST");
        AppState::instance().rights = r;
        m_main->applyRights(r);
    }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(false);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P1','Kowalski','Jan'),"
                            "('P2','Nowak','Anna')"));
        exec(QStringLiteral("INSERT INTO komputery (NREWID,NREW,ARCHIWUM) VALUES ('K/1','P1','N'),"
                            "('K/2','P1','T'),('K/3','P2','N')"));
        exec(QStringLiteral(
            "INSERT INTO sprzet (NREWID,NREW,ARCHIWUM) VALUES ('S/1','P1','N'),('S/2','P1','T')"));
        exec(QStringLiteral("INSERT INTO r_kompprac (IDKOMPUTERA,NREW) VALUES (1,'P1')"));
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().logout();
        m_main.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void liquidatedRowsChangeOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("liquidated");
        QTest::newRow("current rows") << false;
        QTest::newRow("liquidated too") << true;
    }
    void liquidatedRowsChangeOnlyWhenAsked()
    {
        QFETCH(bool, liquidated);
        QVERIFY(bulk().change(QStringLiteral("P1"), QStringLiteral("P2"), true, true, liquidated));
        QCOMPARE(owner("komputery", "K/1"), QStringLiteral("P2"));
        QCOMPARE(owner("komputery", "K/2"), liquidated ? QStringLiteral("P2") : QStringLiteral("P1"));
        QCOMPARE(owner("sprzet", "S/1"), QStringLiteral("P2"));
        QCOMPARE(owner("sprzet", "S/2"), liquidated ? QStringLiteral("P2") : QStringLiteral("P1"));
        QCOMPARE(owner("komputery", "K/3"), QStringLiteral("P2"));
        // The users of a computer stay as they are.
        QCOMPARE(EditorTest::scalar(*m_db, QStringLiteral("SELECT NREW FROM r_kompprac")),
                 QStringLiteral("P1"));
    }

    void throughTheDialogWithTheRightsOfTheUser()
    {
        login({1, 2}); // computers, not equipment
        m_main->SBKomputeryClick();
        ModalScript script;
        script.add(QStringLiteral("TfOdpowiedzialny"), [](QWidget* w) {
            auto* sprzet = w->findChild<QCheckBox*>(QStringLiteral("cbSprzet"));
            QVERIFY(!sprzet->isEnabled());
            auto* from = w->findChild<Lookup*>(QStringLiteral("fNREW1"));
            auto* to = w->findChild<Lookup*>(QStringLiteral("fNREW2"));
            QVERIFY(!from->hasChoice() && !to->hasChoice()); // both choices start empty
            from->setKey(QStringLiteral("P1"));
            to->setKey(QStringLiteral("P2"));
            w->findChild<QCheckBox*>(QStringLiteral("cbKomputery"))->setChecked(true);
            EditorTest::click(w, "SBWykonaj");
        });
        m_main->action(QStringLiteral("zmianaOdpowiedzialnej"))->trigger();
        QVERIFY(script.done());
        QVERIFY(script.errors().isEmpty());
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Proces zakończył się powodzeniem"));
        QCOMPARE(owner("komputery", "K/1"), QStringLiteral("P2"));
        QCOMPARE(owner("sprzet", "S/1"), QStringLiteral("P1"));
        QCOMPARE(m_main->currentPageName(), QStringLiteral("start"));
    }

    void aFailureUndoesBothTables()
    {
        m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("nosprzet"),
                               QStringLiteral("BEFORE UPDATE ON sprzet"), QStringLiteral("zablokowane"));
        QVERIFY(!bulk().change(QStringLiteral("P1"), QStringLiteral("P2"), true, true, false));
        QCOMPARE(owner("komputery", "K/1"), QStringLiteral("P1"));
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000111117]")));
    }
};

QTEST_MAIN(TestBulkResponsible)
#include "test_bulkresponsible.moc"
