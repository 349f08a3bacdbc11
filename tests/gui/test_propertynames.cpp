#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "registers/ListTools.h"
#include "registers/PropertyNamesPages.h"
#include "registers/TfMain.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The two pages of property names under "Słowniki": computers, and each
// equipment class with its unsaved-changes question.
class TestPropertyNames : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;

    PropertyNamesPages& pages() { return m_main->listTools().propertyNames(); }
    QLineEdit* edit(const char* kind, int n) { return pages().edit(QLatin1String(kind), n); }
    QPushButton* button(const char* name) { return m_main->findChild<QPushButton*>(QLatin1String(name)); }
    QString stored(const QString& kind, qint64 klass, int lp)
    {
        return EditorTest::scalar(*m_db,
                                  QStringLiteral("SELECT NAZWA FROM nazwawlasciwosci WHERE KOMPSPRZET='%1' "
                                                 "AND IDSLOWNIKA=%2 AND LP=%3")
                                      .arg(kind)
                                      .arg(klass)
                                      .arg(lp));
    }
    int storedRows(const QString& kind, qint64 klass)
    {
        return EditorTest::scalar(*m_db, QStringLiteral("SELECT COUNT(*) FROM nazwawlasciwosci WHERE "
                                                        "KOMPSPRZET='%1' AND IDSLOWNIKA=%2")
                                             .arg(kind)
                                             .arg(klass))
            .toInt();
    }
    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }
    // The user picks another class from the list.
    void choose(int index)
    {
        Lookup* classes = pages().classList();
        classes->setCurrentIndex(index);
        emit classes->activated(index);
    }
    qint64 classAt(int index) { return pages().classList()->itemData(index).toLongLong(); }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(false);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        Rights all{};
        all.fill(true);
        m_main->applyRights(all);
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        m_main.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void computerNamesAreCreatedSavedAndReloaded()
    {
        exec(QStringLiteral("DELETE FROM nazwawlasciwosci WHERE KOMPSPRZET='K'"));
        m_main->SBWlKompClick();
        QCOMPARE(m_main->currentPageName(), QStringLiteral("Slowniki/SlWlasciwosciKomp"));
        QVERIFY(!m_main->navigationButton(QStringLiteral("SBDodaj"))->isEnabled());
        QCOMPARE(storedRows(QStringLiteral("K"), 0), 14);
        for (int n = 1; n <= 14; ++n) {
            QVERIFY(edit("K", n)->isEnabled());
            QCOMPARE(edit("K", n)->text(), QString());
            QCOMPARE(edit("K", n)->maxLength(), 20);
        }

        edit("K", 1)->setText(QStringLiteral("Procesor"));
        edit("K", 14)->setText(QStringLiteral("Pamięć RAM"));
        button("SBWLKZapisz")->click();
        QCOMPARE(stored(QStringLiteral("K"), 0, 1), QStringLiteral("Procesor"));
        QCOMPARE(stored(QStringLiteral("K"), 0, 14), QStringLiteral("Pamięć RAM"));

        // Typed and dropped with "Anuluj"; an emptied edit stores an empty name.
        edit("K", 1)->setText(QStringLiteral("Zmiana"));
        button("SBWLKAnuluj")->click();
        QCOMPARE(edit("K", 1)->text(), QStringLiteral("Procesor"));
        edit("K", 14)->clear();
        button("SBWLKZapisz")->click();
        QCOMPARE(stored(QStringLiteral("K"), 0, 14), QString());
        QCOMPARE(Dialogs::shown().size(), 0); // nothing is reported on success
    }

    void savingIsAllOrNothing()
    {
        m_main->SBWlKompClick();
        edit("K", 1)->setText(QStringLiteral("Pierwsza"));
        button("SBWLKZapisz")->click();
        m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("fail5"),
                               QStringLiteral("BEFORE UPDATE ON nazwawlasciwosci"),
                               QStringLiteral("zablokowane"), QStringLiteral("NEW.LP = 5"));
        edit("K", 1)->setText(QStringLiteral("Druga"));
        button("SBWLKZapisz")->click();
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000002403]")));
        QCOMPARE(stored(QStringLiteral("K"), 0, 1), QStringLiteral("Pierwsza"));
        QCOMPARE(edit("K", 1)->text(), QStringLiteral("Druga")); // the edits keep what was typed
    }

    void switchingClassOffersThePendingNames()
    {
        m_main->SBWlSprzetClick();
        Lookup* classes = pages().classList();
        QVERIFY(classes->count() >= 3);
        QCOMPARE(classes->currentIndex(), 0);
        QVERIFY(!pages().hasUnsavedChanges());
        QCOMPARE(storedRows(QStringLiteral("S"), classAt(0)), 14);
        QCOMPARE(storedRows(QStringLiteral("S"), classAt(1)), 0); // created when first chosen

        // Yes: the names go to the class shown while typing, then the new class is shown.
        edit("S", 3)->setText(QStringLiteral("Toner"));
        QVERIFY(pages().hasUnsavedChanges());
        Dialogs::setNextAnswer(true);
        choose(1);
        QCOMPARE(Dialogs::shown().last().title, QStringLiteral("Pytanie"));
        QCOMPARE(Dialogs::shown().last().text,
                 QStringLiteral("Nie zapisano zmian dla bieżącej klasy sprzętu. Zapamiętać zmiany?"));
        QCOMPARE(stored(QStringLiteral("S"), classAt(0), 3), QStringLiteral("Toner"));
        QCOMPARE(storedRows(QStringLiteral("S"), classAt(1)), 14);
        QCOMPARE(classes->currentIndex(), 1);
        QCOMPARE(edit("S", 3)->text(), QString());
        QVERIFY(!pages().hasUnsavedChanges());

        // No: the typed names are dropped.
        edit("S", 3)->setText(QStringLiteral("Bęben"));
        Dialogs::setNextAnswer(false);
        choose(0);
        QCOMPARE(edit("S", 3)->text(), QStringLiteral("Toner"));
        QCOMPARE(stored(QStringLiteral("S"), classAt(1), 3), QString());

        // After "Anuluj" another class is chosen without a question.
        edit("S", 3)->setText(QStringLiteral("Wałek"));
        button("SBWLSAnuluj")->click();
        const int questions = int(Dialogs::shown().size());
        choose(2);
        QCOMPARE(Dialogs::shown().size(), questions);
        QCOMPARE(Dialogs::unanswered(), 0);
    }

    // The question window takes the focus from the class list; that focus loss
    // is not a second switch asking the same again.
    void switchingClassAsksOnce()
    {
        m_main->SBWlSprzetClick();
        Lookup* classes = pages().classList();
        edit("S", 3)->setText(QStringLiteral("Toner"));
        Dialogs::stopScript(); // the real question window
        int questions = 0;
        ModalScript script;
        script.add(QStringLiteral("TquestionForm"), [&](QWidget* w) {
            ++questions;
            QFocusEvent leave(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QCoreApplication::sendEvent(classes, &leave);
            EditorTest::click(w, "SBNie");
        });
        choose(1);
        QVERIFY(script.done());
        QVERIFY2(script.errors().isEmpty(), qPrintable(script.errors().join(QLatin1Char('\n'))));
        QCOMPARE(questions, 1);
        QCOMPARE(classes->currentIndex(), 1);
        QCOMPARE(edit("S", 3)->text(), QString()); // "Nie": the names typed are dropped
        Dialogs::startScript();
    }

    void withoutClassesThePageStaysDisabled()
    {
        exec(QStringLiteral("DELETE FROM slowniki WHERE IDSLOWNIK='KLSPR'"));
        exec(QStringLiteral("DELETE FROM nazwawlasciwosci WHERE KOMPSPRZET='S'"));
        m_main->SBWlSprzetClick();
        QCOMPARE(
            Dialogs::shown().last().text,
            QStringLiteral("Brak zdefiniowanych klas sprzętu. Przejdź do biblioteki i dodaj klasyfikatory."));
        for (int n = 1; n <= 14; ++n)
            QVERIFY(!edit("S", n)->isEnabled());
        for (const char* b : {"SBWLSZapisz", "SBWLSAnuluj", "SBWLKZapisz", "SBWLKAnuluj"})
            QVERIFY(!button(b)->isEnabled());
        QCOMPARE(storedRows(QStringLiteral("S"), 0), 0);
        m_main->SBWlKompClick();
        QVERIFY(button("SBWLKZapisz")->isEnabled());
    }
};

QTEST_MAIN(TestPropertyNames)
#include "test_propertynames.moc"
