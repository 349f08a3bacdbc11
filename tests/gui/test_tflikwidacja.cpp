#include "EditorTest.h"
#include "ModalScript.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/TfLikwidacja.h"
#include "widgets/DateField.h"

#include <QLineEdit>
#include <QTest>

using namespace EditorTest;

// The liquidation dialog as the liquidation command drives it: the row's
// date and reason in, shown, then the confirmation, date and reason read.
class TestTfLikwidacja : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        m_config.reset();
    }

    void saveChecksDateThenConfirms_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("liquidated");
        QTest::addColumn<int>("answer"); // -1 no question expected, 0 no, 1 yes
        QTest::addColumn<bool>("saved");
        QTest::newRow("empty date refused") << "" << false << -1 << false;
        QTest::newRow("bad month refused") << "01-13-2024" << false << -1 << false;
        QTest::newRow("answered no") << "15-03-2024" << false << 0 << false;
        QTest::newRow("answered yes") << "15-03-2024" << false << 1 << true;
        QTest::newRow("already liquidated: no question") << "15-03-2024" << true << -1 << true;
    }
    void saveChecksDateThenConfirms()
    {
        QFETCH(QString, date);
        QFETCH(bool, liquidated);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        TfLikwidacja dialog;
        dialog.prepare(liquidated ? 20200101 : 0, liquidated ? QStringLiteral("Stara przyczyna") : QString(),
                       liquidated);
        if (answer >= 0)
            Dialogs::setNextAnswer(answer == 1);
        bool stayedOpen = false;
        ModalScript script;
        script.add(QStringLiteral("TfLikwidacja"), [&](QWidget* w) {
            QCOMPARE(w->focusWidget(), w->findChild<QWidget*>(QStringLiteral("fDATAARCH")));
            auto* field = child<DateField>(w, "fDATAARCH");
            if (date.isEmpty())
                field->clearDate();
            else
                field->setDateText(EditorTest::date(date.toLatin1().constData()));
            setText(w, "fPRZYCZYNA", QStringLiteral("Uszkodzona płyta \"główna\"; nie do naprawy"));
            click(w, "SBZapisz");
            stayedOpen = w->isVisible();
            if (stayedOpen)
                static_cast<QDialog*>(w)->reject();
        });
        dialog.exec();
        QVERIFY(script.done());
        QCOMPARE(dialog.saved(), saved);
        const QList<Dialogs::Shown> shown = Dialogs::shown();
        if (answer < 0 && !saved) {
            QVERIFY(stayedOpen);
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].title, QStringLiteral("Uwaga"));
            QCOMPARE(shown[0].text, QStringLiteral("Niepoprawny format daty likwidacji. Popraw pole."));
            return;
        }
        // A no closes the dialog as well.
        QVERIFY(!stayedOpen);
        QCOMPARE(shown.size(), answer < 0 ? 0 : 1);
        if (answer >= 0) {
            QCOMPARE(shown[0].kind, Dialogs::Kind::Question);
            QCOMPARE(shown[0].title, QStringLiteral("Pytanie"));
            QCOMPARE(shown[0].text,
                     QStringLiteral("Czy jesteś pewien by zlikwidować i przenieść do archiwum wybrany "
                                    "element? Operacja nie będzie mogła być cofnięta."));
        }
        QCOMPARE(dialog.liquidationDate(), 20240315);
        QCOMPARE(dialog.reason(), QStringLiteral("Uszkodzona płyta \"główna\"; nie do naprawy"));
    }

    void showsTheRowsDateAndReason()
    {
        TfLikwidacja dialog;
        dialog.prepare(20231231, QStringLiteral("Kradzież"), true);
        QCOMPARE(child<DateField>(&dialog, "fDATAARCH")->dateText(), EditorTest::date("31-12-2023"));
        QCOMPARE(child<QLineEdit>(&dialog, "fPRZYCZYNA")->text(), QStringLiteral("Kradzież"));
        QVERIFY(dialog.noConfirmation());
        dialog.prepare(0, QString(), false);
        QVERIFY(child<DateField>(&dialog, "fDATAARCH")->isEmptyDate());
        QVERIFY(!dialog.noConfirmation());
        // The reason is cut at the column's width.
        child<QLineEdit>(&dialog, "fPRZYCZYNA")->setText(QString(300, QLatin1Char('x')));
        QCOMPARE(dialog.reason().size(), 254);
    }
};

QTEST_MAIN(TestTfLikwidacja)
#include "test_tflikwidacja.moc"
