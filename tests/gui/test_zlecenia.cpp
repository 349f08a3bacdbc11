#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/TfKomputery.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/DateField.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace EditorTest;

class TestZlecenia : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_computers;
    std::unique_ptr<RecordCommands> m_commands;
    QStringList m_entered;
    const QString kOrders = QStringLiteral("DodatkoweZlecenia");
    const QString kSettlements = QStringLiteral("DodatkoweRozliczenia");

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    QString lastSettlement(const char* column)
    {
        return scalar(QStringLiteral("SELECT %1 FROM rozliczenia ORDER BY IDROZLICZENIA DESC LIMIT 1")
                          .arg(QLatin1String(column)));
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& s : Dialogs::shown())
            texts << s.text;
        return texts;
    }
    // A complete order on item 3 from the 1st of March 2024, ticked to become a settlement.
    static void fillOrder(QWidget* w, bool tick)
    {
        setText(w, "fNRDOKUMENTU", QStringLiteral("ZL/2024/7"));
        child<Lookup>(w, "fSPRZET")->setKey(3);
        setText(w, "fDATAOD", date("01-03-2024"));
        child<Lookup>(w, "fRODZAJPRAC")->setKey(70);
        child<Lookup>(w, "fIDFIRMY")->setKey(4);
        child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P006"));
        setText(w, "fOPIS", QStringLiteral("Wymiana bębna"));
        if (tick)
            child<QCheckBox>(w, "dodajDoRozliczen")->setChecked(true);
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        QVERIFY(m_db->reloadList(QStringLiteral("DBFZlecenia")));
        QVERIFY(m_db->reloadList(QStringLiteral("DBFRozliczenia")));
        AppState::instance().rights.fill(true);
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

    void orderSaveChecksThenWritesDefaults()
    {
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfZlecenia"), [&](QWidget* w) {
            seen << QString::number(child<Lookup>(w, "fSPRZET")->hasChoice())
                 << QString::number(child<QCheckBox>(w, "dodajDoRozliczen")->isChecked())
                 << QString::number(child<QCheckBox>(w, "dodajDoRozliczen")->isEnabled());
            click(w, "SBZapisz");
            child<Lookup>(w, "fSPRZET")->setKey(5);
            click(w, "SBZapisz");
            setText(w, "fDATAOD", date("10-05-2024"));
            setText(w, "fDATADO", date("10-13-2024"));
            click(w, "SBZapisz");
            setText(w, "fDATADO", date("01-05-2024")); // before the date from: accepted
            setText(w, "fOPIS", QStringLiteral("Przegląd \"roczny\"'; --"));
            click(w, "SBZapisz");
        });
        const QString before = scalar(QStringLiteral("SELECT COUNT(*) FROM zlecenia"));
        QVERIFY(m_commands->add(kOrders));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"0", "0", "1"}));
        QCOMPARE(messages(),
                 QStringList({"Nie wskazano sprzętu. Popraw pole.", "Niepoprawna data zlecenia. Popraw pole.",
                              "Niepoprawny format daty do. Popraw pole."}));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zlecenia")).toInt(), before.toInt() + 1);
        const QString row = scalar(QStringLiteral(
            "SELECT "
            "CZEGODOTYCZY||'|'||IDOBIEKTU||'|'||IDFIRMY||'|'||RODZAJPRAC||'|'||DATAOD||'|'||DATADO||'|'||"
            "NREW||'|'||OPIS FROM zlecenia ORDER BY IDZLECENIA DESC LIMIT 1"));
        QCOMPARE(row, QStringLiteral("S|5|0|0|20240510|20240501||Przegląd \"roczny\"'; --"));
        QCOMPARE(m_db->statement(QStringLiteral("DBFZlecenia")).integer(QStringLiteral("IDOBIEKTU")), 5);
        QVERIFY(m_entered.isEmpty());
    }

    void tickedOrderBecomesASettlement_data()
    {
        QTest::addColumn<bool>("onEdit");
        QTest::newRow("add") << false;
        QTest::newRow("edit") << true;
    }
    void tickedOrderBecomesASettlement()
    {
        QFETCH(bool, onEdit);
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfZlecenia"), [&](QWidget* w) {
            fillOrder(w, true);
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfRozliczenia"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNRDOKUMENTU")->text()
                 << child<Lookup>(w, "fSPRZET")->key().toString()
                 << child<DateField>(w, "fDATAOD")->dateText()
                 << child<Lookup>(w, "fRODZAJPRAC")->key().toString()
                 << child<Lookup>(w, "fIDFIRMY")->key().toString()
                 << child<Lookup>(w, "fNREW")->key().toString() << child<QLineEdit>(w, "fOPIS")->text()
                 << child<QLineEdit>(w, "fGODZINY")->text();
            setText(w, "fGODZINY", QStringLiteral("7,5"));
            setText(w, "fSTAWKA", QStringLiteral("40"));
            click(w, "SBZapisz");
        });
        const int orders = scalar(QStringLiteral("SELECT COUNT(*) FROM zlecenia")).toInt();
        if (onEdit)
            QVERIFY(m_commands->edit(kOrders));
        else
            QVERIFY(m_commands->add(kOrders));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zlecenia")).toInt(), orders + (onEdit ? 0 : 1));
        QCOMPARE(seen, QStringList({"ZL/2024/7", "3", date("01-03-2024"), "70", "4", "P006", "Wymiana bębna",
                                    AmountFields::format(0)}));
        QCOMPARE(m_entered, QStringList({kSettlements}));
        QVERIFY(!m_commands->context().orderToSettlement);
        QCOMPARE(lastSettlement("NRDOKUMENTU"), QStringLiteral("ZL/2024/7"));
        QCOMPARE(lastSettlement("CZEGODOTYCZY"), QStringLiteral("S"));
        QCOMPARE(lastSettlement("GODZINY"), QStringLiteral("7.5"));
        // The list computes the value: 7.5 h at 40 is 300, and its cursor is on the new settlement.
        const Statement& list = m_db->statement(QStringLiteral("DBFRozliczenia"));
        QCOMPARE(list.text(QStringLiteral("NRDOKUMENTU")), QStringLiteral("ZL/2024/7"));
        QCOMPARE(list.number(QStringLiteral("WARTOSC")), 300.0);
    }

    void withoutRight23TheBoxIsDisabled()
    {
        AppState::instance().rights[23] = false;
        ModalScript script;
        bool enabled = true;
        script.add(QStringLiteral("TfZlecenia"), [&](QWidget* w) {
            enabled = child<QCheckBox>(w, "dodajDoRozliczen")->isEnabled();
            fillOrder(w, true);
            click(w, "SBZapisz");
        });
        const int settlements = scalar(QStringLiteral("SELECT COUNT(*) FROM rozliczenia")).toInt();
        QVERIFY(m_commands->edit(kOrders));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QVERIFY(!enabled);
        QVERIFY(m_entered.isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM rozliczenia")).toInt(), settlements);
    }

    void settlementNumbersAreChecked_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored");
        QTest::newRow("letters") << "abc"
                                 << "40"
                                 << "Niepoprawna ilość godzin. Popraw pole." << QString();
        QTest::newRow("negative hours") << "-2"
                                        << "40"
                                        << "Niepoprawna ilość godzin. Popraw pole." << QString();
        QTest::newRow("bad rate") << "3"
                                  << "4x"
                                  << "Niepoprawna wartość stawki godzinowej. Popraw pole." << QString();
        QTest::newRow("negative rate") << "3"
                                       << "-1"
                                       << "Niepoprawna wartość stawki godzinowej. Popraw pole." << QString();
        QTest::newRow("empty is 0") << ""
                                    << "" << QString() << "0.0|0.0";
        QTest::newRow("point") << "1.25"
                               << "80,5" << QString() << "1.25|80.5";
    }
    void settlementNumbersAreChecked()
    {
        QFETCH(QString, hours);
        QFETCH(QString, rate);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        ModalScript script;
        script.add(QStringLiteral("TfRozliczenia"), [&](QWidget* w) {
            fillOrder(w, false);
            setText(w, "fGODZINY", hours);
            setText(w, "fSTAWKA", rate);
            click(w, "SBZapisz");
            if (w->isVisible())
                click(w, "SBAnuluj");
        });
        const int before = scalar(QStringLiteral("SELECT COUNT(*) FROM rozliczenia")).toInt();
        QVERIFY(m_commands->add(kSettlements));
        QVERIFY(script.done());
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList({message}));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM rozliczenia")).toInt(),
                 before + (stored.isEmpty() ? 0 : 1));
        if (!stored.isEmpty() && !m_database->onServer()) {
            QCOMPARE(lastSettlement("GODZINY||'|'||STAWKA"), stored);
        } else if (!stored.isEmpty()) {
            // The server writes a whole amount as text without ".0": the numbers are compared.
            const QStringList written = lastSettlement("GODZINY||'|'||STAWKA").split(QLatin1Char('|'));
            QCOMPARE(written.size(), 2);
            QCOMPARE(written[0].toDouble(), stored.section(QLatin1Char('|'), 0, 0).toDouble());
            QCOMPARE(written[1].toDouble(), stored.section(QLatin1Char('|'), 1, 1).toDouble());
        }
    }

    void hoursTakeEitherSeparatorAndShowTwoDecimals()
    {
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfRozliczenia"), [&](QWidget* w) {
            auto* hours = child<QLineEdit>(w, "fGODZINY");
            auto* rate = child<QLineEdit>(w, "fSTAWKA");
            hours->clear();
            hours->setFocus();
            QTest::keyClicks(hours, QStringLiteral("7.5"));
            seen << hours->text();
            rate->clear();
            rate->setFocus(); // leaving the hours shows them as 0.00
            QTest::keyClicks(rate, QStringLiteral("4,25"));
            seen << hours->text();
            QTest::keyClicks(rate, QStringLiteral("x"));
            hours->setFocus(); // unreadable: left as typed for "Zapisz" to refuse, never 0
            seen << rate->text();
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->add(kSettlements));
        QVERIFY(script.done());
        const QString sep = AmountFields::decimalSeparator();
        QCOMPARE(seen, QStringList({"7" + sep + "5", "7" + sep + "50", "4" + sep + "25x"}));
    }

    void orderOfADeletedItemShowsNoneAndIsRefused()
    {
        const QString item =
            scalar(QStringLiteral("SELECT IDOBIEKTU FROM zlecenia ORDER BY IDZLECENIA LIMIT 1"));
        m_db->DatabaseMain().exec(QStringLiteral("DELETE FROM sprzet WHERE IDSPRZETU=") + item);
        QVERIFY(m_db->reloadList(QStringLiteral("DBFZlecenia")));
        QVERIFY(m_db->locate(QStringLiteral("DBFZlecenia"),
                             {scalar(QStringLiteral("SELECT MIN(IDZLECENIA) FROM zlecenia")).toLongLong()}));
        ModalScript script;
        bool chosen = true;
        script.add(QStringLiteral("TfZlecenia"), [&](QWidget* w) {
            chosen = child<Lookup>(w, "fSPRZET")->hasChoice();
            click(w, "SBZapisz");
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->edit(kOrders));
        QVERIFY(script.done());
        QVERIFY(!chosen);
        QCOMPARE(messages(), QStringList({"Nie wskazano sprzętu. Popraw pole."}));
    }

    void editedSettlementStaysUnderTheCursor()
    {
        const qint64 key = scalar(QStringLiteral("SELECT MAX(IDROZLICZENIA) FROM rozliczenia")).toLongLong();
        QVERIFY(m_db->locate(QStringLiteral("DBFRozliczenia"), {key}));
        ModalScript script;
        script.add(QStringLiteral("TfRozliczenia"), [&](QWidget* w) {
            setText(w, "fGODZINY", QStringLiteral("2"));
            setText(w, "fSTAWKA", QStringLiteral("55,5"));
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(kSettlements));
        QVERIFY(script.done());
        const Statement& list = m_db->statement(QStringLiteral("DBFRozliczenia"));
        QCOMPARE(list.integer(QStringLiteral("IDROZLICZENIA")), key);
        QCOMPARE(list.number(QStringLiteral("WARTOSC")), 111.0);
    }
};

QTEST_MAIN(TestZlecenia)
#include "test_zlecenia.moc"
