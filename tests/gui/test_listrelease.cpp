#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QPushButton>
#include <QTest>

// A register's rows are freed when its page is left, unless another window
// shows the same list; a title click on an unchanged list sorts in memory.
class TestListRelease : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;

    void click(const char* button) { m_main->navigationButton(QLatin1String(button))->click(); }
    Statement& list(const char* name) { return m_db->statement(QLatin1String(name)); }
    int rows(const char* name) { return m_main->listModel(QLatin1String(name))->rowCount(); }

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
        m_main->show();
    }
    void cleanup()
    {
        m_main.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void leftListIsClosed()
    {
        click("SBKomputery");
        QVERIFY(list("DBFKomputery").isOpen());
        const int computers = rows("DBFKomputery");
        QVERIFY(computers > 0);

        click("SBTerminarz");
        QVERIFY(!list("DBFKomputery").isOpen());
        QCOMPARE(rows("DBFKomputery"), 0);
        QVERIFY(list("DBFTerminy").isOpen());

        click("SBStart");
        QVERIFY(!list("DBFTerminy").isOpen());

        click("SBKomputery");
        QCOMPARE(rows("DBFKomputery"), computers);
    }

    void listShownElsewhereStays()
    {
        click("SBKomputery");
        QWidget other;
        ListModel shown(list("DBFKomputery"),
                        {GridColumn{QStringLiteral("NAZWA"), QString(), 64, ColumnFormat::Text}}, &other);
        other.show();
        click("SBStart");
        QVERIFY(list("DBFKomputery").isOpen());
        other.hide();
        click("SBKomputery");
        click("SBStart");
        QVERIFY(!list("DBFKomputery").isOpen());
    }

    void titleClickSortsInMemory()
    {
        click("SBKomputery");
        DataGrid* grid = m_main->grid(QStringLiteral("KomputeryGrid"));
        ListModel* model = m_main->listModel(QStringLiteral("DBFKomputery"));
        const int column = model->columnOf(QStringLiteral("NAZWA"));
        QVERIFY(column >= 0);
        m_main->KomputeryGridTitleClick(grid, column);
        Statement& q = list("DBFKomputery");
        QVERIFY(q.isReordered());
        QCOMPARE(model->sortColumn(), column);
        QCOMPARE(model->rowCount(), q.recordCount());
        // The grid shows what the engine gives for the recorded text.
        Statement fresh(&m_db->DatabaseMain(), q.name(), q.lines());
        fresh.open();
        QVERIFY(fresh.recordCount() > 1);
        const int nazwa = fresh.fieldIndex(QStringLiteral("NAZWA"));
        for (int r = 0; r < fresh.recordCount(); ++r)
            QCOMPARE(model->displayText(r, column), fresh.textAt(r, nazwa));
    }
};

QTEST_MAIN(TestListRelease)
#include "test_listrelease.moc"
