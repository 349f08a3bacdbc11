#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/IniFile.h"
#include "bhp/StockChecks.h"
#include "bhp/TfSprawdzenieBhp.h"
#include "bhp/TfSprawdzenieMagazynu.h"
#include "editors/TfKomputery.h"
#include "registers/TfMain.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/ListState.h"
#include "store/TmyDataBase.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTableWidget>
#include <QTest>

using namespace EditorTest;

// The resource store: its editor and commands, and the two checks of what runs short.
class TestMagazyn : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_computers;
    std::unique_ptr<RecordCommands> m_commands;
    const QString kList = QStringLiteral("DBFMagazyn");

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    void exec(const QString& sql)
    {
        Statement& q = m_db->mySQL();
        q.clear();
        q.add(sql);
        q.execSQL();
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        QVERIFY(m_db->reloadList(kList));
        AppState::instance().rights.fill(true);
        Dialogs::startScript();
        m_computers = std::make_unique<TfKomputery>(*m_db);
        m_commands = std::make_unique<RecordCommands>(*m_db, *m_computers);
    }
    void cleanup()
    {
        m_commands.reset();
        m_computers.reset();
        Dialogs::stopScript();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void addRefusesABlankNameThenStoresQuantitiesWithAPoint()
    {
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfMagazyn"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fILOSC")->text() << child<QLineEdit>(w, "fPRZYPOMNIJ")->text();
            setText(w, "fCZESC", QStringLiteral("   "));
            click(w, "SBZapisz"); // refused, the editor stays open
            setText(w, "fCZESC", QStringLiteral("Olej \"5W30\"'; DROP TABLE magazyn; -- żółć"));
            setText(w, "fILOSC", QStringLiteral("12,5"));
            setText(w, "fPRZYPOMNIJ", QStringLiteral("abc"));
            setText(w, "fUWAGI", QStringLiteral("półka 3"));
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->add(QStringLiteral("dodatkoweMagazyn")));
        QVERIFY(script.done());
        // The program's decimal comma, whatever the system's language.
        QCOMPARE(seen, QStringList({QStringLiteral("0,00"), QStringLiteral("0,00")}));
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].text, QStringLiteral("Nie podano nazwy zasobu. Popraw pole."));
        const QString key = scalar(QStringLiteral("SELECT MAX(ID) FROM magazyn"));
        const QString where = QStringLiteral(" FROM magazyn WHERE ID=") + key;
        QCOMPARE(scalar(QStringLiteral("SELECT CZESC") + where),
                 QStringLiteral("Olej \"5W30\"'; DROP TABLE magazyn; -- żółć"));
        QCOMPARE(scalar(QStringLiteral("SELECT ILOSC") + where).toDouble(), 12.5);
        QCOMPARE(scalar(QStringLiteral("SELECT PRZYPOMNIJ") + where).toDouble(), 0.0);
        // The list is on the new row.
        QCOMPARE(QString::number(m_db->statement(kList).integer(QStringLiteral("ID"))), key);
    }

    void copyEditAndPreview()
    {
        QVERIFY(m_db->locate(kList, {m_db->statement(kList).integer(QStringLiteral("ID"))}));
        const QString name = m_db->statement(kList).text(QStringLiteral("CZESC"));
        const int before = scalar(QStringLiteral("SELECT COUNT(*) FROM magazyn")).toInt();
        {
            ModalScript script;
            script.add(QStringLiteral("TfMagazyn"), [&](QWidget* w) {
                QCOMPARE(child<QLineEdit>(w, "fCZESC")->text(), name);
                click(w, "SBZapisz");
            });
            QVERIFY(m_commands->copy(QStringLiteral("dodatkoweMagazyn")));
            QVERIFY(script.done());
        }
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM magazyn")).toInt(), before + 1);
        const qint64 copied = m_db->statement(kList).integer(QStringLiteral("ID"));
        {
            ModalScript script;
            script.add(QStringLiteral("TfMagazyn"), [&](QWidget* w) {
                setText(w, "fCZESC", QStringLiteral("Zmieniony"));
                click(w, "SBZapisz");
            });
            QVERIFY(m_commands->edit(QStringLiteral("dodatkoweMagazyn")));
            QVERIFY(script.done());
        }
        QCOMPARE(scalar(QStringLiteral("SELECT CZESC FROM magazyn WHERE ID=") + QString::number(copied)),
                 QStringLiteral("Zmieniony"));
        QCOMPARE(m_db->statement(kList).integer(QStringLiteral("ID")), copied);
        {
            ModalScript script;
            script.add(QStringLiteral("TfMagazyn"), [&](QWidget* w) {
                QVERIFY(child<QLineEdit>(w, "fCZESC")->isReadOnly());
                QCOMPARE(child<QPushButton>(w, "SBAnuluj")->text(), QStringLiteral("&OK"));
                click(w, "SBAnuluj");
            });
            QVERIFY(m_commands->preview(QStringLiteral("dodatkoweMagazyn")));
            QVERIFY(script.done());
        }
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM magazyn")).toInt(), before + 1);
    }

    void stockCheckReportsTheLevelItselfAndOnlyTheListedRows()
    {
        exec(QStringLiteral("DELETE FROM magazyn"));
        exec(
            QStringLiteral("INSERT INTO magazyn (CZESC,ILOSC,PRZYPOMNIJ) VALUES ('Toner',2,2),('Papier',5,1),"
                           "('Olej',0,0),('Filtr',0.5,0),('Śruby',-1,0)"));
        bool found = false;
        QStringList lines = StockChecks::lowStock(*m_db, &found);
        QVERIFY(found);
        lines.sort();
        QCOMPARE(lines, QStringList({QStringLiteral("Niski stan magazynowy następujących części:"),
                                     QStringLiteral("Olej (Ilość = ") + TmyDataBase::amountText(0) + ")",
                                     QStringLiteral("Toner (Ilość = ") + TmyDataBase::amountText(2) + ")",
                                     QStringLiteral("Śruby (Ilość = ") + TmyDataBase::amountText(-1) + ")"}));
        // A filtered list is checked as it is listed.
        m_db->listState().setCondition(kList, ListState::Role::Reserved,
                                       QStringLiteral("AND CZESC='Papier'"));
        lines = StockChecks::lowStock(*m_db, &found);
        QVERIFY(!found);
        QCOMPARE(lines, QStringList{QStringLiteral("Niczego nie znaleziono")});
    }

    void stockWindowAfterLoginOnlyWhenFoundAndItsTextFile()
    {
        exec(QStringLiteral("DELETE FROM magazyn"));
        TfSprawdzenieMagazynu window(*m_db);
        window.run(true, true);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.text(), QStringLiteral("Niczego nie znaleziono"));
        window.run(false, false);
        QVERIFY(!window.isVisible());
        window.run(true, false); // from the menu: always shown
        QVERIFY(window.isVisible());
        exec(QStringLiteral("INSERT INTO magazyn (CZESC,ILOSC,PRZYPOMNIJ) VALUES ('Toner',1,2)"));
        window.run(true, true);
        QVERIFY(window.text().contains(QStringLiteral("Toner (Ilość = ")));
        const QString file = m_config->path() + QStringLiteral("/stany.txt");
        Dialogs::setNextFileName(file);
        window.SBZapiszClick();
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        // Text exports are Windows-1250, like the CSV files.
        QCOMPARE(QString(QStringDecoder("windows-1250").decode(f.readAll())),
                 window.text().replace(QLatin1Char('\n'), QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Dane zostały zapisane w pliku: ") + file);
        window.close();
    }

    void needsCheckListsItemsAtOrBelowTheirLevel()
    {
        exec(QStringLiteral("DELETE FROM bhp"));
        TfSprawdzenieBhp window(*m_db);
        QVERIFY(!window.fill());
        QCOMPARE(window.rows().size(), 2);
        QCOMPARE(window.rows()[1][2], QStringLiteral("Niczego nie znaleziono"));
        exec(QStringLiteral(
            "INSERT INTO bhp (NAZWA,NREWID,CECHY,ILOSC,PRZYPOMNIJ) VALUES "
            "('Rękawice','B/1','rozm. 10',5,5),('Kask','B/2','biały',3,0),('Buty','B/3','',0,0)"));
        QVERIFY(window.fill());
        const QList<QStringList> rows = window.rows();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0], QStringList({"ilość", "nr ewid.", "nazwa", "cechy"}));
        QCOMPARE(rows[1], QStringList({TmyDataBase::amountText(0), "B/3", "Buty", ""}));
        QCOMPARE(rows[2],
                 QStringList({TmyDataBase::amountText(5), "B/1", QStringLiteral("Rękawice"), "rozm. 10"}));

        const QString file = m_config->path() + QStringLiteral("/bhp.txt");
        Dialogs::setNextFileName(file);
        window.SBTxtClick();
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString(QStringDecoder("windows-1250").decode(f.readAll())).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 5),
                 QStringList({"Nr ewid.: B/3", QStringLiteral("Ilość: ") + TmyDataBase::amountText(0),
                              "Nazwa: Buty", "Cechy: ", QString(33, QLatin1Char('-'))}));
        QCOMPARE(lines.size(), 11); // two entries of five lines and the last line break
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Eksport zakończony poprawnie."));

        // The table, header included, in the lists' CSV format.
        const QString csv = m_config->path() + QStringLiteral("/bhp.csv");
        Dialogs::setNextFileName(csv);
        window.SBCsvClick();
        QFile c(csv);
        QVERIFY(c.open(QIODevice::ReadOnly));
        const QByteArray bytes = c.readAll();
        QVERIFY(bytes.startsWith("\"ilo\x9c\xe6\";\"nr ewid.\";\"nazwa\";\"cechy\"\r\n"));
        QVERIFY(bytes.contains("\"B/1\";\"R\xeakawice\";\"rozm. 10\"\r\n"));
        QCOMPARE(Dialogs::shown().last().text, QStringLiteral("Eksport zakończony poprawnie."));
    }

    // The header is the table's own: not a row to select, its columns widened
    // by the user and kept; the quantities read against their colour.
    void needsCheckHasARealHeaderWhoseWidthsAreKept()
    {
        exec(QStringLiteral(
            "INSERT INTO bhp (NAZWA,NREWID,CECHY,ILOSC,PRZYPOMNIJ) VALUES ('Kask','B/2','',3,5)"));
        {
            TfMain main;
            main.restoreGridLayouts();
            TfSprawdzenieBhp window(*m_db);
            QVERIFY(window.fill());
            auto* table = window.findChild<QTableWidget*>(QStringLiteral("SGTabela"));
            QVERIFY(!table->horizontalHeader()->isHidden());
            QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("nr ewid."));
            // Every row of the table is an item; the exports still begin with the header.
            const QList<QStringList> rows = window.rows();
            QCOMPARE(rows.size(), table->rowCount() + 1);
            QCOMPARE(rows.first(), QStringList({"ilość", "nr ewid.", "nazwa", "cechy"}));
            QVERIFY(table->findItems(QStringLiteral("nr ewid."), Qt::MatchContains).isEmpty());
            const QList<QTableWidgetItem*> kask = table->findItems(QStringLiteral(" B/2"), Qt::MatchExactly);
            QCOMPARE(kask.size(), 1);
            const QTableWidgetItem* quantity = table->item(kask.first()->row(), 0);
            const int contrast = qAbs(qGray(quantity->foreground().color().rgb()) -
                                      qGray(quantity->background().color().rgb()));
            QVERIFY2(contrast > 100, qPrintable(QString::number(contrast)));
            QCOMPARE(table->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
            table->horizontalHeader()->resizeSection(1, 171);
            main.saveGridLayouts();
        }
        QCOMPARE(IniFile(AppPaths::configFile(QStringLiteral("sprzetnik.ini")))
                     .value(QStringLiteral("GRID"), QStringLiteral("SPRBHPSGTabela"))
                     .section(QLatin1Char(','), 1, 1),
                 QStringLiteral("171"));
    }
};

QTEST_MAIN(TestMagazyn)
#include "test_magazyn.moc"
