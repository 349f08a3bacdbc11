#include "TestSupport.h"

#include "base/Dialogs.h"
#include "widgets/AmountFields.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

class TestAmountFields : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_form;
    QLineEdit* m_net = nullptr;
    QComboBox* m_rate = nullptr;
    QLineEdit* m_vat = nullptr;
    QLineEdit* m_gross = nullptr;
    AmountFields* m_fields = nullptr;
    int m_saves = 0;

    QLineEdit* edit(const QString& name)
    {
        return name == QLatin1String("net") ? m_net : name == QLatin1String("vat") ? m_vat : m_gross;
    }
    void typeInto(QLineEdit* e, const QString& text)
    {
        e->setFocus();
        QTRY_VERIFY(e->hasFocus());
        e->clear();
        QTest::keyClicks(e, text);
    }

private slots:
    void initTestCase()
    {
        // Amounts follow the system decimal separator; a Polish system has a comma.
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    }

    void init()
    {
        Dialogs::startScript();
        m_form = std::make_unique<QWidget>();
        m_net = new QLineEdit(m_form.get());
        m_rate = new QComboBox(m_form.get());
        m_rate->addItems({QStringLiteral("23"), QStringLiteral("8"), QStringLiteral("zw")});
        m_vat = new QLineEdit(m_form.get());
        m_gross = new QLineEdit(m_form.get());
        auto* other = new QLineEdit(m_form.get());
        other->setObjectName(QStringLiteral("other"));
        auto* layout = new QFormLayout(m_form.get());
        for (QWidget* w :
             {static_cast<QWidget*>(m_net), static_cast<QWidget*>(m_rate), static_cast<QWidget*>(m_vat),
              static_cast<QWidget*>(m_gross), static_cast<QWidget*>(other)})
            layout->addRow(w);
        m_fields = new AmountFields(m_net, m_rate, m_vat, m_gross, m_form.get());
        m_saves = 0;
        m_fields->setSaveAction([this] { ++m_saves; });
        m_fields->clear();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup()
    {
        m_form.reset();
        Dialogs::stopScript();
    }

    void formats_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two decimals") << 100.0 << "100,00";
        QTest::newRow("rounded down") << 2.3115 << "2,31";
        QTest::newRow("half away from zero") << 0.125 << "0,13";
        QTest::newRow("negative half") << -0.125 << "-0,13";
        QTest::newRow("no negative zero") << -0.001 << "0,00";
        QTest::newRow("no thousands separator") << 1234567.891 << "1234567,89";
    }
    void formats()
    {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QCOMPARE(AmountFields::format(value), shown);
    }

    // Each row types one field (or picks a rate) on top of the amounts shown first.
    void consistency_data()
    {
        QTest::addColumn<QStringList>("start"); // net, VAT, gross as stored
        QTest::addColumn<QString>("field");     // net, vat, gross or rate
        QTest::addColumn<QString>("typed");     // text typed, or the rate picked
        QTest::addColumn<QStringList>("result");
        QTest::addColumn<int>("rateIndex");
        QTest::newRow("net typed, gross follows") << QStringList{"0", "0", "0"} << "net"
                                                  << "100" << QStringList{"100", "0,00", "100,00"} << -1;
        QTest::newRow("net typed keeps VAT") << QStringList{"0", "23", "23"} << "net"
                                             << "100" << QStringList{"100", "23,00", "123,00"} << -1;
        QTest::newRow("VAT typed, gross follows") << QStringList{"100", "0", "100"} << "vat"
                                                  << "23" << QStringList{"100,00", "23", "123,00"} << -1;
        QTest::newRow("gross typed, net follows") << QStringList{"0", "23", "23"} << "gross"
                                                  << "123" << QStringList{"100,00", "23,00", "123"} << -1;
        QTest::newRow("gross below VAT leaves net") << QStringList{"10", "60", "70"} << "gross"
                                                    << "50" << QStringList{"10,00", "60,00", "50"} << -1;
        QTest::newRow("rate 23 on 100") << QStringList{"100", "0", "100"} << "rate"
                                        << "23" << QStringList{"100,00", "23,00", "123,00"} << -1;
        QTest::newRow("rate 23 on 10,05") << QStringList{"10.05", "0", "10.05"} << "rate"
                                          << "23" << QStringList{"10,05", "2,31", "12,36"} << -1;
        QTest::newRow("rate zw computes nothing") << QStringList{"100", "0", "100"} << "rate"
                                                  << "zw" << QStringList{"100,00", "0,00", "100,00"} << 2;
        QTest::newRow("point becomes comma") << QStringList{"0", "0", "0"} << "net"
                                             << "1.5" << QStringList{"1,5", "0,00", "1,50"} << -1;
        QTest::newRow("blanks dropped") << QStringList{"0", "0", "0"} << "net"
                                        << "1 234,56" << QStringList{"1234,56", "0,00", "1234,56"} << -1;
        QTest::newRow("letters refused") << QStringList{"0", "0", "0"} << "net"
                                         << "abc" << QStringList{"", "0,00", "0,00"} << -1;
        QTest::newRow("second separator refused") << QStringList{"0", "0", "0"} << "net"
                                                  << "1,2,3" << QStringList{"1,23", "0,00", "1,23"} << -1;
        QTest::newRow("negative net") << QStringList{"0", "0", "0"} << "net"
                                      << "-20" << QStringList{"-20", "0,00", "-20,00"} << -1;
    }
    void consistency()
    {
        QFETCH(QStringList, start);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, result);
        QFETCH(int, rateIndex);
        m_fields->setAmounts(start[0].toDouble(), start[1].toDouble(), start[2].toDouble());
        if (field == QLatin1String("rate")) {
            m_rate->setFocus();
            m_rate->setCurrentIndex(m_rate->findText(typed));
            emit m_rate->activated(m_rate->currentIndex());
        } else {
            typeInto(edit(field), typed);
        }
        QCOMPARE(m_net->text(), result[0]);
        QCOMPARE(m_vat->text(), result[1]);
        QCOMPARE(m_gross->text(), result[2]);
        QCOMPARE(m_rate->currentIndex(), rateIndex);
    }

    void typingEmptiesTheRate()
    {
        m_rate->setCurrentIndex(0);
        typeInto(m_vat, QStringLiteral("5"));
        QCOMPARE(m_rate->currentIndex(), -1);
    }

    void leavingNormalises_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << "7"
                               << "7,00";
        QTest::newRow("one decimal") << "12,5"
                                     << "12,50";
        QTest::newRow("empty") << ""
                               << "0,00";
        // What does not read stays for the save check to refuse, never 0.
        QTest::newRow("separator only") << ","
                                        << ",";
        QTest::newRow("sign only") << "-"
                                   << "-";
    }
    void leavingNormalises()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        typeInto(m_vat, typed);
        m_form->findChild<QLineEdit*>(QStringLiteral("other"))->setFocus();
        QTRY_COMPARE(m_vat->text(), shown);
    }

    void enterRunsSave()
    {
        typeInto(m_net, QStringLiteral("5"));
        QTest::keyClick(m_net, Qt::Key_Return);
        QCOMPARE(m_saves, 1);
    }

    void saveCheck_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message"); // empty: the check passes
        QTest::addColumn<QStringList>("after");
        QTest::newRow("adds up") << QStringList{"100", "23", "123"} << "" << QStringList{"100", "23", "123"};
        QTest::newRow("cents add up")
            << QStringList{"10,05", "2,31", "12,36"} << "" << QStringList{"10,05", "2,31", "12,36"};
        QTest::newRow("a cent off") << QStringList{"0,10", "0,20", "0,31"}
                                    << "Wprowadzone kwoty nie zgadzają się. Popraw pola."
                                    << QStringList{"0,1", "0,2", "0,31"};
        QTest::newRow("blank VAT is 0")
            << QStringList{"12,50", "", "12,5"} << "" << QStringList{"12,5", "0", "12,5"};
        QTest::newRow("overflowing cents count as 0")
            << QStringList{"30000000", "0", "30000000"} << "" << QStringList{"30000000", "0", "30000000"};
        QTest::newRow("unreadable net")
            << QStringList{"abc", "0", "0"} << "Niepoprawna wartość netto kosztu. Popraw pole."
            << QStringList{"abc", "0", "0"};
        QTest::newRow("unreadable VAT") << QStringList{"1", "x", "1"} << "Niepoprawna kwota VAT. Popraw pole."
                                        << QStringList{"1", "x", "1"};
        QTest::newRow("unreadable gross")
            << QStringList{"1", "0", "y"} << "Niepoprawna wartość brutto kosztu. Popraw pole."
            << QStringList{"1", "0", "y"};
    }
    void saveCheck()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QStringList, after);
        // Leaving a field normalises it; the texts are set with the focus elsewhere.
        m_form->findChild<QLineEdit*>(QStringLiteral("other"))->setFocus();
        QTRY_VERIFY(!m_net->hasFocus());
        {
            const QSignalBlocker a(m_net), b(m_vat), c(m_gross);
            m_net->setText(texts[0]);
            m_vat->setText(texts[1]);
            m_gross->setText(texts[2]);
        }
        const bool passed = m_fields->check();
        QCOMPARE(passed, message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(Dialogs::shown().size(), 1);
            QCOMPARE(Dialogs::shown().first().title, QStringLiteral("Uwaga"));
            QCOMPARE(Dialogs::shown().first().text, message);
        } else {
            QCOMPARE(Dialogs::shown().size(), 0);
        }
        QCOMPARE(m_net->text(), after[0]);
        QCOMPARE(m_vat->text(), after[1]);
        QCOMPARE(m_gross->text(), after[2]);
    }

    void sqlTextUsesPoint_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::newRow("comma") << "1234,56"
                               << "1234.56";
        QTest::newRow("blank") << ""
                               << "0";
        QTest::newRow("whole") << "7"
                               << "7";
    }
    void sqlTextUsesPoint()
    {
        QFETCH(QString, text);
        QFETCH(QString, sql);
        QLineEdit e;
        e.setText(text);
        QCOMPARE(AmountFields::sqlText(&e), sql);
    }

    void centsOverflowCountsAsZero()
    {
        QCOMPARE(AmountFields::cents(2.31), 231);
        QCOMPARE(AmountFields::cents(-0.005), -1);
        QCOMPARE(AmountFields::cents(30000000.0), 0);
    }
};

QTEST_MAIN(TestAmountFields)
#include "test_amountfields.moc"
