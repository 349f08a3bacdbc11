#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "registers/FilterBar.h"
#include "registers/RegisterCatalog.h"
#include "registers/TfMain.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The filter bar's date range, archive selector, classifier and "Tylko
// aktywne", and the column-title sort.
class TestListFilters : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;

    QString first(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.open();
        const QString value = q.textAt(0, 0);
        q.close();
        return value;
    }
    int count(const QString& sql) { return first(sql).toInt(); }
    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }
    template <typename T> T* child(const char* name) { return m_main->findChild<T*>(QLatin1String(name)); }
    void click(const char* button) { m_main->navigationButton(QLatin1String(button))->click(); }
    int rows(const char* list) { return m_main->listModel(QLatin1String(list))->rowCount(); }
    // Types the digits into a date edit (the mask adds the separators) and presses Enter.
    void typeDate(const char* edit, const QString& digits)
    {
        auto* e = child<QLineEdit>(edit);
        e->clear();
        e->setCursorPosition(0);
        QTest::keyClicks(e, digits);
    }
    void enter(const char* edit) { QTest::keyClick(child<QLineEdit>(edit), Qt::Key_Return); }
    void clickTitle(const char* grid, int column)
    {
        emit m_main->grid(QLatin1String(grid))->horizontalHeader()->sectionClicked(column);
    }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        Rights all{};
        all.fill(true);
        m_main->applyRights(all);
        m_main->resetFilters();
        Dialogs::startScript();
    }
    void cleanup()
    {
        QVERIFY(Dialogs::shown().isEmpty() ||
                QTest::currentTestFunction() == QByteArray("failingSortColumn"));
        Dialogs::stopScript();
        m_main.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void dateValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("date") << "31-01-2024" << qint64(20240131);
        QTest::newRow("other separator") << "31.01.2024" << qint64(20240131);
        QTest::newRow("no calendar check") << "31-02-2024" << qint64(20240231);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("empty mask") << "  -  -    " << qint64(0);
        QTest::newRow("separators only") << "--" << qint64(0);
        QTest::newRow("half typed") << "12-03-" << qint64(0);
        QTest::newRow("blank inside") << "1 -03-2024" << qint64(0);
        QTest::newRow("letters") << "ab-cd-efgh" << qint64(0);
        QTest::newRow("sign") << "+1-03-2024" << qint64(0);
        QTest::newRow("too long") << "31-01-20245" << qint64(0);
    }
    void dateValue()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(FilterBar::dateValue(text), value);
    }

    void dateRangeFiltersComputers_data()
    {
        QTest::addColumn<QString>("from"); // digits typed
        QTest::addColumn<QString>("to");
        QTest::addColumn<qint64>("lower");
        QTest::addColumn<qint64>("upper");
        QTest::newRow("both empty") << ""
                                    << "" << qint64(0) << qint64(99999999);
        QTest::newRow("only to") << ""
                                 << "31122022" << qint64(0) << qint64(20221231);
        QTest::newRow("only from") << "01012023"
                                   << "" << qint64(20230101) << qint64(99999999);
        QTest::newRow("both") << "01012023"
                              << "31122023" << qint64(20230101) << qint64(20231231);
        QTest::newRow("half typed from") << "1203"
                                         << "31122023" << qint64(0) << qint64(20231231);
        QTest::newRow("impossible day") << "31022023"
                                        << "" << qint64(20230231) << qint64(99999999);
    }
    void dateRangeFiltersComputers()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(qint64, lower);
        QFETCH(qint64, upper);
        click("SBKomputery");
        typeDate("filtrOd", from);
        typeDate("filtrDo", to);
        enter("filtrDo");
        const int expected = count(QStringLiteral("SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='N' AND "
                                                  "DATAZAKUPU >= %1 AND DATAZAKUPU <= %2")
                                       .arg(lower)
                                       .arg(upper));
        QCOMPARE(rows("DBFKomputery"), expected);
        if (upper != 99999999 || lower != 0)
            QVERIFY(expected < count(QStringLiteral("SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='N'")));
    }

    void dateRangeCarriesToOtherRegisters()
    {
        click("SBKomputery");
        typeDate("filtrOd", QStringLiteral("01012020"));
        enter("filtrOd");
        // Entered later, without pressing Enter again.
        click("SBNaprawy");
        const int repairs =
            count(QStringLiteral("SELECT COUNT(*) FROM naprawy WHERE DATANAPRAWY >= 20200101"));
        QCOMPARE(rows("DBFNaprawy"), repairs);
        QVERIFY(repairs < count(QStringLiteral("SELECT COUNT(*) FROM naprawy")));
        click("SBLicencje");
        QCOMPARE(rows("DBFLicencje"),
                 count(QStringLiteral(
                     "SELECT COUNT(*) FROM licencje WHERE ARCHIWUM='N' AND DATAZAKUPU >= 20200101")));
        // Lists without a date range are not touched by it.
        click("SBProgramy");
        QCOMPARE(rows("DBFProgramy"), count(QStringLiteral("SELECT COUNT(*) FROM programy")));
    }

    void dayPickedInCalendarApplies()
    {
        click("SBKomputery");
        auto* calendar = child<QCalendarWidget>("DTPFiltrDoKalendarz");
        QVERIFY(calendar);
        emit calendar->clicked(QDate(2022, 12, 31));
        QCOMPARE(child<QLineEdit>("filtrDo")->text(), TmyDataBase::dateText(20221231));
        QCOMPARE(rows("DBFKomputery"),
                 count(QStringLiteral(
                     "SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='N' AND DATAZAKUPU <= 20221231")));
    }

    void deadlineWithoutEndPassesAnyUpperBound()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,DATADO,OPIS) "
                            "VALUES (1,'K','T',20200105,0,'Bez końca')"));
        const qint64 key = count(QStringLiteral("SELECT MAX(IDTERMINU) FROM terminy"));
        click("SBTerminarz");
        typeDate("filtrDo", QStringLiteral("31122020"));
        enter("filtrDo");
        QCOMPARE(rows("DBFTerminy"),
                 count(QStringLiteral("SELECT COUNT(*) FROM terminy WHERE DATADO <= 20201231")));
        QVERIFY(m_main->locateInCurrent(key));
    }

    void activeOnly()
    {
        exec(QStringLiteral("UPDATE terminy SET ACT='N' WHERE IDTERMINU IN (1,2)"));
        exec(QStringLiteral("UPDATE naprawy SET ACT='N' WHERE IDNAPRAWY = 1"));
        click("SBTerminarz");
        const int all = rows("DBFTerminy");
        child<QCheckBox>("filtrTylkoAct")->click();
        QCOMPARE(rows("DBFTerminy"), count(QStringLiteral("SELECT COUNT(*) FROM terminy WHERE ACT='T'")));
        QVERIFY(rows("DBFTerminy") < all);
        // The same condition is in force for repairs and documents.
        click("SBNaprawy");
        QCOMPARE(rows("DBFNaprawy"), count(QStringLiteral("SELECT COUNT(*) FROM naprawy WHERE ACT='T'")));
        // Entering a main register clears it.
        click("SBKomputery");
        QVERIFY(!child<QCheckBox>("filtrTylkoAct")->isChecked());
        click("SBNaprawy");
        QCOMPARE(rows("DBFNaprawy"), count(QStringLiteral("SELECT COUNT(*) FROM naprawy")));
        click("SBTerminarz");
        QCOMPARE(rows("DBFTerminy"), all);
    }

    void classifier()
    {
        click("SBKomputery");
        auto* lookup = child<QComboBox>("filtrIDKlasyfikator");
        auto* use = child<QCheckBox>("filtrUseKlasywikator");
        QCOMPARE(lookup->count(),
                 count(QStringLiteral("SELECT COUNT(*) FROM slowniki WHERE IDSLOWNIK='KLKOM'")));
        QCOMPARE(lookup->currentIndex(), -1);
        const int all = rows("DBFKomputery");

        // Ticking with nothing chosen filters nothing and leaves the box unticked.
        use->click();
        QVERIFY(!use->isChecked());
        QCOMPARE(rows("DBFKomputery"), all);

        const int laptop = lookup->findText(QStringLiteral("Laptop"));
        QVERIFY(laptop >= 0);
        lookup->setCurrentIndex(laptop);
        emit lookup->activated(laptop);
        const qint64 kod = lookup->itemData(laptop).toLongLong();
        QVERIFY(use->isChecked());
        QCOMPARE(rows("DBFKomputery"),
                 count(QStringLiteral("SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='N' AND KLASYFIKATOR=%1")
                           .arg(kod)));
        QVERIFY(rows("DBFKomputery") < all);

        use->click(); // untick: all again
        QCOMPARE(rows("DBFKomputery"), all);
        use->click(); // tick: the chosen entry filters again
        QVERIFY(rows("DBFKomputery") < all);

        // Another register: the computers' classifier is gone and the box unticked.
        click("SBSprzet");
        QVERIFY(!use->isChecked());
        QCOMPARE(lookup->count(),
                 count(QStringLiteral("SELECT COUNT(*) FROM slowniki WHERE IDSLOWNIK='KLSPR'")));
        QVERIFY(m_db->listState()
                    .condition(QStringLiteral("DBFKomputery"), ListState::Role::Classifier)
                    .isEmpty());
        click("SBKomputery");
        QCOMPARE(rows("DBFKomputery"), all);
    }

    void sortSequence()
    {
        click("SBKomputery");
        ListModel* model = m_main->listModel(QStringLiteral("DBFKomputery"));
        const QString base =
            QStringLiteral("SELECT %1 FROM komputery WHERE ARCHIWUM='N' ORDER BY %1 COLLATE PL %2");
        auto firstShown = [&](int column) { return model->displayText(0, column); };

        clickTitle("KomputeryGrid", 1); // "Nazwa"
        QCOMPARE(m_db->listState().orderColumn(QStringLiteral("DBFKomputery")), QStringLiteral("NAZWA"));
        QVERIFY(m_db->listState().ascending(QStringLiteral("DBFKomputery")));
        QCOMPARE(firstShown(1), first(base.arg(QStringLiteral("NAZWA"), QStringLiteral("ASC"))));
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(Qt::white));
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(Qt::black));

        clickTitle("KomputeryGrid", 1); // the same title: descending
        QVERIFY(!m_db->listState().ascending(QStringLiteral("DBFKomputery")));
        QCOMPARE(firstShown(1), first(base.arg(QStringLiteral("NAZWA"), QStringLiteral("DESC"))));

        clickTitle("KomputeryGrid", 2); // another title keeps the direction
        QCOMPARE(m_db->listState().orderColumn(QStringLiteral("DBFKomputery")), QStringLiteral("PRODUCENT"));
        QVERIFY(!m_db->listState().ascending(QStringLiteral("DBFKomputery")));
        QCOMPARE(firstShown(2), first(base.arg(QStringLiteral("PRODUCENT"), QStringLiteral("DESC"))));
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(Qt::black));

        // The order survives a register switch.
        click("SBSprzet");
        click("SBKomputery");
        QCOMPARE(firstShown(2), first(base.arg(QStringLiteral("PRODUCENT"), QStringLiteral("DESC"))));
    }

    void deadlinesSortByTheirOwnDescription()
    {
        click("SBTerminarz");
        ListModel* model = m_main->listModel(QStringLiteral("DBFTerminy"));
        const int opis = model->columnOf(QStringLiteral("OPIS"));
        clickTitle("terminyGrid", opis);
        QCOMPARE(m_db->listState().orderColumn(QStringLiteral("DBFTerminy")), QStringLiteral("T.OPIS"));
        QCOMPARE(model->displayText(0, opis),
                 first(QStringLiteral("SELECT OPIS FROM terminy ORDER BY OPIS COLLATE PL")));
        clickTitle("terminyGrid", opis);
        QVERIFY(!m_db->listState().ascending(QStringLiteral("DBFTerminy")));
    }

    void everyColumnTitleSorts()
    {
        const std::pair<const char*, const char*> entries[] = {
            {"DBFKomputery", "SBKomputery"}, {"DBFosobowa", "SBOsobowa"},
            {"DBFFirmy", "SBFirmy"},         {"DBFProgramy", "SBProgramy"},
            {"DBFLicencje", "SBLicencje"},   {"DBFSprzet", "SBSprzet"},
            {"DBFTerminy", "SBTerminarz"},   {"DBFNaprawy", "SBNaprawy"},
            {"DBFDokumenty", "SBDokumenty"}, {"DBFHistoria", "SBHistoria"},
            {"DBFZlecenia", "SBZlecenia"},   {"DBFRozliczenia", "SBRozliczenia"},
            {"DBFBhp", "SBOdziezSrodki"},    {"DBFZakupBhp", "SBZakupBhp"},
            {"DBFMagazyn", "SBMagazyn"},     {"DBFZalaczniki", "SBZalaczniki"},
        };
        QCOMPARE(int(std::size(entries)), int(RegisterCatalog::all().size()));
        for (const auto& [list, button] : entries) {
            click(button);
            QCOMPARE(m_main->currentList(), QLatin1String(list));
            const RegisterList* r = RegisterCatalog::byList(QLatin1String(list));
            for (int c = 0; c < r->columns.size(); ++c) {
                clickTitle(r->grid.toLatin1().constData(), c);
                QVERIFY2(m_db->statement(QLatin1String(list)).isOpen(),
                         qPrintable(QLatin1String(list) + QLatin1Char(' ') + r->columns[c].field));
            }
        }
    }

    void failingSortColumn()
    {
        click("SBKomputery");
        m_db->listState().setOrderColumn(QStringLiteral("DBFKomputery"), QStringLiteral("BRAKKOLUMNY"));
        QVERIFY(!m_main->reloadCurrent());
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown().first().title, QStringLiteral("Błąd bazy danych"));
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000041]")));
        QCOMPARE(rows("DBFKomputery"), 0);
        QVERIFY(!m_db->statement(QStringLiteral("DBFKomputery")).isOpen());
        // The failing name stays until another column is clicked.
        QCOMPARE(m_db->listState().orderColumn(QStringLiteral("DBFKomputery")),
                 QStringLiteral("BRAKKOLUMNY"));
        clickTitle("KomputeryGrid", 1);
        QCOMPARE(rows("DBFKomputery"),
                 count(QStringLiteral("SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='N'")));
        QCOMPARE(Dialogs::shown().size(), 1);
    }

    void resetFilters()
    {
        click("SBTerminarz");
        typeDate("filtrOd", QStringLiteral("01012023"));
        enter("filtrOd");
        child<QCheckBox>("filtrTylkoAct")->click();
        click("SBKomputery");
        child<QComboBox>("CBPokazElementy")->setCurrentIndex(1);
        m_main->resetFilters();
        const QString sep(TmyDataBase::dateSeparator());
        QCOMPARE(child<QLineEdit>("filtrOd")->displayText(),
                 QStringLiteral("  ") + sep + QStringLiteral("  ") + sep + QStringLiteral("    "));
        QCOMPARE(m_main->filterBar()->dateFrom(), 0);
        QCOMPARE(child<QComboBox>("CBPokazElementy")->currentIndex(), 0);
        QVERIFY(!child<QCheckBox>("filtrTylkoAct")->isChecked());
        QCOMPARE(m_db->listState().condition(QStringLiteral("DBFTerminy"), ListState::Role::DateRange),
                 QStringLiteral("AND DATAOD >= 0 AND DATADO <= 99999999"));
        QVERIFY(
            m_db->listState().condition(QStringLiteral("DBFTerminy"), ListState::Role::ActiveOnly).isEmpty());
        click("SBKomputery");
        QCOMPARE(rows("DBFKomputery"),
                 count(QStringLiteral("SELECT COUNT(*) FROM komputery WHERE ARCHIWUM='N'")));
    }
};

QTEST_MAIN(TestListFilters)
#include "test_listfilters.moc"
