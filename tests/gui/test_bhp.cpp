#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "bhp/BhpCommands.h"
#include "bhp/TfBhp.h"
#include "editors/TfKomputery.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace EditorTest;

// BHP items, the holdings of employees with the stock dialog, and purchases.
class TestBhp : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_computers;
    std::unique_ptr<RecordCommands> m_commands;
    QStringList m_entered;
    const QString kItems = QStringLiteral("DBFBhp");

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }
    // Quantities show the program's decimal comma, whatever the system's language.
    static QString q2(double v) { return QString::number(v, 'f', 2).replace('.', ','); }
    // An item with 10 on stock held by nobody, the list's cursor on it.
    qint64 makeItem()
    {
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID,CECHY,INNE,KLASYFIKATOR,ILOSC,PRZYPOMNIJ) VALUES "
                            "('Rękawice robocze','BHP/T1','rozm. 10','',0,10,2)"));
        const qint64 key = scalar(QStringLiteral("SELECT MAX(IDBHP) FROM bhp")).toLongLong();
        m_db->reloadList(kItems);
        m_db->locate(kItems, {key});
        return key;
    }
    void holdingDialog(QWidget* w, const QString& nrew, const QString& ilosc)
    {
        if (!nrew.isEmpty())
            child<Lookup>(w, "fNREW")->setKey(nrew);
        setText(w, "fILOSC", ilosc);
        click(w, "SBZapisz");
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        QVERIFY(m_db->reloadList(kItems));
        QVERIFY(m_db->reloadList(QStringLiteral("DBFZakupBhp")));
        AppState::instance().rights.fill(true);
        Config::global().reset();
        Dialogs::startScript();
        m_computers = std::make_unique<TfKomputery>(*m_db);
        m_commands = std::make_unique<RecordCommands>(*m_db, *m_computers);
        m_entered.clear();
        m_commands->context().enterRegister = [this](const QString& name) { m_entered << name; };
    }
    void cleanup()
    {
        m_commands.reset();
        m_computers.reset();
        Dialogs::stopScript();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void addChecksFieldsAndNumberThenOpensOnTheHoldings()
    {
        exec(QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Kask','BHP/DUP')"));
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "bhp");
            seen << QString::number(tabs->isTabVisible(TfBhp::Posiadajacy))
                 << child<QLineEdit>(w, "fILOSC")->text();
            setText(w, "fNAZWA", QStringLiteral("Okulary ochronne"));
            setText(w, "fNREWID", QStringLiteral("   "));
            click(w, "SBZapisz"); // the number message
            setText(w, "fNREWID", QStringLiteral("BHP/DUP"));
            setText(w, "fILOSC", QStringLiteral("12,5"));
            setText(w, "fPRZYPOMNIJ", QStringLiteral("x1"));
            click(w, "SBZapisz"); // the reminder message
            setText(w, "fPRZYPOMNIJ", QStringLiteral("3"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNREWID")->text();
            setText(w, "fNREWID", QStringLiteral("BHP/NEW \"ż\""));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            auto* tabs = child<QTabWidget>(w, "bhp");
            seen << QString::number(tabs->currentIndex())
                 << QString::number(tabs->isTabVisible(TfBhp::Historia));
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->add(QStringLiteral("odziezSrodki")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"0", q2(0), "BHP/DUP", QString::number(TfBhp::Posiadajacy), "1"}));
        QStringList texts;
        for (const auto& s : Dialogs::shown())
            texts << s.text;
        QCOMPARE(texts,
                 QStringList({QStringLiteral("Nie wprowadzono numeru ewidencyjnego / symbolu. Popraw pole."),
                              QStringLiteral(
                                  "Niepoprawna wartość pola \"Przypomnij gdy ilość wyniesie\". Popraw pole."),
                              QStringLiteral("Istnieje już środek bhp o podanym numerze ewidencyjnym.")}));
        const QString where = QStringLiteral(" FROM bhp WHERE NREWID='BHP/NEW \"ż\"'");
        QCOMPARE(scalar(QStringLiteral("SELECT ILOSC") + where).toDouble(), 12.5);
        QCOMPARE(scalar(QStringLiteral("SELECT PRZYPOMNIJ") + where).toDouble(), 3.0);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWA") + where), QStringLiteral("Okulary ochronne"));
    }

    void issueAndReturnUpdateTheStockOnlyWhenTheItemIsSaved()
    {
        const qint64 item = makeItem();
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            child<QTabWidget>(w, "bhp")->setCurrentIndex(TfBhp::Posiadajacy);
            click(w, "PosiadajacyDodaj"); // issue 2 pieces to P001
            seen << child<QLineEdit>(w, "fILOSC")->text();
            click(w, "PosiadajacyDodaj"); // the same employee again: refused, then cancelled
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfPosiadajacy"), [&](QWidget* w) { holdingDialog(w, "P001", "2"); });
        script.add(QStringLiteral("TfIloscNaStanie"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fROZNICAC")->text() << child<QLineEdit>(w, "fROZNICAX")->text()
                 << child<QLineEdit>(w, "fILOSCNASTANIEPO")->text()
                 << child<QLabel>(w, "labKierunek")->text();
            click(w, "SBUzyjX");
            click(w, "SBOk");
        });
        script.add(QStringLiteral("TfPosiadajacy"), [&](QWidget* w) { holdingDialog(w, "P001", "1"); });
        script.add(QStringLiteral("TfPosiadajacy"), [&](QWidget* w) { click(w, "SBAnuluj"); });
        QVERIFY(m_commands->edit(QStringLiteral("odziezSrodki")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(seen,
                 QStringList({"+" + q2(2), q2(8), q2(10), QStringLiteral("zmniejszenie stanu"), q2(8)}));
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral(
                     "Wskazana osoba posiada już przypisany środek BHP. Przeedytuj już istniejący wpis."));
        const QString key = QString::number(item);
        QCOMPARE(scalar("SELECT ILOSC FROM r_bhpprac WHERE NREW='P001' AND IDBHP=" + key).toDouble(), 2.0);
        QCOMPARE(scalar("SELECT COUNT(*) FROM r_bhpprac WHERE IDBHP=" + key).toInt(), 1);
        QCOMPARE(scalar("SELECT ILOSC FROM bhp WHERE IDBHP=" + key).toDouble(), 8.0);

        // Taking back 1 of 2 with the editor then cancelled: the holding changes, the stock does not.
        m_db->reloadList(kItems);
        m_db->locate(kItems, {item});
        ModalScript back;
        back.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            child<QTabWidget>(w, "bhp")->setCurrentIndex(TfBhp::Posiadajacy);
            click(w, "PosiadajacyEdytuj");
            seen << child<QLineEdit>(w, "fILOSC")->text();
            click(w, "SBAnuluj");
        });
        back.add(QStringLiteral("TfPosiadajacy"), [&](QWidget* w) {
            seen << QString::number(child<Lookup>(w, "fNREW")->isEnabled());
            setText(w, "fILOSC", QStringLiteral("1"));
            click(w, "SBZapisz");
        });
        back.add(QStringLiteral("TfIloscNaStanie"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fROZNICAC")->text() << child<QLabel>(w, "labKierunek")->text();
            click(w, "SBUzyjX");
            click(w, "SBOk");
        });
        seen.clear();
        QVERIFY(m_commands->edit(QStringLiteral("odziezSrodki")));
        QCOMPARE(back.errors(), QStringList());
        QVERIFY(back.done());
        QCOMPARE(seen, QStringList({"0", q2(-1), QStringLiteral("powiększenie stanu"), q2(9)}));
        QCOMPARE(scalar("SELECT ILOSC FROM r_bhpprac WHERE NREW='P001' AND IDBHP=" + key).toDouble(), 1.0);
        QCOMPARE(scalar("SELECT ILOSC FROM bhp WHERE IDBHP=" + key).toDouble(), 8.0);
    }

    void deletingAHoldingOfNothingAndTheOptions()
    {
        const qint64 item = makeItem();
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,ILOSC,DATAOD,DATADO) VALUES (%1,'P002',0,0,0)")
                 .arg(item));
        Config::global().set(QStringLiteral("uzyjAktualnejIlosciBHP"), true);
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            child<QTabWidget>(w, "bhp")->setCurrentIndex(TfBhp::Posiadajacy);
            Dialogs::setNextAnswer(true);
            click(w, "PosiadajacyUsun");
            // Without the option no stock dialog and the quantity stays.
            Config::global().set(QStringLiteral("atkualizujStanBhp"), false);
            click(w, "PosiadajacyDodaj");
            seen << child<QLineEdit>(w, "fILOSC")->text();
            click(w, "SBAnuluj");
        });
        script.add(QStringLiteral("TfIloscNaStanie"), [&](QWidget* w) {
            // C = 0 shows the return labels; the option presets X, which equals D.
            seen << child<QLineEdit>(w, "fROZNICAC")->text() << child<QLabel>(w, "labPrzyklad")->text()
                 << child<QLineEdit>(w, "fILOSCNASTANIEPO")->text();
            click(w, "SBOk");
        });
        script.add(QStringLiteral("TfPosiadajacy"), [&](QWidget* w) { holdingDialog(w, "P003", "4"); });
        QVERIFY(m_commands->edit(QStringLiteral("odziezSrodki")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({q2(0), QStringLiteral("np. zwrot środka BHP"), q2(10), q2(10)}));
        QCOMPARE(Dialogs::shown().first().text, QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
        const QString key = QString::number(item);
        QCOMPARE(scalar("SELECT COUNT(*) FROM r_bhpprac WHERE NREW='P002' AND IDBHP=" + key).toInt(), 0);
        QCOMPARE(scalar("SELECT ILOSC FROM r_bhpprac WHERE NREW='P003' AND IDBHP=" + key).toDouble(), 4.0);
    }

    void sumAndHistoryFromAHolding()
    {
        const qint64 item = makeItem();
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,ILOSC,DATAOD,DATADO,INNE) VALUES "
                            "(%1,'P001',2.5,20260101,20261231,'nowe'),(%1,'NIEMA',1,0,0,'')")
                 .arg(item));
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            child<QTabWidget>(w, "bhp")->setCurrentIndex(TfBhp::Posiadajacy);
            click(w, "PosiadajacySuma");
            click(w, "PosiadajacyHistoria");
            click(w, "SBAnuluj");
        });
        script.add(QStringLiteral("TfHistoria"), [&](QWidget* w) {
            seen << child<Lookup>(w, "fNREW")->key().toString() << child<DateField>(w, "fDATAOD")->dateText()
                 << child<QLineEdit>(w, "fINNE")->text();
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("odziezSrodki")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        // The holding of an employee who no longer exists is counted but not listed.
        QCOMPARE(Dialogs::shown().first().text,
                 QStringLiteral("Łączna ilość posiadanego środka przez 2 pracowników = ") + q2(3.5));
        QCOMPARE(seen, QStringList({"P001", date("01-01-2026"), "(ilość: " + q2(2.5) + ") nowe"}));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM historia WHERE KOMPSPRZ='B' AND NREW='P001' AND "
                                       "DATADO=20261231 AND IDOBIEKTU=") +
                        QString::number(item))
                     .toInt(),
                 1);
    }

    void aPurchaseBecomesAnItemAndAnItemAPurchase()
    {
        exec(QStringLiteral("DELETE FROM bhp"));
        ModalScript script;
        script.add(QStringLiteral("TfZakupBhp"), [&](QWidget* w) {
            setText(w, "fNAZWA", QStringLiteral("Kamizelka odblaskowa"));
            setText(w, "fNREWID", QStringLiteral("KAM/1"));
            setText(w, "fILOSC", QStringLiteral("10"));
            setText(w, "fNETTO", QStringLiteral("100"));
            setText(w, "fVAT", QStringLiteral("23"));
            child<QCheckBox>(w, "dodajDoBhp")->setChecked(true);
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            QCOMPARE(child<QLineEdit>(w, "fNAZWA")->text(), QStringLiteral("Kamizelka odblaskowa"));
            QCOMPARE(child<QLineEdit>(w, "fILOSC")->text(), q2(10));
            QCOMPARE(child<QLineEdit>(w, "fPRZYPOMNIJ")->text(), q2(0));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) { click(w, "SBAnuluj"); }); // the full editor
        QVERIFY(m_commands->add(QStringLiteral("zakupBhp")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(m_entered, QStringList{QStringLiteral("odziezSrodki")});
        const QString purchase = QStringLiteral(" FROM zakupbhp WHERE NREWID='KAM/1'");
        QCOMPARE(scalar("SELECT IDFIRMY" + purchase), QStringLiteral("-1"));
        QCOMPARE(scalar("SELECT DATAZAKUPU" + purchase), QStringLiteral("0"));
        QCOMPARE(scalar("SELECT BRUTTO" + purchase).toDouble(), 123.0);
        QCOMPARE(scalar("SELECT ILOSC FROM bhp WHERE NREWID='KAM/1'").toDouble(), 10.0);

        // The item's box makes a purchase of it: identity copied, quantity and amounts zero.
        m_db->reloadList(kItems);
        ModalScript back;
        back.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            child<QCheckBox>(w, "dodajDoZakupBhp")->setChecked(true);
            click(w, "SBZapisz");
        });
        back.add(QStringLiteral("TfZakupBhp"), [&](QWidget* w) {
            QCOMPARE(child<QLineEdit>(w, "fNREWID")->text(), QStringLiteral("KAM/1"));
            QCOMPARE(child<QLineEdit>(w, "fILOSC")->text(), q2(0));
            QCOMPARE(child<QLineEdit>(w, "fBRUTTO")->text(), q2(0));
            QVERIFY(!child<QCheckBox>(w, "dodajDoBhp")->isChecked());
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("odziezSrodki")));
        QCOMPARE(back.errors(), QStringList());
        QVERIFY(back.done());
        QCOMPARE(scalar("SELECT COUNT(*) FROM zakupbhp WHERE NREWID='KAM/1'").toInt(), 2);
        QCOMPARE(m_entered.last(), QStringLiteral("zakupBhp"));
    }

    void previewIsReadOnlyAndHoldingsOnlyPreview()
    {
        const qint64 item = makeItem();
        exec(QStringLiteral("INSERT INTO r_bhpprac (IDBHP,NREW,ILOSC,DATAOD,DATADO) VALUES (%1,'P001',1,0,0)")
                 .arg(item));
        ModalScript script;
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            QVERIFY(child<QLineEdit>(w, "fNAZWA")->isReadOnly());
            QCOMPARE(child<QPushButton>(w, "SBAnuluj")->text(), QStringLiteral("&OK"));
            child<QTabWidget>(w, "bhp")->setCurrentIndex(TfBhp::Posiadajacy);
            QVERIFY(!child<QPushButton>(w, "PosiadajacyDodaj")->isEnabled());
            click(w, "PosiadajacyPodglad");
            click(w, "SBAnuluj");
        });
        script.add(QStringLiteral("TfPosiadajacy"), [&](QWidget* w) {
            QVERIFY(child<QLineEdit>(w, "fILOSC")->isReadOnly());
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->preview(QStringLiteral("odziezSrodki")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
    }
};

QTEST_MAIN(TestBhp)
#include "test_bhp.moc"
