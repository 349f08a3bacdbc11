// The lookups over large registers: the store is searched for what is typed
// (every word, either case, Polish letters, wildcards as typed), a few rows
// at a time, and a choice is kept or dropped as the user leaves the field.

#include "EditorTest.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "store/LookupSearch.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QTest>

namespace {
QStringList texts(const QList<LookupSearch::Match>& matches)
{
    QStringList out;
    for (const LookupSearch::Match& m : matches)
        out << m.text;
    return out;
}

// Typed as keys, so a Polish letter goes in as its text.
void type(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
} // namespace

class TestLookupSearch : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    void exec(const QString& sql)
    {
        Statement q(&m_db->DatabaseMain(), QString(), {sql});
        q.execSQL();
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
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void patternHoldsTheWordInEitherCase_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("regex"); // the server's
        QTest::newRow("letters") << "Ab"
                                 << "*[aA][bB]*"
                                 << "[aA][bB]";
        QTest::newRow("polish") << "żŁ"
                                << "*[żŻ][łŁ]*"
                                << "[żŻ][łŁ]";
        QTest::newRow("digits and signs") << "7/1-"
                                          << "*7/1-*"
                                          << "7\\/1\\-";
        QTest::newRow("wildcards as typed") << "a*?[]"
                                            << "*[aA][*][?][[]]*"
                                            << "[aA]\\*\\?\\[\\]";
        QTest::newRow("signs of regular expressions") << ".^$|(\\"
                                                      << "*.^$|(\\*"
                                                      << "\\.\\^\\$\\|\\(\\\\";
    }
    void patternHoldsTheWordInEitherCase()
    {
        QFETCH(QString, word);
        QFETCH(QString, pattern);
        QFETCH(QString, regex);
        QCOMPARE(LookupSearch::containsPattern(word), pattern);
        QCOMPARE(LookupSearch::containsRegex(word), regex);
    }

    void everyWordTypedMustBeHeld_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("surname in lower case")
            << "zielińsk" << QStringList{"Zielińska Małgorzata (nr.ew. P002)"};
        QTest::newRow("two words in any order")
            << "małgorzata ZIELIŃ" << QStringList{"Zielińska Małgorzata (nr.ew. P002)"};
        QTest::newRow("number") << "p003" << QStringList{"Wójcik Barbara (nr.ew. P003)"};
        QTest::newRow("a quote and a percent are plain text") << "'%" << QStringList{};
        QTest::newRow("a star is not any text") << "*" << QStringList{};
        QTest::newRow("a dot is not any letter") << "Zieli.ska" << QStringList{};
        QTest::newRow("nothing held") << "Kowalski Barbara" << QStringList{};
    }
    void everyWordTypedMustBeHeld()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        QCOMPARE(texts(m_db->searchLookup(QStringLiteral("DBFPracownicy"), typed, Lookup::kOffered)), found);
    }

    void emptyTextOffersTheRegisterFromItsStartInOrder()
    {
        for (int i = 1; i <= 60; ++i)
            exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('X%1','Ąbacki','Jan')")
                     .arg(i, 2, 10, QLatin1Char('0')));
        Lookup lookup;
        lookup.bindSearch(m_db.get(), QStringLiteral("DBFPracownicy"));
        const QStringList shown = texts(lookup.offer(QString()));
        QCOMPARE(shown.size(), Lookup::kOffered);
        // Polish order: "Ąbacki" after "Abacki" would be, before "B...".
        QCOMPARE(shown.first(), QStringLiteral("Ąbacki Jan (nr.ew. X01)"));
        QStringList sorted = shown;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(shown, sorted); // the same surname: ordered by the number
        // The list says there is more than it shows; that line cannot be chosen.
        QAbstractItemModel* model = lookup.offered()->model();
        QCOMPARE(model->rowCount(), Lookup::kOffered + 1);
        QCOMPARE(model->flags(model->index(Lookup::kOffered, 0)), Qt::NoItemFlags);
        lookup.chooseOffered(Lookup::kOffered);
        QVERIFY(!lookup.hasChoice());
    }

    void liquidatedComputersAreNeitherOfferedNorShown()
    {
        exec(QStringLiteral("UPDATE komputery SET ARCHIWUM='T' WHERE IDKOMPUTERA=3"));
        Lookup lookup;
        lookup.bindSearch(m_db.get(), QStringLiteral("DBFKompSprzet"));
        QVERIFY(!texts(lookup.offer(QStringLiteral("KOMP/00")))
                     .join(QLatin1Char('|'))
                     .contains(QLatin1String("KOMP/003")));
        QCOMPARE(texts(lookup.offer(QStringLiteral("komp/004"))),
                 QStringList{QStringLiteral("Komputer głównej księgowej (KOMP/004) Dell")});
        lookup.setKey(3);
        QVERIFY(!lookup.hasChoice());
        QVERIFY(lookup.currentText().isEmpty());
        lookup.setKey(QStringLiteral("4")); // keys compare as text
        QCOMPARE(lookup.key().toLongLong(), 4);
        QCOMPARE(lookup.currentText(), QStringLiteral("Komputer głównej księgowej (KOMP/004) Dell"));
        QCOMPARE(lookup.count(), 1); // only the row chosen is held
    }

    // A rare text far along the register is found too, and the first rows of a
    // common one come in the order of the inventory number.
    void rareAndCommonTextsInALargeRegister()
    {
        exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<6000) "
            "INSERT INTO komputery (NAZWA,NREWID,PRODUCENT,ARCHIWUM) "
            "SELECT 'Terminal', 'T/' || substr('00000' || i, length('00000' || i) - 4), 'Optimus', 'N' "
            "FROM n"));
        exec(QStringLiteral("UPDATE komputery SET PRODUCENT='Żubr' WHERE NREWID='T/05999'"));
        QCOMPARE(texts(m_db->searchLookup(QStringLiteral("DBFKompSprzet"), QStringLiteral("żUBR"),
                                          Lookup::kOffered)),
                 QStringList{QStringLiteral("Terminal (T/05999) Żubr")});
        const QStringList common =
            texts(m_db->searchLookup(QStringLiteral("DBFKompSprzet"), QStringLiteral("terminal"), 3));
        QCOMPARE(common, QStringList({QStringLiteral("Terminal (T/00001) Optimus"),
                                      QStringLiteral("Terminal (T/00002) Optimus"),
                                      QStringLiteral("Terminal (T/00003) Optimus")}));
    }

    void typingOffersAndChoosing()
    {
        QWidget window;
        auto* lookup = new Lookup(&window);
        lookup->bindSearch(m_db.get(), QStringLiteral("DBFPracownicy"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        lookup->setFocus();
        lookup->setKey(QStringLiteral("P001"));
        lookup->lineEdit()->clear();
        type(lookup->lineEdit(), QStringLiteral("wójc"));
        QTRY_VERIFY(lookup->offered()->popup()->isVisible());
        QCOMPARE(lookup->offered()->model()->rowCount(), 1);
        QCOMPARE(lookup->key().toString(), QStringLiteral("P001")); // nothing chosen yet
        lookup->chooseOffered(0);
        QCOMPARE(lookup->key().toString(), QStringLiteral("P003"));
        QCOMPARE(lookup->currentText(), QStringLiteral("Wójcik Barbara (nr.ew. P003)"));
    }

    void leavingTheFieldKeepsAChoiceOrNone_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("key"); // chosen after leaving; empty for none
        QTest::newRow("text of one row only") << "zielińska"
                                              << "P002";
        QTest::newRow("text of many rows") << "a"
                                           << "P001";
        QTest::newRow("text of no row") << "nikt taki"
                                        << "P001";
        QTest::newRow("text erased") << ""
                                     << "";
    }
    void leavingTheFieldKeepsAChoiceOrNone()
    {
        QFETCH(QString, typed);
        QFETCH(QString, key);
        Lookup lookup;
        lookup.bindSearch(m_db.get(), QStringLiteral("DBFPracownicy"));
        lookup.setKey(QStringLiteral("P001"));
        const QString before = lookup.currentText();
        lookup.lineEdit()->setText(typed);
        emit lookup.lineEdit()->editingFinished();
        QCOMPARE(lookup.key().toString(), key);
        if (key == QLatin1String("P001"))
            QCOMPARE(lookup.currentText(), before); // the text of the choice comes back
        if (key.isEmpty())
            QVERIFY(lookup.currentText().isEmpty());
    }
};

QTEST_MAIN(TestLookupSearch)
#include "test_lookupsearch.moc"
