#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/TfOdpowiedzialny.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QTest>

using namespace EditorTest;

// The responsible-person dialog as the bulk change drives it: tables allowed
// by the rights, both lists re-read and cleared, shown, then the answers read.
class TestTfOdpowiedzialny : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

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
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("computers");
        QTest::addColumn<bool>("equipment");
        QTest::addColumn<QString>("message");
        QTest::newRow("no current person")
            << ""
            << "P002" << true << false << "Nie wskazano aktualnie odpowiedzialnego pracownika. Popraw pole.";
        QTest::newRow("no new person")
            << "P001"
            << "" << true << false
            << "Nie wskazano osoby, która będzie nową osobą odpowiedzialną. Popraw pole.";
        QTest::newRow("the same person twice")
            << "P001"
            << "P001" << true << true
            << "Wskazano te same osoby jako nową i starą osobę odpowiedzialną. Popraw pole.";
        QTest::newRow("no table") << "P001"
                                  << "P002" << false << false
                                  << "Nie wskazano tabel, w których należy zmienić odpowiedzialnego.";
        QTest::newRow("accepted") << "P001"
                                  << "P002" << false << true << "";
    }
    void checksInOrder()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, computers);
        QFETCH(bool, equipment);
        QFETCH(QString, message);
        TfOdpowiedzialny dialog(*m_db);
        dialog.allowTables(true, true);
        dialog.reopenLookups();
        bool stayedOpen = false;
        ModalScript script;
        script.add(QStringLiteral("TfOdpowiedzialny"), [&](QWidget* w) {
            if (!from.isEmpty())
                child<Lookup>(w, "fNREW1")->setKey(from);
            if (!to.isEmpty())
                child<Lookup>(w, "fNREW2")->setKey(to);
            child<QCheckBox>(w, "cbKomputery")->setChecked(computers);
            child<QCheckBox>(w, "cbSprzet")->setChecked(equipment);
            click(w, "SBWykonaj");
            stayedOpen = w->isVisible();
            if (stayedOpen)
                static_cast<QDialog*>(w)->reject();
        });
        dialog.exec();
        QVERIFY(script.done());
        QCOMPARE(stayedOpen, !message.isEmpty());
        QCOMPARE(dialog.saved(), message.isEmpty());
        QCOMPARE(Dialogs::shown().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Uwaga"));
            QCOMPARE(Dialogs::shown()[0].text, message);
            return;
        }
        QCOMPARE(dialog.currentPerson(), from);
        QCOMPARE(dialog.newPerson(), to);
        QVERIFY(!dialog.computers());
        QVERIFY(dialog.equipment());
        QVERIFY(!dialog.includeLiquidated());
    }

    void rightsDecideTheTables()
    {
        TfOdpowiedzialny dialog(*m_db);
        auto* komputery = child<QCheckBox>(&dialog, "cbKomputery");
        auto* sprzet = child<QCheckBox>(&dialog, "cbSprzet");
        komputery->setChecked(true);
        sprzet->setChecked(true);
        // Right 2 only: a tick left on the equipment box does not count.
        dialog.allowTables(true, false);
        QVERIFY(komputery->isEnabled());
        QVERIFY(!sprzet->isEnabled());
        QVERIFY(dialog.computers());
        QVERIFY(!dialog.equipment());
        // Neither right: the dialog cannot be confirmed.
        dialog.allowTables(false, false);
        dialog.reopenLookups();
        ModalScript script;
        script.add(QStringLiteral("TfOdpowiedzialny"), [&](QWidget* w) {
            child<Lookup>(w, "fNREW1")->setKey(QStringLiteral("P001"));
            child<Lookup>(w, "fNREW2")->setKey(QStringLiteral("P002"));
            click(w, "SBWykonaj");
            static_cast<QDialog*>(w)->reject();
        });
        dialog.exec();
        QVERIFY(!dialog.saved());
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Nie wskazano tabel, w których należy zmienić odpowiedzialnego."));
    }

    void listsShowNewEmployeesAndStartCleared()
    {
        TfOdpowiedzialny dialog(*m_db);
        dialog.reopenLookups();
        auto* first = child<Lookup>(&dialog, "fNREW1");
        auto* second = child<Lookup>(&dialog, "fNREW2");
        first->setKey(QStringLiteral("P001"));
        QVERIFY(first->hasChoice());
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P900','Źdźbło','Łucja')"));
        q.execSQL();
        dialog.reopenLookups();
        QVERIFY(!first->hasChoice());
        QVERIFY(!second->hasChoice());
        second->setKey(QStringLiteral("P900"));
        QCOMPARE(second->currentText(), QStringLiteral("Źdźbło Łucja (nr.ew. P900)"));
        QCOMPARE(dialog.newPerson(), QStringLiteral("P900"));
        // Both lists search the same employees, the new one too, whatever the case typed.
        const auto texts = [](const QList<LookupSearch::Match>& matches) {
            QStringList out;
            for (const LookupSearch::Match& m : matches)
                out << m.text;
            return out;
        };
        QCOMPARE(texts(first->offer(QString())), texts(second->offer(QString())));
        QCOMPARE(texts(first->offer(QStringLiteral("źDŹb"))),
                 QStringList{QStringLiteral("Źdźbło Łucja (nr.ew. P900)")});
    }
};

QTEST_MAIN(TestTfOdpowiedzialny)
#include "test_tfodpowiedzialny.moc"
