#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/IniFile.h"
#include "editors/TfKomputery.h"
#include "editors/TfSprzet.h"
#include "registers/RegisterCatalog.h"
#include "registers/TfMain.h"
#include "store/TmyDataBase.h"
#include "users/TfUserEdit.h"
#include "users/TfUserzy.h"
#include "widgets/DataGrid.h"
#include "widgets/ListModel.h"
#include "widgets/TVXGridStorage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

// Column widths of the grids kept in "sprzetnik.ini" between runs.
class TestGridLayouts : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;

    QString iniPath() const { return AppPaths::configFile(QStringLiteral("sprzetnik.ini")); }
    QString stored(const QString& key) const
    {
        return IniFile(iniPath()).value(QStringLiteral("DBGRID"), key);
    }
    static QString designWidths(const QString& list)
    {
        QStringList widths;
        for (const GridColumn& c : RegisterCatalog::columns(list))
            widths << QString::number(c.width);
        return widths.join(QLatin1Char(','));
    }

private slots:
    void init() { m_config = std::make_unique<TempConfig>(); }
    void cleanup() { m_config.reset(); }

    void firstRunStoresEveryGridWithItsDesignWidths()
    {
        {
            TfMain main;
            main.restoreGridLayouts();
            QCOMPARE(main.gridStorage()->count(), 16);
            main.saveGridLayouts();
        }
        const IniFile ini(iniPath());
        QStringList expected;
        for (const RegisterList& r : RegisterCatalog::all())
            expected << QStringLiteral("MAIN_") + r.grid;
        QCOMPARE(ini.keys(QStringLiteral("DBGRID")), expected);
        QCOMPARE(stored(QStringLiteral("MAIN_KomputeryGrid")),
                 QStringLiteral("110,155,138,189,153,102,81,77,81,193,122,170,292,93,242"));
        QCOMPARE(stored(QStringLiteral("MAIN_SprzetGrid")), designWidths(QStringLiteral("DBFSprzet")));
    }

    void widenedColumnSurvivesRestartUntilReset()
    {
        {
            TfMain main;
            main.restoreGridLayouts();
            main.grid(QStringLiteral("KomputeryGrid"))->setColumnWidth(1, 300);
            main.saveGridLayouts();
        }
        TfMain main;
        main.restoreGridLayouts();
        DataGrid* grid = main.grid(QStringLiteral("KomputeryGrid"));
        QCOMPARE(grid->columnWidth(1), 300);
        QCOMPARE(grid->columnWidth(0), 110);
        // A logout and a new login keep what the user set.
        grid->setColumnWidth(0, 50);
        main.restoreGridLayouts();
        QCOMPARE(grid->columnWidth(0), 50);

        main.action(QStringLiteral("Przywrszerokotabel1"))->trigger();
        QCOMPARE(grid->columnWidth(1), 155);
        QCOMPARE(grid->columnWidth(0), 110);
        QVERIFY(stored(QStringLiteral("MAIN_KomputeryGrid")).isEmpty());
        main.saveGridLayouts();
        QCOMPARE(stored(QStringLiteral("MAIN_KomputeryGrid")), designWidths(QStringLiteral("DBFKomputery")));
    }

    // The reset forgets the widths of every grid at once: of the windows open,
    // of those closed before it, and of those not opened in this run at all.
    void resetForgetsEveryStoredWidth()
    {
        IniFile ini;
        ini.setValue(QStringLiteral("OPTIONS"), QStringLiteral("pytajPrzedKasowaniem"), QStringLiteral("1"));
        ini.setValue(QStringLiteral("DBGRID"), QStringLiteral("MAIN_KomputeryGrid"),
                     QStringLiteral("60,61,62,63,64,65,66,67,68,69,70,71,72,73,74"));
        ini.setValue(QStringLiteral("DBGRID"), QStringLiteral("BHP_posiadajacyGrid"),
                     QStringLiteral("7,8,9"));
        ini.setValue(QStringLiteral("DBGRID"), QStringLiteral("LIC_licProgGrid"), QStringLiteral("7,8"));
        ini.setValue(QStringLiteral("GRID"), QStringLiteral("SPRBHPSGTabela"), QStringLiteral("1,2,3,4"));
        ini.setValue(QStringLiteral("GRID"), QStringLiteral("IMPORT_CSV"), QStringLiteral("5,6"));
        ini.setValue(QStringLiteral("RAPORTY"), QStringLiteral("DBGRID"), QStringLiteral("zostaje"));
        QVERIFY(ini.save(iniPath()));
        TestDatabase database(false);
        TmyDataBase db;
        QVERIFY(database.connect(db));
        {
            TfMain main(nullptr, &db);
            main.restoreGridLayouts();
            {
                // An editor opened and closed before the reset.
                TfSprzet equipment(db, &main);
                equipment.findChildren<DataGrid*>().first()->setColumnWidth(0, 33);
            }
            main.action(QStringLiteral("Przywrszerokotabel1"))->trigger();
            const IniFile reset(iniPath());
            QVERIFY(reset.keys(QStringLiteral("DBGRID")).isEmpty());
            QVERIFY(reset.keys(QStringLiteral("GRID")).isEmpty());
            QCOMPARE(reset.value(QStringLiteral("OPTIONS"), QStringLiteral("pytajPrzedKasowaniem")),
                     QStringLiteral("1"));
            QCOMPARE(reset.value(QStringLiteral("RAPORTY"), QStringLiteral("DBGRID")),
                     QStringLiteral("zostaje"));
            QCOMPARE(main.grid(QStringLiteral("KomputeryGrid"))->columnWidth(0), 110);
            main.saveGridLayouts();
        }
        // The close stores the grids of this run with their design widths, nothing else.
        const IniFile closed(iniPath());
        QStringList expected;
        for (const RegisterList& r : RegisterCatalog::all())
            expected << QStringLiteral("MAIN_") + r.grid;
        QCOMPARE(closed.keys(QStringLiteral("DBGRID")), expected);
        QCOMPARE(stored(QStringLiteral("MAIN_KomputeryGrid")), designWidths(QStringLiteral("DBFKomputery")));
        QVERIFY(closed.keys(QStringLiteral("GRID")).isEmpty());
    }

    void resetThatCannotWriteTheFileSaysSo()
    {
        TfMain main;
        main.restoreGridLayouts();
        QFile::remove(iniPath());
        QVERIFY(QDir().mkpath(iniPath())); // a folder where the file should be
        Dialogs::startScript();
        main.Przywrszerokotabel1Click();
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Błąd"));
        QVERIFY(Dialogs::shown()[0].text.endsWith(QDir::toNativeSeparators(iniPath())));
        Dialogs::stopScript();
        QDir(iniPath()).removeRecursively();
    }

    void storedValuesThatDoNotFitAreIgnored_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("firstWidth"); // width of column 0 after loading
        QTest::newRow("fits") << "60,61,62,63,64,65,66,67,68,69,70,71,72,73,74" << 60;
        QTest::newRow("comma at the end") << "60,61,62,63,64,65,66,67,68,69,70,71,72,73,74," << 60;
        QTest::newRow("too few") << "60,61,62" << 110;
        QTest::newRow("too many") << "60,61,62,63,64,65,66,67,68,69,70,71,72,73,74,75" << 110;
        QTest::newRow("empty item") << "60,,62,63,64,65,66,67,68,69,70,71,72,73,74" << 110;
        QTest::newRow("not a number") << "x,61,62,63,64,65,66,67,68,69,70,71,72,73,74" << 110;
        QTest::newRow("empty") << "" << 110;
    }
    void storedValuesThatDoNotFitAreIgnored()
    {
        QFETCH(QString, value);
        QFETCH(int, firstWidth);
        IniFile ini;
        ini.setValue(QStringLiteral("OPTIONS"), QStringLiteral("pytajPrzedKasowaniem"), QStringLiteral("1"));
        ini.setValue(QStringLiteral("DBGRID"), QStringLiteral("MAIN_KomputeryGrid"), value);
        ini.setValue(QStringLiteral("DBGRID"), QStringLiteral("MAIN_firmyGrid"),
                     QStringLiteral("101,102,103,104,105,106"));
        ini.setValue(QStringLiteral("DBGRID"), QStringLiteral("COMP_terminyGrid"), QStringLiteral("7,8"));
        QVERIFY(ini.save(iniPath()));
        TfMain main;
        main.restoreGridLayouts();
        QCOMPARE(main.grid(QStringLiteral("KomputeryGrid"))->columnWidth(0), firstWidth);
        // The other grids load as usual.
        QCOMPARE(main.grid(QStringLiteral("firmyGrid"))->columnWidth(5), 106);
        main.saveGridLayouts();
        const IniFile after(iniPath());
        QCOMPARE(after.value(QStringLiteral("DBGRID"), QStringLiteral("MAIN_KomputeryGrid"))
                     .section(QLatin1Char(','), 0, 0),
                 QString::number(firstWidth));
        // Keys of other windows and other sections stay as they were.
        QCOMPARE(after.value(QStringLiteral("DBGRID"), QStringLiteral("COMP_terminyGrid")),
                 QStringLiteral("7,8"));
        QCOMPARE(after.value(QStringLiteral("OPTIONS"), QStringLiteral("pytajPrzedKasowaniem")),
                 QStringLiteral("1"));
    }

    void deadlineWidthsSurviveTheColumnsRemovedAtFirstPaint()
    {
        {
            TfMain main;
            main.restoreGridLayouts();
            main.hideFirstPaintPanels();
            DataGrid* grid = main.grid(QStringLiteral("terminyGrid"));
            QCOMPARE(grid->listModel()->columnCount(), 7);
            grid->setColumnWidth(5, 400);
            main.saveGridLayouts();
        }
        QCOMPARE(stored(QStringLiteral("MAIN_terminyGrid")).split(QLatin1Char(',')).size(), 7);
        TfMain main;
        main.restoreGridLayouts();
        main.hideFirstPaintPanels();
        main.hideFirstPaintPanels(); // a second first paint after a logout changes nothing
        DataGrid* grid = main.grid(QStringLiteral("terminyGrid"));
        QCOMPARE(grid->listModel()->columnCount(), 7);
        QCOMPARE(grid->columnWidth(5), 400);
        main.Przywrszerokotabel1Click();
        QCOMPARE(grid->columnWidth(5), 259);
    }

    void otherWindowsRegisterTheirGrids()
    {
        QTableWidget plain(2, 3);
        plain.setColumnWidth(2, 77);
        {
            TfMain main;
            connect(&main, &TfMain::registeringGridLayouts, this, [&](TVXGridStorage& storage) {
                storage.AddStringGrid(&plain, QStringLiteral("SPRDATSGTabela"));
            });
            main.restoreGridLayouts();
            QCOMPARE(main.gridStorage()->count(), 17);
            plain.setColumnWidth(2, 140);
            main.saveGridLayouts();
        }
        QCOMPARE(IniFile(iniPath())
                     .value(QStringLiteral("GRID"), QStringLiteral("SPRDATSGTabela"))
                     .section(QLatin1Char(','), 2),
                 QStringLiteral("140"));
    }

    void everyRegisteredGridSurvivesARestart()
    {
        const QStringList keys = {
            QStringLiteral("USERZY_UserzyGRID"),  QStringLiteral("COMP_uzytkownicyGrid"),
            QStringLiteral("COMP_terminyGrid"),   QStringLiteral("COMP_licKompGrid"),
            QStringLiteral("COMP_DBSprzetGrid"),  QStringLiteral("COMP_NaprawyGrid"),
            QStringLiteral("COMP_DokumentyGrid"), QStringLiteral("COMP_historiaGrid"),
            QStringLiteral("COMP_zalacznikiGrid")};
        TestDatabase database(false);
        for (const bool restarted : {false, true}) {
            TmyDataBase db;
            QVERIFY(database.connect(db));
            TfMain main(nullptr, &db);
            TfUserEdit editor;
            TfUserzy users(db, editor, &main);
            TfKomputery computers(db, &main);
            main.restoreGridLayouts();
            QCOMPARE(main.gridStorage()->count(), 16 + keys.size());
            for (qsizetype i = 0; i < keys.size(); ++i) {
                // The computer editor's grids are named after their lists ("DBFTerminy": "TerminyGrid").
                static const QHash<QString, QString> objectNames = {
                    {QStringLiteral("uzytkownicyGrid"), QStringLiteral("UzytkownicyGrid")},
                    {QStringLiteral("terminyGrid"), QStringLiteral("TerminyGrid")},
                    {QStringLiteral("licKompGrid"), QStringLiteral("LicKompGrid")},
                    {QStringLiteral("DBSprzetGrid"), QStringLiteral("SprzetGrid")},
                    {QStringLiteral("historiaGrid"), QStringLiteral("HistoriaGrid")},
                    {QStringLiteral("zalacznikiGrid"), QStringLiteral("ZalacznikiGrid")}};
                QString name = keys[i].section(QLatin1Char('_'), 1);
                if (keys[i].startsWith(QLatin1String("COMP_")))
                    name = objectNames.value(name, name);
                auto* grid = main.findChild<QTableView*>(name, Qt::FindChildrenRecursively);
                if (keys[i].startsWith(QLatin1String("COMP_")))
                    grid = computers.findChild<QTableView*>(name);
                QVERIFY2(grid, qPrintable(name));
                if (restarted)
                    QCOMPARE(grid->columnWidth(0), 40 + int(i));
                else
                    grid->setColumnWidth(0, 40 + int(i));
            }
            main.saveGridLayouts();
        }
        const IniFile ini(iniPath());
        for (const QString& key : keys)
            QVERIFY2(ini.value(QStringLiteral("DBGRID"), key).startsWith(QStringLiteral("4")),
                     qPrintable(key));
    }

    // The equipment editor's lists keep their widths under "SPRZ_", apart from the computer's.
    void equipmentEditorGridsSurviveARestart()
    {
        const QStringList keys = {
            QStringLiteral("SPRZ_uzywajacyGrid"), QStringLiteral("SPRZ_terminyGrid"),
            QStringLiteral("SPRZ_NaprawyGrid"),   QStringLiteral("SPRZ_DokumentyGrid"),
            QStringLiteral("SPRZ_historiaGrid"),  QStringLiteral("SPRZ_zalacznikiGrid")};
        TestDatabase database(false);
        for (const bool restarted : {false, true}) {
            TmyDataBase db;
            QVERIFY(database.connect(db));
            TfMain main(nullptr, &db);
            TfSprzet equipment(db, &main);
            main.restoreGridLayouts();
            QCOMPARE(main.gridStorage()->count(), 16 + keys.size());
            const QList<DataGrid*> grids = equipment.findChildren<DataGrid*>();
            QVERIFY(grids.size() >= keys.size());
            for (qsizetype i = 0; i < grids.size(); ++i) {
                if (restarted)
                    QCOMPARE(grids[i]->columnWidth(0), 60 + int(i));
                else
                    grids[i]->setColumnWidth(0, 60 + int(i));
            }
            main.saveGridLayouts();
        }
        const IniFile ini(iniPath());
        for (const QString& key : keys)
            QVERIFY2(ini.value(QStringLiteral("DBGRID"), key).startsWith(QStringLiteral("6")),
                     qPrintable(key));
        QVERIFY(ini.value(QStringLiteral("DBGRID"), QStringLiteral("COMP_terminyGrid")).isEmpty());
    }

    void gridsOfWindowsBuiltLaterOrClosedEarlyKeepTheirWidths()
    {
        const int design = QTableWidget(1, 3).horizontalHeader()->defaultSectionSize();
        {
            TfMain main;
            main.restoreGridLayouts();
            {
                // A check window opened after start-up and closed before the program.
                QTableWidget check(1, 3);
                TVXGridStorage::registerStringGrid(&check, QStringLiteral("SPRBHPSGTabela"));
                QCOMPARE(main.gridStorage()->count(), 17);
                check.setColumnWidth(1, 222);
            }
            main.saveGridLayouts();
        }
        QCOMPARE(IniFile(iniPath()).value(QStringLiteral("GRID"), QStringLiteral("SPRBHPSGTabela")),
                 QStringLiteral("%1,222,%1").arg(design));
        TfMain main;
        main.restoreGridLayouts();
        QTableWidget check(1, 3);
        TVXGridStorage::registerStringGrid(&check, QStringLiteral("SPRBHPSGTabela"));
        QCOMPARE(check.columnWidth(1), 222); // loaded as soon as it registers
        main.Przywrszerokotabel1Click();
        QCOMPARE(check.columnWidth(1), design);
    }

    void columnsCannotBeMoved()
    {
        TfMain main;
        QHeaderView* header = main.grid(QStringLiteral("KomputeryGrid"))->horizontalHeader();
        QVERIFY(!header->sectionsMovable());
        header->moveSection(0, 3);
        QCOMPARE(header->visualIndex(0), 0);
        QCOMPARE(header->logicalIndex(3), 3);
    }
};

QTEST_MAIN(TestGridLayouts)
#include "test_gridlayouts.moc"
