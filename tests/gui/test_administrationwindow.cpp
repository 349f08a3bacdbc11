#include "DatabaseRows.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestServer.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "maintenance/TableEmptying.h"
#include "maintenance/TfAdministracjaBaza.h"
#include "store/DatabaseCopy.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/PreparedStatement.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
QStringList infoTexts()
{
    QStringList out;
    for (const Dialogs::Shown& s : Dialogs::shown())
        if (s.kind == Dialogs::Kind::Info)
            out << s.title + QStringLiteral(" / ") + s.text;
    return out;
}

qint64 integer(SqlConnection& c, const QString& sql)
{
    PreparedStatement q(c, sql);
    return q.step() ? q.integer(0) : -1;
}
} // namespace

// The administration window on either backend: emptying in one transaction,
// packing, the other workstations counted, and the database moved to a
// server and into a file as a user does it.
class TestAdministrationWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::vector<ServerAddress> m_made;

    qint64 count(const QString& sql) { return integer(m_db->DatabaseMain(), sql); }

    // Fills the server form of the move page with a database of the test cluster.
    void fillServer(TfAdministracjaBaza& dialog, const ServerAddress& a)
    {
        // The move is offered once the address, the database and the user are there.
        auto* move = dialog.findChild<QPushButton*>(QStringLiteral("SBNaSerwer"));
        for (const char* name : {"SerwerAdres", "SerwerBaza", "SerwerUzytkownik"})
            dialog.findChild<QLineEdit*>(QLatin1String(name))->clear();
        QVERIFY(!move->isEnabled());
        dialog.findChild<QLineEdit*>(QStringLiteral("SerwerAdres"))->setText(a.host);
        dialog.findChild<QLineEdit*>(QStringLiteral("SerwerBaza"))->setText(a.database);
        QVERIFY(!move->isEnabled());
        dialog.findChild<QSpinBox*>(QStringLiteral("SerwerPort"))->setValue(a.port);
        dialog.findChild<QLineEdit*>(QStringLiteral("SerwerBaza"))->setText(a.database);
        dialog.findChild<QLineEdit*>(QStringLiteral("SerwerUzytkownik"))->setText(a.user);
        dialog.findChild<QLineEdit*>(QStringLiteral("SerwerHaslo"))->setText(a.password);
        QVERIFY(move->isEnabled());
    }
    ServerAddress newName(const char* name)
    {
        const ServerAddress a = TestServer::address(
            QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(QCoreApplication::applicationPid()));
        m_made.push_back(a);
        return a;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Config::global().reset();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        DatabaseLocation::global().set(m_database->dir(), m_database->password());
        if (m_database->onServer())
            DatabaseLocation::global().setServer(m_database->address());
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        DatabaseCopy::setTableHook({});
        m_db.reset();
        m_database.reset();
        for (const ServerAddress& a : m_made)
            TestServer::dropDatabase(a);
        m_made.clear();
        m_config.reset();
    }

    // An emptying that fails half way leaves every row; one that succeeds
    // takes the register and its property rows together. Packing runs on
    // the backend's own statement, and never inside a transaction.
    void emptyingIsOneTransactionAndPackingRuns()
    {
        SqlConnection& c = m_db->DatabaseMain();
        const qint64 computers = count(QStringLiteral("SELECT COUNT(*) FROM komputery"));
        const qint64 properties = count(QStringLiteral("SELECT COUNT(*) FROM wlasciwosci"));
        QVERIFY(computers > 0 && properties > 0);
        m_database->addFailure(c, QStringLiteral("nie_usuwaj"),
                               QStringLiteral("BEFORE DELETE ON wlasciwosci"), QStringLiteral("zablokowane"));
        QVERIFY(!TableEmptying::empty(*m_db, QStringLiteral("Komputery")));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM komputery")), computers);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM wlasciwosci")), properties);
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000300]  ")));
        m_database->removeFailure(c, QStringLiteral("nie_usuwaj"), QStringLiteral("wlasciwosci"));

        TfAdministracjaBaza dialog(*m_db);
        dialog.show();
        Dialogs::setNextAnswer(true);
        dialog.wyczyscClick();
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Zbiór został wyczyszczony."));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM komputery")), qint64(0));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM wlasciwosci WHERE KOMPSPRZET = 'K'")), qint64(0));

        dialog.optymalizujClick();
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacja / Optymalizacja zakończyła się powodzeniem."));
        c.exec(QStringLiteral("BEGIN"));
        QVERIFY(!TableEmptying::packAll(*m_db));
        c.exec(QStringLiteral("ROLLBACK"));
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000370]  ")));
        QVERIFY(TableEmptying::packAll(*m_db));
    }

    // Other workstations on the same database are counted on either backend;
    // one that left stops counting.
    void otherWorkstationsCounted()
    {
        QCOMPARE(m_db->otherWorkstations(), 0);
        auto other = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*other));
        QCOMPARE(m_db->otherWorkstations(), 1);
        other->disconnect();
        // The server ends a session a moment after it was left.
        QTRY_COMPARE(m_db->otherWorkstations(), 0);
        m_db->disconnect();
        QCOMPARE(m_db->otherWorkstations(), -1);
    }

    // The database moved to a new database on the server and into a new file
    // through the window: the counts dialog shows both sides agreeing, the
    // rows are the same, and the workstation goes over only when it says so.
    void movedThroughTheWindow()
    {
        if (!TestServer::available())
            QSKIP("no test cluster was started for this run");
        // Not shown: the script would take the window itself for a dialog left
        // open; its buttons are clicked as they are.
        TfAdministracjaBaza dialog(*m_db);
        auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl"));
        pages->setCurrentWidget(dialog.findChild<QWidget*>(QStringLiteral("PrzeniesienieBazy")));
        QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Przeniesienie bazy"));

        const ServerAddress target = newName("z_okna");
        fillServer(dialog, target);
        int shownRows = -1;
        QStringList disagreeing;
        ModalScript script;
        script.add(QStringLiteral("LiczbyWierszy"), [&](QWidget* w) {
            auto* table = w->findChild<QTableWidget*>(QStringLiteral("tabele"));
            shownRows = table->rowCount();
            for (int row = 0; row < table->rowCount(); ++row)
                if (table->item(row, 1)->text() != table->item(row, 2)->text())
                    disagreeing << table->item(row, 0)->text();
            w->findChild<QPushButton*>(QStringLiteral("SBOk"))->click();
        });
        Dialogs::setNextAnswer(true); // create the missing database
        Dialogs::setNextAnswer(true); // work on it from now on
        dialog.findChild<QPushButton*>(QStringLiteral("SBNaSerwer"))->click();
        QVERIFY2(script.errors().isEmpty(), qPrintable(script.errors().join('\n')));
        QVERIFY(script.done());
        // The stocktaking tables, which both databases have, are listed too.
        QCOMPARE(shownRows, int(TableList::tables().size() + TableList::addedTables().size()));
        QCOMPARE(disagreeing, QStringList());
        QCOMPARE(Dialogs::unanswered(), 0);
        SqlConnection server;
        server.openServer(target);
        QCOMPARE(DatabaseRows::firstDifference(m_db->DatabaseMain(), server), QString());
        QVERIFY(DatabaseLocation::global().onServer());
        QCOMPARE(DatabaseLocation::global().server().database, target.database);
        QVERIFY(infoTexts().last().contains(QStringLiteral("od następnego uruchomienia")));

        // The same server database again: it holds data now, and is refused.
        const qint64 rows = integer(server, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        dialog.findChild<QPushButton*>(QStringLiteral("SBNaSerwer"))->click();
        QVERIFY(infoTexts().last().contains(QStringLiteral("zawiera już dane")));
        QCOMPARE(integer(server, QStringLiteral("SELECT COUNT(*) FROM komputery")), rows);

        // Into a file under its own password; this workstation stays where it is.
        QTemporaryDir folder;
        dialog.findChild<QLineEdit*>(QStringLiteral("HasloPliku"))->setText(QStringLiteral("plik123"));
        script.add(QStringLiteral("LiczbyWierszy"),
                   [](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("SBOk"))->click(); });
        Dialogs::setNextFileName(folder.path());
        Dialogs::setNextAnswer(false);
        dialog.findChild<QPushButton*>(QStringLiteral("SBDoPliku"))->click();
        QVERIFY2(script.done(), qPrintable(m_config->logLines().join(QLatin1Char('\n'))));
        SqlConnection file;
        file.open(DatabaseTemplate::databaseFile(folder.path()), QStringLiteral("plik123"));
        QCOMPARE(DatabaseRows::firstDifference(m_db->DatabaseMain(), file), QString());
        QCOMPARE(DatabaseLocation::global().server().database, target.database);

        // The folder holds a database now: refused before anything is asked.
        Dialogs::setNextFileName(folder.path());
        dialog.findChild<QPushButton*>(QStringLiteral("SBDoPliku"))->click();
        QVERIFY(infoTexts().last().contains(QStringLiteral("jest już baza danych")));
        QCOMPARE(Dialogs::unanswered(), 0);
    }

    // Anuluj in the progress box, or a failure half way: the target is left
    // as it was and the user is told so; the failure is logged with its code.
    void stoppedOrFailedMoveThroughTheWindow()
    {
        if (!TestServer::available())
            QSKIP("no test cluster was started for this run");
        TfAdministracjaBaza dialog(*m_db);
        const ServerAddress target = newName("przerwana");
        fillServer(dialog, target);
        bool inProgress = false;
        DatabaseCopy::setTableHook([&](const QString& table) {
            if (table != QLatin1String("naprawy"))
                return;
            auto* progress = dialog.findChild<QProgressDialog*>(QStringLiteral("PrzenoszenieBazy"));
            QVERIFY(progress);
            // The window waits for the move; only Anuluj can be pressed.
            inProgress = progress->isVisible() &&
                         !dialog.findChild<QWidget*>(QStringLiteral("PageControl"))->isEnabled();
            progress->cancel();
        });
        Dialogs::setNextAnswer(true); // create the missing database
        dialog.findChild<QPushButton*>(QStringLiteral("SBNaSerwer"))->click();
        QVERIFY(inProgress);
        QVERIFY2(infoTexts().last().contains(QStringLiteral("przerwano")), qPrintable(infoTexts().last()));
        QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("PageControl"))->isEnabled());
        SqlConnection server;
        server.openServer(target);
        const auto rowsInAll = [&] {
            qint64 rows = 0;
            for (const DatabaseCopy::TableRows& t : DatabaseCopy::count(server))
                rows += t.rows;
            return rows;
        };
        QCOMPARE(rowsInAll(), qint64(0));

        // The same, now empty, target again; the connection is lost half way.
        DatabaseCopy::setTableHook([](const QString& table) {
            if (table == QLatin1String("historia"))
                throw DbError(QStringLiteral("Połączenie z serwerem zostało przerwane."));
        });
        dialog.findChild<QPushButton*>(QStringLiteral("SBNaSerwer"))->click();
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0000000380]  ")));
        QCOMPARE(Dialogs::unanswered(), 0);
        QCOMPARE(rowsInAll(), qint64(0));
        // Nothing was moved: the workstation's database stays the same.
        QCOMPARE(DatabaseLocation::global().onServer(), m_database->onServer());
    }
};

QTEST_MAIN(TestAdministrationWindow)
#include "test_administrationwindow.moc"
