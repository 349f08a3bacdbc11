#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/TfBiblioteka.h"
#include "editors/TfEditBibliotekaAll.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestBiblioteka : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfBiblioteka> m_editor;

    struct Entry
    {
        qint64 kod;
        QString opis;
        QString uzup1;
    };
    QList<Entry> entries(const QString& code)
    {
        Statement q(
            &m_db->DatabaseMain(), QString(),
            {QStringLiteral("SELECT KOD,OPIS,UZUP1 FROM slowniki WHERE IDSLOWNIK=:PARAM0 ORDER BY KOD")});
        q.setParam(0, code);
        q.open();
        QList<Entry> list;
        for (; !q.eof(); q.next())
            list << Entry{q.integer(QStringLiteral("KOD")), q.text(QStringLiteral("OPIS")),
                          q.text(QStringLiteral("UZUP1"))};
        return list;
    }
    // Answers the entry dialog with a text; a refused text is then cancelled.
    static void answer(ModalScript& script, const QString& text, bool refused = false)
    {
        script.add(QStringLiteral("TfEditBibliotekaAll"), [text](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("FOpis"))->setText(text);
            w->findChild<QPushButton*>(QStringLiteral("SBZapisz"))->click();
        });
        if (refused)
            script.add(QStringLiteral("TfEditBibliotekaAll"),
                       [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("SBAnuluj"))->click(); });
    }
    qint64 currentKod()
    {
        const Statement& q = m_db->statement(QStringLiteral("DBFSlowniki"));
        return q.eof() ? -1 : q.integer(QStringLiteral("KOD"));
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>();
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        // Every dictionary starts empty, so each test sees only its own entries.
        m_db->DatabaseMain().exec(QStringLiteral("DELETE FROM slowniki"));
        Dialogs::startScript();
        m_editor = std::make_unique<TfBiblioteka>(*m_db);
    }
    void cleanup()
    {
        m_editor.reset();
        Dialogs::stopScript();
        Config::global().reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void chooserListsTheFourteenDictionaries()
    {
        auto* chooser = m_editor->findChild<QComboBox*>(QStringLiteral("CBSlownik"));
        QCOMPARE(chooser->toolTip(), QStringLiteral("Wybierz słownik"));
        const QStringList expected = {"Stan techniczny",
                                      "Typ licencji",
                                      "Klasyfikacja komputerów",
                                      "Klasyfikacja oprogramowania",
                                      "Klasyfikacja sprzętu",
                                      "Klasyfikacja odzieży i środków BHP",
                                      "Klasyfikacja terminów",
                                      "Działy",
                                      "Stanowiska",
                                      "Stawki VAT",
                                      "Lokalizacje",
                                      "Rodzaj dokumentu",
                                      "Rodzaj zleceń / rozliczeń",
                                      "Rodzaje załączników"};
        QStringList items;
        for (int i = 0; i < chooser->count(); ++i)
            items << chooser->itemText(i);
        QCOMPARE(items, expected);
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Biblioteka"));
    }

    void listTitleFollowsTheChooser()
    {
        m_editor->setDictionary(TfBiblioteka::RodzajDokumentu);
        m_editor->show();
        QCOMPARE(m_editor->current().code, QStringLiteral("RDDOK"));
        QCOMPARE(m_editor->findChild<QLabel*>(QStringLiteral("slownikTytul"))->text(),
                 QStringLiteral("Rodzaj dokumentów"));
        QCOMPARE(m_editor->grid()->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Rodzaj dokumentów"));
        m_editor->findChild<QComboBox*>(QStringLiteral("CBSlownik"))
            ->setCurrentIndex(TfBiblioteka::Lokalizacje);
        QCOMPARE(m_db->statement(QStringLiteral("DBFSlowniki")).isOpen(), true);
        QCOMPARE(m_editor->grid()->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Lokalizacje"));
    }

    void addEntry_data()
    {
        QTest::addColumn<int>("dictionary");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // empty: nothing stored
        QTest::addColumn<QString>("message"); // the refusal, if any
        QTest::newRow("VAT 23") << int(TfBiblioteka::StawkiVat) << "23"
                                << "23"
                                << "";
        QTest::newRow("VAT 08 as 8") << int(TfBiblioteka::StawkiVat) << "08"
                                     << "8"
                                     << "";
        QTest::newRow("VAT 23% refused") << int(TfBiblioteka::StawkiVat) << "23%"
                                         << ""
                                         << "Niewłaściwa stawka VAT";
        QTest::newRow("VAT zw refused") << int(TfBiblioteka::StawkiVat) << "zw"
                                        << ""
                                        << "Niewłaściwa stawka VAT";
        QTest::newRow("blank refused") << int(TfBiblioteka::Lokalizacje) << "   "
                                       << ""
                                       << "Nie wypełniono pola";
        QTest::newRow("quotes and SQL kept")
            << int(TfBiblioteka::Lokalizacje) << "Pokój \"A\" 'B'; DROP TABLE slowniki"
            << "Pokój \"A\" 'B'; DROP TABLE slowniki"
            << "";
        QTest::newRow("text with digits in another dictionary") << int(TfBiblioteka::Dzialy) << "08"
                                                                << "08"
                                                                << "";
    }
    void addEntry()
    {
        QFETCH(int, dictionary);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        m_editor->setDictionary(dictionary);
        m_editor->show();
        const QString code = m_editor->current().code;
        const DictionaryInfo info = m_editor->current();
        QString caption, label;
        ModalScript script;
        script.add(QStringLiteral("TfEditBibliotekaAll"), [&](QWidget* w) {
            caption = w->windowTitle();
            label = w->findChild<QLabel*>(QStringLiteral("LOpis"))->text();
            w->findChild<QLineEdit*>(QStringLiteral("FOpis"))->setText(typed);
            w->findChild<QPushButton*>(QStringLiteral("SBZapisz"))->click();
        });
        if (!message.isEmpty())
            script.add(QStringLiteral("TfEditBibliotekaAll"),
                       [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("SBAnuluj"))->click(); });
        m_editor->SBDodajClick();
        QVERIFY(script.done());
        QCOMPARE(script.errors(), QStringList());
        QCOMPARE(caption, info.caption);
        QCOMPARE(label, info.label);
        const QList<Entry> rows = entries(code);
        if (message.isEmpty()) {
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows[0].opis, stored);
            QCOMPARE(currentKod(), rows[0].kod); // the cursor is on the new entry
            QCOMPARE(Dialogs::shown().size(), 0);
        } else {
            QCOMPARE(rows.size(), 0);
            QCOMPARE(Dialogs::shown().size(), 1);
            QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Uwaga"));
            QCOMPARE(Dialogs::shown()[0].text, message);
        }
    }

    void copyMakesANewKeyWithTheSameTexts()
    {
        m_editor->setDictionary(TfBiblioteka::Lokalizacje);
        m_editor->show();
        {
            ModalScript script;
            answer(script, QStringLiteral("Magazyn"));
            m_editor->SBDodajClick();
        }
        m_db->DatabaseMain().exec(QStringLiteral("UPDATE slowniki SET UZUP1='u1' WHERE OPIS='Magazyn'"));
        m_editor->showDictionary();
        {
            ModalScript script;
            QString start;
            script.add(QStringLiteral("TfEditBibliotekaAll"), [&](QWidget* w) {
                start = w->findChild<QLineEdit*>(QStringLiteral("FOpis"))->text();
                w->findChild<QPushButton*>(QStringLiteral("SBZapisz"))->click();
            });
            m_editor->SBKopiujClick();
            QCOMPARE(start, QStringLiteral("Magazyn"));
        }
        const QList<Entry> rows = entries(QStringLiteral("LOKAL"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1].opis, rows[0].opis);
        QVERIFY(rows[1].kod != rows[0].kod);
        QCOMPARE(rows[1].uzup1, QStringLiteral("u1"));
        // The same text in another dictionary is another entry again.
        m_editor->setDictionary(TfBiblioteka::Dzialy);
        {
            ModalScript script;
            answer(script, QStringLiteral("Magazyn"));
            m_editor->SBDodajClick();
        }
        QCOMPARE(entries(QStringLiteral("DZIAL")).size(), 1);
        QVERIFY(entries(QStringLiteral("DZIAL"))[0].kod > rows[1].kod);
    }

    void editKeepsTheKey()
    {
        m_editor->setDictionary(TfBiblioteka::StanTechniczny);
        m_editor->show();
        {
            ModalScript script;
            answer(script, QStringLiteral("Nowy"));
            answer(script, QStringLiteral("Sprawny"));
            m_editor->SBDodajClick();
            m_editor->SBDodajClick();
        }
        const qint64 kod = entries(QStringLiteral("STANT"))[0].kod; // "Nowy"
        m_db->locate(QStringLiteral("DBFSlowniki"), {kod});
        {
            ModalScript script;
            answer(script, QStringLiteral("Zużyty"));
            m_editor->SBEdytujClick();
        }
        const QList<Entry> rows = entries(QStringLiteral("STANT"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].kod, kod);
        QCOMPARE(rows[0].opis, QStringLiteral("Zużyty"));
        QCOMPARE(currentKod(), kod);
        // Cancelling the dialog changes nothing.
        {
            ModalScript script;
            script.add(QStringLiteral("TfEditBibliotekaAll"),
                       [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("SBAnuluj"))->click(); });
            m_editor->SBEdytujClick();
        }
        QCOMPARE(entries(QStringLiteral("STANT"))[0].opis, QStringLiteral("Zużyty"));
    }

    void deleteAsksWhileTheOptionIsOn()
    {
        m_editor->setDictionary(TfBiblioteka::Dzialy);
        m_editor->show();
        {
            ModalScript script;
            answer(script, QStringLiteral("IT"));
            m_editor->SBDodajClick();
        }
        Dialogs::setNextAnswer(false);
        m_editor->SBUsunClick();
        QCOMPARE(entries(QStringLiteral("DZIAL")).size(), 1);
        QCOMPARE(Dialogs::shown().last().title, QStringLiteral("Pytanie"));
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Czy napewno usunąć zaznaczoną pozycję?"));
        Dialogs::setNextAnswer(true);
        m_editor->SBUsunClick();
        QCOMPARE(entries(QStringLiteral("DZIAL")).size(), 0);
        // Without the option nothing is asked.
        {
            ModalScript script;
            answer(script, QStringLiteral("HR"));
            m_editor->SBDodajClick();
        }
        Config::global().set(QStringLiteral("pytajPrzedKasowaniem"), false);
        const int asked = Dialogs::shown().size();
        m_editor->SBUsunClick();
        QCOMPARE(entries(QStringLiteral("DZIAL")).size(), 0);
        QCOMPARE(Dialogs::shown().size(), asked);
        // On an empty list the commands do nothing.
        m_editor->SBUsunClick();
        m_editor->SBEdytujClick();
        m_editor->SBKopiujClick();
        QCOMPARE(Dialogs::shown().size(), asked);
    }

    void failedListIsReportedWithItsCode()
    {
        m_db->DatabaseMain().exec(QStringLiteral("DROP TABLE slowniki"));
        QVERIFY(!m_editor->showDictionary());
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000036]")));
    }

    void propertyNamesAreCreatedOncePerKindAndClass()
    {
        auto count = [this](const QString& kind, int cls) {
            Statement q(
                &m_db->DatabaseMain(), QString(),
                {QStringLiteral("SELECT COUNT(*) AS N FROM nazwawlasciwosci WHERE KOMPSPRZET=:PARAM0 AND "
                                "IDSLOWNIKA=") +
                 QString::number(cls)});
            q.setParam(0, kind);
            q.open();
            return q.integer(QStringLiteral("N"));
        };
        QVERIFY(m_db->openPropertyNames(QStringLiteral("S"), 77));
        QCOMPARE(m_db->statement(QStringLiteral("DBFNazwaWlasciwosci")).recordCount(), 14);
        QVERIFY(m_db->openPropertyNames(QStringLiteral("S"), 77));
        QCOMPARE(count(QStringLiteral("S"), 77), 14);
        QCOMPARE(count(QStringLiteral("S"), 78), 0);
        QVERIFY(m_db->openPropertyNames(QStringLiteral("K"), 0));
        QVERIFY(m_db->openPropertyNames(QStringLiteral("K"), 0));
        QCOMPARE(count(QStringLiteral("K"), 0), 14);
    }
};

QTEST_MAIN(TestBiblioteka)
#include "test_biblioteka.moc"
