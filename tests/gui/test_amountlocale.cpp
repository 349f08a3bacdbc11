#include "EditorTest.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/TfKomputery.h"
#include "registers/ListTools.h"
#include "registers/TfMain.h"
#include "registers/TfSumy.h"
#include "reports/RecordPrintout.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"
#include "widgets/ListModel.h"

#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace EditorTest;

// Runs under LANG=en_US.UTF-8 (see tests/CMakeLists.txt): with a system whose
// decimal separator is a point, the list, the record print-out, the column
// sums and the CSV file show an amount with the same decimal comma as the
// editor.
class TestAmountLocale : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfMain> m_main;

private slots:
    void initTestCase()
    {
        // The test means something only on a system that writes "14800.00".
        QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral("."));
    }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(false);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_db->DatabaseMain().exec(
            QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,NETTO,VAT,BRUTTO) VALUES "
                           "('K/1','Serwer',14800,3404,18204)"));
        m_main = std::make_unique<TfMain>(nullptr, m_db.get());
        Rights all{};
        all.fill(true);
        m_main->applyRights(all);
        AppState::instance().rights.fill(true);
        m_main->resetFilters();
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().rights.fill(false);
        m_main.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void everyAmountShowsTheEditorsDecimalComma()
    {
        m_main->SBKomputeryClick();
        ListModel* model = m_main->listModel(QStringLiteral("DBFKomputery"));
        QVERIFY(model);
        QCOMPARE(model->rowCount(), 1);

        // The editor, filled from the list's row.
        TfKomputery editor(*m_db);
        editor.fillFromRow(model->statement());
        const QString inEditor = child<QLineEdit>(&editor, "fNETTO")->text();
        QCOMPARE(inEditor, QStringLiteral("14800,00"));

        // The list.
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << model->displayText(0, c);
        QVERIFY2(row.contains(inEditor), qPrintable(row.join(QLatin1Char('|'))));
        QVERIFY(!row.join(QLatin1Char('|')).contains(QStringLiteral("14800.00")));

        // The record print-out.
        const RecordPrintout printout = RecordPrintout::forList(*m_db, QStringLiteral("DBFKomputery"));
        QVERIFY(printout.lines.contains(QStringLiteral("Wartość netto: ") + inEditor));
        QVERIFY(printout.lines.contains(QStringLiteral("Wartość brutto: 18204,00")));

        // The column sums.
        m_main->runCommand(TfMain::Command::Sums);
        QCOMPARE(m_main->listTools().sumWindow().value(1), inEditor);

        // The CSV file.
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("komputery.csv"));
        Dialogs::setNextFileName(name);
        m_main->runCommand(TfMain::Command::Csv);
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString csv = QStringDecoder("windows-1250").decode(file.readAll());
        QVERIFY2(csv.contains(QLatin1Char('"') + inEditor + QLatin1Char('"')), qPrintable(csv));
        QVERIFY(!csv.contains(QStringLiteral("14800.00")));
    }
};

QTEST_MAIN(TestAmountLocale)
#include "test_amountlocale.moc"
