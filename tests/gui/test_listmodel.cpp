#include "TestDatabase.h"
#include "TestSupport.h"

#include "registers/RegisterCatalog.h"
#include "store/DbError.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

class TestListModel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    Statement& rows()
    {
        Statement& q = m_db->statement(QStringLiteral("testList"));
        q.clear();
        q.add(QStringLiteral(
            "SELECT 1 AS ID, 20240131 AS DATA, 1234.5 AS KWOTA, 'K' AS RODZAJ, 'KO/1' AS KNREWID,"));
        q.add(QStringLiteral("'' AS SNREWID, 'Nowak' AS NAZWISKO, 'Jan' AS IMIE"));
        q.add(QStringLiteral("UNION ALL SELECT 2, 0, 0, 'S', '', 'SP/2', 'Łuk', 'Ewa'"));
        q.add(QStringLiteral("UNION ALL SELECT 3, 2024013, -3.456, 'B', '', '', 'X', 'Y'"));
        q.add(QStringLiteral("UNION ALL SELECT 4, NULL, NULL, 'Q', NULL, NULL, NULL, NULL"));
        q.open();
        return q;
    }

    QList<GridColumn> columns(ColumnFormat label = ColumnFormat::ObjectLabel)
    {
        return {{QStringLiteral("DATA"), QStringLiteral("Data"), 90, ColumnFormat::Date},
                {QStringLiteral("KWOTA"), QStringLiteral("Kwota"), 80, ColumnFormat::Amount},
                {QStringLiteral("RODZAJ"), QStringLiteral("Dotyczy"), 120, label},
                {QStringLiteral("NAZWISKO"), QStringLiteral("Nazwisko"), 150, ColumnFormat::EmployeeName},
                {QStringLiteral("BRAK"), QString(), 50, ColumnFormat::Text}};
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
    }
    void cleanup()
    {
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void displayFormats()
    {
        ListModel model(rows(), columns());
        QCOMPARE(model.rowCount(), 4);
        const QChar sep = TmyDataBase::dateSeparator();
        QCOMPARE(model.displayText(0, 0),
                 QStringLiteral("31") + sep + QStringLiteral("01") + sep + QStringLiteral("2024"));
        QCOMPARE(model.displayText(1, 0), QString());
        QCOMPARE(model.displayText(2, 0), QString()); // not 8 digits
        // Amounts show the program's decimal comma, whatever the system's language.
        QCOMPARE(model.displayText(0, 1), QStringLiteral("1234,50"));
        QCOMPARE(model.displayText(1, 1), QStringLiteral("0,00"));
        QCOMPARE(model.displayText(0, 2), QStringLiteral("Komp. (KO/1)"));
        QCOMPARE(model.displayText(1, 2), QStringLiteral("Sprzęt (SP/2)"));
        QCOMPARE(model.displayText(2, 2), QStringLiteral("Środ.BHP ()"));
        QCOMPARE(model.displayText(3, 2), QString());
        QCOMPARE(model.displayText(0, 3), QStringLiteral("Nowak Jan"));
        QCOMPARE(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("BRAK"));
        QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));

        model.setLabelsOn(false); // editor sub-lists show the raw letter
        QCOMPARE(model.displayText(0, 2), QStringLiteral("K"));

        ListModel repairs(rows(), columns(ColumnFormat::RepairLabel));
        QCOMPARE(repairs.displayText(1, 2), QStringLiteral("Sprzęt (SP/2)"));
        QCOMPARE(repairs.displayText(2, 2), QString());
    }

    void gridFollowsTheCursorAndTheWheel()
    {
        Statement& q = rows();
        ListModel model(q, columns());
        DataGrid grid;
        grid.setListModel(&model);
        grid.resize(500, 300);
        grid.show();
        QCOMPARE(grid.columnWidth(2), 120);
        QVERIFY(!grid.horizontalHeader()->sectionsMovable());

        q.setRecNo(2);
        grid.followCursor();
        QCOMPARE(grid.currentIndex().row(), 2);

        // one row per notch, a forward turn moves up
        const QPointF pos(50, 50);
        QWheelEvent up(pos, grid.mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &up);
        QCOMPARE(grid.currentIndex().row(), 1);
        QCOMPARE(q.recNo(), 1);
        QWheelEvent down(pos, grid.mapToGlobal(pos), QPoint(), QPoint(0, -360), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &down);
        QCOMPARE(grid.currentIndex().row(), 3);

        QSignalSpy activated(&grid, &DataGrid::activatedRow);
        QTest::keyClick(&grid, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.first().first().toInt(), 3);

        QSignalSpy titles(&grid, &DataGrid::titleClicked);
        const int x = grid.horizontalHeader()->sectionViewportPosition(1) + 5;
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        QCOMPARE(titles.count(), 1);
        QCOMPARE(titles.first().first().toInt(), 1);
    }

    void rowCountFollowsReloadsOnly()
    {
        const QString list = QStringLiteral("DBFKomputery");
        ListModel model(RegisterCatalog::columns(list));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 15);
        model.setStatement(m_db->statement(list));
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QVERIFY(model.reload([&] { return m_db->reloadList(list); }));
        QCOMPARE(resets.count(), 1);
        const int all = m_db->statement(list).recordCount();
        QCOMPARE(model.rowCount(), all);
        QVERIFY(all > 2);

        // Reopened by somebody else with fewer rows: the count stays until
        // refresh() and cells past the data read empty instead of failing.
        m_db->listState().setClassifier(list, 14);
        QVERIFY(m_db->reloadList(list));
        const int laptops = m_db->statement(list).recordCount();
        QVERIFY(laptops < all);
        QCOMPARE(model.rowCount(), all);
        QCOMPARE(model.displayText(all - 1, 0), QString());
        model.refresh();
        QCOMPARE(model.rowCount(), laptops);

        // A failed reopen leaves the model empty.
        m_db->listState().setOrderColumn(list, QStringLiteral("BRAK"));
        QVERIFY(!model.reload([&] { return m_db->reloadList(list); }));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.displayText(0, 0), QString());
    }

    void currentRowFieldsAndLocate()
    {
        const QString list = QStringLiteral("DBFKomputery");
        ListModel model(m_db->statement(list), RegisterCatalog::columns(list));
        DataGrid grid;
        grid.setListModel(&model);
        QVERIFY(model.reload([&] { return m_db->reloadList(list); }));
        QCOMPARE(model.currentRow(), 0);
        QCOMPARE(grid.currentIndex().row(), 0);
        QCOMPARE(model.text(QStringLiteral("NREWID")), model.displayText(0, 0));

        Statement& q = m_db->statement(list);
        const int last = q.recordCount() - 1;
        const qint64 lastKey = q.integerAt(last, q.fieldIndex(QStringLiteral("IDKOMPUTERA")));
        QVERIFY(m_db->locate(list, {lastKey}));
        grid.followCursor();
        QCOMPARE(model.currentRow(), last);
        QCOMPARE(grid.currentIndex().row(), last);
        QCOMPARE(model.integer(QStringLiteral("IDKOMPUTERA")), lastKey);
        QCOMPARE(model.number(QStringLiteral("NETTO")),
                 q.numberAt(last, q.fieldIndex(QStringLiteral("NETTO"))));

        // Absent key: past the last row, nothing selected, fields read empty.
        QVERIFY(!m_db->locate(list, {qint64(987654)}));
        grid.followCursor();
        QCOMPARE(model.currentRow(), -1);
        QVERIFY(!grid.selectionModel()->hasSelection());
        QCOMPARE(model.text(QStringLiteral("NREWID")), QString());
        QVERIFY_THROWS_EXCEPTION(DbError, model.text(QStringLiteral("BRAKPOLA")));

        // Selecting a row in the grid moves the statement's cursor.
        grid.setCurrentIndex(model.index(1, 0));
        QCOMPARE(model.currentRow(), 1);
    }

    void removedColumnAndSortTitle()
    {
        const QString list = QStringLiteral("DBFTerminy");
        ListModel model(m_db->statement(list), RegisterCatalog::columns(list));
        model.setSortColumn(8);
        model.removeField(QStringLiteral("OSOBA"));
        QCOMPARE(model.sortColumn(), 7);
        model.removeField(QStringLiteral("LOK"));
        QCOMPARE(model.sortColumn(), -1);
        QCOMPARE(model.columnCount(), 7);
        QCOMPARE(model.columnOf(QStringLiteral("INNE")), 6);
        model.removeField(QStringLiteral("LOK")); // already gone
        QCOMPARE(model.columnCount(), 7);
    }

    // A statement that has read its first rows only: the whole count at once,
    // any row on demand, the rest read between events.
    Statement& partial(int expected, const QString& name = QStringLiteral("testList"))
    {
        Statement& q = m_db->statement(name);
        q.clear();
        q.add(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<3000)"));
        q.add(QStringLiteral("SELECT i AS ID, 'wiersz ' || i AS NAZWISKO FROM n"));
        q.setFirstRows(20);
        q.open();
        q.setExpectedCount(expected);
        return q;
    }

    void partialReadShownWhole()
    {
        Statement& q = partial(3000);
        ListModel model(q, {{QStringLiteral("NAZWISKO"), QString()}});
        QCOMPARE(model.rowCount(), 3000);
        QVERIFY(q.loadedCount() < 3000);
        // The last row painted before the rest was read in the background.
        QCOMPARE(model.displayText(2999, 0), QStringLiteral("wiersz 3000"));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QTRY_VERIFY(!q.isReading());
        QCOMPARE(model.rowCount(), 3000);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(model.displayText(1500, 0), QStringLiteral("wiersz 1501"));
    }

    void partialReadCorrectsCount()
    {
        // A count that missed rows (a join that gave two) is put right when
        // the read ends, without a reset that would lose the selection.
        Statement& q = partial(2500);
        ListModel model(q, {{QStringLiteral("NAZWISKO"), QString()}});
        QCOMPARE(model.rowCount(), 2500);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QTRY_VERIFY(!q.isReading());
        QTRY_COMPARE(model.rowCount(), 3000);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.displayText(2999, 0), QStringLiteral("wiersz 3000"));
    }

    void gridOverPartialRead()
    {
        // The selection put on the last row takes the cursor there at once.
        Statement& q = partial(3000);
        ListModel model(q, {{QStringLiteral("NAZWISKO"), QString()}});
        DataGrid grid;
        grid.setListModel(&model);
        grid.resize(400, 300);
        grid.show();
        grid.setCurrentIndex(model.index(2999, 0));
        QVERIFY(q.loadedCount() >= 3000);
        QCOMPARE(grid.currentRow(), 2999);
        QCOMPARE(q.text(QStringLiteral("ID")), QStringLiteral("3000"));
        // The model gone while rows remain: its reading stops with it.
        Statement& again = partial(3000, QStringLiteral("otherList"));
        {
            ListModel shortLived(again, {{QStringLiteral("NAZWISKO"), QString()}});
        }
        QTest::qWait(20);
        QVERIFY(again.isReading());
    }
};

QTEST_MAIN(TestListModel)
#include "test_listmodel.moc"
