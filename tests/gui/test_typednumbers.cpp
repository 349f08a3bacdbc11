#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "bhp/TfBhp.h"
#include "bhp/TfIloscNaStanie.h"
#include "bhp/TfMagazyn.h"
#include "bhp/TfPosiadajacy.h"
#include "bhp/TfZakupBhp.h"
#include "editors/TfKomputery.h"
#include "editors/TfLicProg.h"
#include "editors/TfRozliczenia.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace EditorTest;

// Numbers as users type them: every numeric field reads a comma or a point,
// refuses what is no number with its message and the focus on the field,
// and never turns such a text into 0 on leaving the field (the resource
// store keeps its silent "0.00"). Inventory numbers are written without the
// blanks around them.
class TestTypedNumbers : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    static QStringList messages()
    {
        QStringList texts;
        for (const auto& s : Dialogs::shown())
            texts << s.title + QStringLiteral(" / ") + s.text;
        return texts;
    }
    static void activate(QWidget* w)
    {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    // Types `text` into the field as a user does and leaves it for `other`.
    static void typeAndLeave(QLineEdit* field, QWidget* other, const QString& text)
    {
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        field->clear();
        QTest::keyClicks(field, text);
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
    }

    // The dialog of a test row, ready to save but for the field under test.
    std::unique_ptr<QDialog> makeDialog(const QString& window)
    {
        if (window == QLatin1String("TfRozliczenia")) {
            auto d = std::make_unique<TfRozliczenia>(*m_db);
            d->reopenLookups();
            d->prepareNew();
            return d;
        }
        if (window == QLatin1String("TfBhp")) {
            auto d = std::make_unique<TfBhp>(*m_db);
            d->reopenLookups();
            d->prepareNew();
            setText(d.get(), "fNAZWA", QStringLiteral("Kask"));
            setText(d.get(), "fNREWID", QStringLiteral("BHP/K1"));
            return d;
        }
        if (window == QLatin1String("TfPosiadajacy")) {
            auto d = std::make_unique<TfPosiadajacy>(*m_db);
            d->reopenLookups();
            d->prepareNew();
            child<Lookup>(d.get(), "fNREW")->setKey(QStringLiteral("P006"));
            return d;
        }
        if (window == QLatin1String("TfIloscNaStanie")) {
            auto d = std::make_unique<TfIloscNaStanie>();
            d->prepare(0, 2, 10, false);
            return d;
        }
        if (window == QLatin1String("TfZakupBhp")) {
            auto d = std::make_unique<TfZakupBhp>(*m_db);
            d->reopenLookups();
            d->prepareNew();
            setText(d.get(), "fNAZWA", QStringLiteral("Rękawice"));
            return d;
        }
        if (window == QLatin1String("TfLicProg")) {
            auto d = std::make_unique<TfLicProg>(*m_db);
            d->setCount(1, false);
            return d;
        }
        return {};
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        AppState::instance().rights.fill(true);
        Config::global().reset();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void everyNumericFieldRefusesLetters_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("saveButton");
        QTest::newRow("settlement hours") << "TfRozliczenia"
                                          << "fGODZINY"
                                          << "abc"
                                          << "Niepoprawna ilość godzin. Popraw pole."
                                          << "SBZapisz";
        QTest::newRow("settlement rate") << "TfRozliczenia"
                                         << "fSTAWKA"
                                         << "abc"
                                         << "Niepoprawna wartość stawki godzinowej. Popraw pole."
                                         << "SBZapisz";
        QTest::newRow("item on stock") << "TfBhp"
                                       << "fILOSC"
                                       << "abc"
                                       << "Niepoprawna ilość na stanie. Popraw pole."
                                       << "SBZapisz";
        QTest::newRow("item reminder")
            << "TfBhp"
            << "fPRZYPOMNIJ"
            << "abc"
            << "Niepoprawna wartość pola \"Przypomnij gdy ilość wyniesie\". Popraw pole."
            << "SBZapisz";
        QTest::newRow("holding quantity") << "TfPosiadajacy"
                                          << "fILOSC"
                                          << "abc"
                                          << "Niepoprawna ilość na stanie. Popraw pole."
                                          << "SBZapisz";
        QTest::newRow("new stock value") << "TfIloscNaStanie"
                                         << "fILOSCNASTANIEPO"
                                         << "abc"
                                         << "Niepoprawna ilość na stanie. Popraw pole."
                                         << "SBOk";
        QTest::newRow("purchase quantity") << "TfZakupBhp"
                                           << "fILOSC"
                                           << "abc"
                                           << "Niepoprawna ilość na stanie. Popraw pole."
                                           << "SBZapisz";
        QTest::newRow("licence seats") << "TfLicProg"
                                       << "fILOSCLIC"
                                       << "abc"
                                       << "Niepoprawna ilość licencji. Popraw pole."
                                       << "SBZapisz";
        // The amount block takes only digits, a sign and one separator at
        // the keyboard; what it takes and cannot read is refused the same way.
        QTest::newRow("net amount") << "TfZakupBhp"
                                    << "fNETTO"
                                    << "-"
                                    << "Niepoprawna wartość netto kosztu. Popraw pole."
                                    << "SBZapisz";
        QTest::newRow("VAT amount") << "TfZakupBhp"
                                    << "fVAT"
                                    << ","
                                    << "Niepoprawna kwota VAT. Popraw pole."
                                    << "SBZapisz";
        QTest::newRow("gross amount") << "TfZakupBhp"
                                      << "fBRUTTO"
                                      << "-"
                                      << "Niepoprawna wartość brutto kosztu. Popraw pole."
                                      << "SBZapisz";
    }
    void everyNumericFieldRefusesLetters()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, saveButton);
        std::unique_ptr<QDialog> dialog = makeDialog(window);
        QVERIFY(dialog);
        activate(dialog.get());
        auto* edit = child<QLineEdit>(dialog.get(), field.toLatin1().constData());
        QVERIFY(edit);
        // Another focusable field to leave to.
        QWidget* other = nullptr;
        for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
            if (e != edit && e->isVisible() && e->isEnabled() && e->focusPolicy() != Qt::NoFocus &&
                !e->isReadOnly())
                other = e;
        if (!other) // a dialog with one field: leave it for a check box or a button
            for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                if (b->isVisible() && b->isEnabled() && b->objectName() != saveButton &&
                    (b->focusPolicy() & Qt::TabFocus))
                    other = b;
        QVERIFY(other);
        typeAndLeave(edit, other, typed);
        QCOMPARE(edit->text(), typed); // not 0,00
        click(dialog.get(), saveButton.toLatin1().constData());
        QCOMPARE(messages(), QStringList{QStringLiteral("Uwaga / ") + message});
        QVERIFY(dialog->isVisible()); // nothing saved: the dialog waits for a correction
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
    }

    void lettersInTheAmountBlockAreRefusedAtTheKeyboard()
    {
        auto d = std::make_unique<TfZakupBhp>(*m_db);
        d->prepareNew();
        activate(d.get());
        auto* net = child<QLineEdit>(d.get(), "fNETTO");
        typeAndLeave(net, child<QLineEdit>(d.get(), "fNAZWA"), QStringLiteral("abc"));
        QCOMPARE(net->text(), QStringLiteral("0,00")); // nothing was typed: a blank is 0
    }

    void bothSeparatorsReadAndTheLeftFieldShowsTwoDecimals_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::newRow("settlement hours") << "TfRozliczenia"
                                          << "fGODZINY";
        QTest::newRow("settlement rate") << "TfRozliczenia"
                                         << "fSTAWKA";
        QTest::newRow("item on stock") << "TfBhp"
                                       << "fILOSC";
        QTest::newRow("holding quantity") << "TfPosiadajacy"
                                          << "fILOSC";
    }
    void bothSeparatorsReadAndTheLeftFieldShowsTwoDecimals()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        std::unique_ptr<QDialog> dialog = makeDialog(window);
        activate(dialog.get());
        auto* edit = child<QLineEdit>(dialog.get(), field.toLatin1().constData());
        QWidget* other = child<QLineEdit>(dialog.get(), window == QLatin1String("TfPosiadajacy") ? "fINNE"
                                                        : window == QLatin1String("TfBhp")       ? "fNAZWA"
                                                                                                 : "fOPIS");
        typeAndLeave(edit, other, QStringLiteral("7.5"));
        QCOMPARE(edit->text(), QStringLiteral("7,50"));
        typeAndLeave(edit, other, QStringLiteral("1,25"));
        QCOMPARE(edit->text(), QStringLiteral("1,25"));
    }

    void theResourceStoreKeepsItsSilentZero()
    {
        TfMagazyn d;
        d.prepareNew();
        activate(&d);
        setText(&d, "fCZESC", QStringLiteral("Olej"));
        auto* quantity = child<QLineEdit>(&d, "fILOSC");
        typeAndLeave(quantity, child<QLineEdit>(&d, "fUWAGI"), QStringLiteral("abc"));
        QCOMPARE(quantity->text(), QStringLiteral("0,00"));
        click(&d, "SBZapisz");
        QCOMPARE(messages(), QStringList());
        QVERIFY(d.saved());
    }

    void aSettlementTypedWithLettersIsNotStored()
    {
        QVERIFY(m_db->reloadList(QStringLiteral("DBFRozliczenia")));
        TfKomputery computers(*m_db);
        RecordCommands commands(*m_db, computers);
        const int before = scalar(QStringLiteral("SELECT COUNT(*) FROM rozliczenia")).toInt();
        ModalScript script;
        script.add(QStringLiteral("TfRozliczenia"), [&](QWidget* w) {
            child<Lookup>(w, "fSPRZET")->setKey(3);
            setText(w, "fDATAOD", date("01-03-2024"));
            auto* hours = child<QLineEdit>(w, "fGODZINY");
            hours->setFocus();
            hours->selectAll();
            QTest::keyClicks(hours, QStringLiteral("abc"));
            child<QLineEdit>(w, "fSTAWKA")->setFocus(); // leaving the field
            click(w, "SBZapisz");
            if (w->isVisible())
                click(w, "SBAnuluj");
        });
        QVERIFY(commands.add(QStringLiteral("DodatkoweRozliczenia")));
        QVERIFY(script.done());
        QCOMPARE(messages(), QStringList{QStringLiteral("Uwaga / Niepoprawna ilość godzin. Popraw pole.")});
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM rozliczenia")).toInt(), before);
    }

    // ---- inventory numbers
    void inventoryNumbersAreTrimmedBeforeTheTestAndTheWrite()
    {
        QVERIFY(m_db->reloadList(QStringLiteral("DBFBhp")));
        QVERIFY(m_db->reloadList(QStringLiteral("DBFZakupBhp")));
        m_db->DatabaseMain().exec(
            QStringLiteral("INSERT INTO bhp (NAZWA,NREWID) VALUES ('Kask','KOMP/001')"));
        TfKomputery computers(*m_db);
        RecordCommands commands(*m_db, computers);
        ModalScript script;
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            setText(w, "fNAZWA", QStringLiteral("Kask drugi"));
            setText(w, "fNREWID", QStringLiteral("KOMP/001 ")); // looks like the first
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfBhp"), [&](QWidget* w) {
            setText(w, "fNREWID", QStringLiteral("  KOMP/002  "));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfBhp"),
                   [&](QWidget* w) { click(w, "SBAnuluj"); }); // opened on the holdings
        QVERIFY(commands.add(QStringLiteral("odziezSrodki")));
        QVERIFY(script.done());
        QCOMPARE(messages(), QStringList{QStringLiteral(
                                 "Uwaga / Istnieje już środek bhp o podanym numerze ewidencyjnym.")});
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM bhp WHERE NREWID LIKE 'KOMP/00%'")).toInt(), 2);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM bhp WHERE NREWID = 'KOMP/002'")).toInt(), 1);

        ModalScript purchase;
        purchase.add(QStringLiteral("TfZakupBhp"), [&](QWidget* w) {
            setText(w, "fNAZWA", QStringLiteral("Kask"));
            setText(w, "fNREWID", QStringLiteral(" ZAK/7 "));
            click(w, "SBZapisz");
        });
        QVERIFY(commands.add(QStringLiteral("zakupBhp")));
        QVERIFY(purchase.done());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM zakupbhp WHERE NREWID = 'ZAK/7'")).toInt(), 1);
    }
};

QTEST_MAIN(TestTypedNumbers)
#include "test_typednumbers.moc"
