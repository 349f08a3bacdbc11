// "Edytuj" and "Podgląd" on the registers of deadlines, repairs, documents,
// history and attachments: the row written back, the owner's editor shown
// read-only (a liquidated one too) and the list put back as it was.

#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/TfKomputery.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace EditorTest;

class TestAdditionalCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfKomputery> m_editor;
    std::unique_ptr<RecordCommands> m_commands;
    QStringList m_reloaded;

    QString scalar(const QString& sql) { return EditorTest::scalar(*m_db, sql); }
    void exec(const QString& sql)
    {
        Statement q(&m_db->DatabaseMain(), QString(), {sql});
        q.execSQL();
    }
    // The register as the main window leaves it on entering: no object conditions.
    void enter(const QString& list)
    {
        m_db->listState().clearObject(list);
        QVERIFY(m_db->reloadList(list));
    }
    QStringList conditions(const QString& list) const
    {
        return m_db->listState().entry(list).conditions.values();
    }
    qint64 cursor(const QString& list, const char* key)
    {
        const Statement& q = m_db->statement(list);
        return q.eof() ? -1 : q.integer(QLatin1String(key));
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        AppState::instance().rights.fill(true);
        Config::global().reset();
        Dialogs::startScript();
        m_editor = std::make_unique<TfKomputery>(*m_db);
        m_commands = std::make_unique<RecordCommands>(*m_db, *m_editor);
        m_reloaded.clear();
        connect(m_commands.get(), &RecordCommands::listReloaded, this,
                [this](const QString& l) { m_reloaded << l; });
    }
    void cleanup()
    {
        m_commands.reset();
        m_editor.reset();
        Dialogs::stopScript();
        Config::global().reset();
        AppState::instance().rights.fill(false);
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void editDeadlineRegister()
    {
        const QString list = QStringLiteral("DBFTerminy");
        enter(list);
        QVERIFY(m_db->locate(list, {6}));
        ModalScript script;
        script.add(QStringLiteral("TfTerminy"), [](QWidget* w) {
            child<QLineEdit>(w, "fOPIS")->setText(QStringLiteral("Gwarancja przedłużona"));
            click(w, "SpeedButton2"); // no kind
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("DodatkoweTerminarz")));
        QVERIFY(script.done());
        QCOMPARE(scalar(QStringLiteral(
                     "SELECT OPIS||'/'||KLASYFIKATOR||'/'||IDOBIEKTU FROM terminy WHERE IDTERMINU=6")),
                 QStringLiteral("Gwarancja przedłużona/0/7"));
        QCOMPARE(cursor(list, "IDTERMINU"), 6);
        QCOMPARE(m_reloaded, QStringList({list}));
    }

    void editRepairAndHistoryRegisters()
    {
        enter(QStringLiteral("DBFNaprawy"));
        QVERIFY(m_db->locate(QStringLiteral("DBFNaprawy"), {4}));
        ModalScript script;
        script.add(QStringLiteral("TfNaprawy"), [](QWidget* w) {
            child<QLineEdit>(w, "fNRFAKTURY")->setText(QStringLiteral("FS/9"));
            click(w, "SpeedButton8"); // no company: 0
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("DodatkoweNaprawy")));
        enter(QStringLiteral("DBFHistoria"));
        QVERIFY(m_db->locate(QStringLiteral("DBFHistoria"), {1}));
        script.add(QStringLiteral("TfHistoria"), [](QWidget* w) {
            child<QLineEdit>(w, "fMIEJSCE")->setText(QStringLiteral("Magazyn"));
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("DodatkoweHistoria")));
        QVERIFY(script.done());
        QCOMPARE(scalar(QStringLiteral(
                     "SELECT NRFAKTURY||'/'||IDFIRMY||'/'||NETTO FROM naprawy WHERE IDNAPRAWY=4")),
                 // The server writes a whole amount as text without ".0".
                 m_database->onServer() ? QStringLiteral("FS/9/0/180") : QStringLiteral("FS/9/0/180.0"));
        QCOMPARE(scalar(QStringLiteral("SELECT MIEJSCE||'/'||NREW FROM historia WHERE IDHISTORII=1")),
                 QStringLiteral("Magazyn/P008"));
    }

    void previewOfADeadlineOfALiquidatedComputer()
    {
        exec(QStringLiteral("INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,ACT,DATAOD,DATADO,OPIS) "
                            "VALUES (25,'K','T',20240101,20240201,'Utylizacja')"));
        const QString key = scalar(QStringLiteral("SELECT MAX(IDTERMINU) FROM terminy"));
        const QString list = QStringLiteral("DBFTerminy");
        // The registers as the user set them: current computers, active deadlines, a date range.
        ListState& state = m_db->listState();
        state.setArchive(false);
        state.setActiveOnly(true);
        state.setDateRange(20230101, ListState::kNoUpperBound);
        QVERIFY(m_db->reloadList(QStringLiteral("DBFKomputery")));
        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {3}));
        enter(list);
        QVERIFY(m_db->locate(list, {key.toLongLong()}));
        const QStringList before = conditions(list);
        const QStringList computersBefore = conditions(QStringLiteral("DBFKomputery"));
        const QStringList repairsBefore = conditions(QStringLiteral("DBFNaprawy"));

        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            seen << child<QLineEdit>(w, "fNREWID")->text()
                 << QString::number(child<QLineEdit>(w, "fNAZWA")->isReadOnly())
                 << QString::number(child<QTabWidget>(w, "PageControl1")->currentIndex())
                 << child<QPushButton>(w, "SBAnuluj")->text();
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->preview(QStringLiteral("DodatkoweTerminarz")));
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"KOMP/025", "1", QString::number(TfKomputery::Zlikwidowany), "&OK"}));
        // Everything back as it was, cursors included; nothing written.
        QCOMPARE(conditions(list), before);
        QCOMPARE(conditions(QStringLiteral("DBFKomputery")), computersBefore);
        QCOMPARE(conditions(QStringLiteral("DBFNaprawy")), repairsBefore);
        QCOMPARE(state.condition(list, ListState::Role::ActiveOnly), ListState::activeOnlyCondition());
        QCOMPARE(cursor(list, "IDTERMINU"), key.toLongLong());
        QCOMPARE(cursor(QStringLiteral("DBFKomputery"), "IDKOMPUTERA"), 3);
        QVERIFY(m_reloaded.contains(list) && m_reloaded.contains(QStringLiteral("DBFKomputery")));
        QVERIFY(!m_editor->isPreview());
        QCOMPARE(scalar(QStringLiteral("SELECT ARCHIWUM FROM komputery WHERE IDKOMPUTERA=25")),
                 QStringLiteral("T"));
    }

    void previewOwnerEquipmentItem()
    {
        // A repair of an equipment item shows the item read-only; the list is kept.
        const QString list = QStringLiteral("DBFNaprawy");
        enter(list);
        QVERIFY(m_db->locate(list, {3}));
        const QStringList before = conditions(list);
        ModalScript script;
        QStringList seen;
        script.add(QStringLiteral("TfSprzet"), [&](QWidget* w) {
            seen << w->findChild<QLineEdit*>(QStringLiteral("fNREWID"))->text()
                 << QString::number(w->findChild<QLineEdit*>(QStringLiteral("fNAZWA"))->isReadOnly());
            w->findChild<QPushButton*>(QStringLiteral("SBAnuluj"))->click();
        });
        QVERIFY(m_commands->preview(QStringLiteral("DodatkoweNaprawy")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(script.done());
        QCOMPARE(seen, QStringList({"SPRZ/002", "1"}));
        QCOMPARE(conditions(list), before);
        QCOMPARE(cursor(list, "IDNAPRAWY"), 3);
    }

    void previewOfAnAttachmentKeepsTheDateRange()
    {
        exec(QStringLiteral(
            "INSERT INTO zalaczniki (IDOBIEKTU,CZEGODOTYCZY,NAZWAZALACZNIKA,DATADODANIA,NAZWAPLIKU) "
            "VALUES (1,'K','Faktura',20240510,''),(2,'K','Zdjęcie',20240511,'')"));
        const QString list = QStringLiteral("DBFZalaczniki");
        m_db->listState().setDateRange(20240511, ListState::kNoUpperBound);
        enter(list);
        QCOMPARE(m_db->statement(list).recordCount(), 1);
        const QStringList before = conditions(list);
        ModalScript script;
        QString number;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            number = child<QLineEdit>(w, "fNREWID")->text();
            click(w, "SBAnuluj");
        });
        QVERIFY(m_commands->preview(QStringLiteral("DodatkoweZalaczniki")));
        QVERIFY(script.done());
        QCOMPARE(number, QStringLiteral("KOMP/002"));
        QCOMPARE(conditions(list), before);
        QCOMPARE(m_db->statement(list).recordCount(), 1);
    }

    void attachmentRegisterEditRetriesAFailedCopy()
    {
        QTemporaryDir folder, sources;
        Config::global().setAttachmentsFolder(folder.path());
        exec(QStringLiteral(
            "INSERT INTO zalaczniki (IDOBIEKTU,CZEGODOTYCZY,NAZWAZALACZNIKA,DATADODANIA,NAZWAPLIKU) "
            "VALUES (4,'K','Faktura',20240510,'')"));
        const QString key = scalar(QStringLiteral("SELECT MAX(IDZALACZNIKA) FROM zalaczniki"));
        QFile old(folder.filePath(key + QStringLiteral("_stara.pdf")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        exec(QStringLiteral("UPDATE zalaczniki SET NAZWAPLIKU='") + key +
             QStringLiteral("_stara.pdf' WHERE IDZALACZNIKA=") + key);
        const QString vanishing = sources.filePath(QStringLiteral("nowa.pdf"));
        QFile f(vanishing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("nowa");
        f.close();
        const QString list = QStringLiteral("DBFZalaczniki");
        enter(list);
        QVERIFY(m_db->locate(list, {key.toLongLong()}));

        ModalScript script;
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            Dialogs::setNextFileName(vanishing);
            click(w, "SBWskaz");
            QFile::rename(vanishing, vanishing + QStringLiteral(".bak")); // unreadable for the copy
            click(w, "SBZapisz");
        });
        QString kept;
        script.add(QStringLiteral("TfZalaczniki"), [&](QWidget* w) {
            kept = child<QLineEdit>(w, "fNAZWAPLIKU")->text();
            QFile::rename(vanishing + QStringLiteral(".bak"), vanishing); // back: saving again copies it
            click(w, "SBZapisz");
        });
        QVERIFY(m_commands->edit(QStringLiteral("DodatkoweZalaczniki")));
        QVERIFY(script.done());
        QCOMPARE(kept, key + QStringLiteral("_nowa.pdf")); // the input was retained
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("  [0000021841]  ")));
        QCOMPARE(scalar(QStringLiteral("SELECT NAZWAPLIKU FROM zalaczniki WHERE IDZALACZNIKA=") + key),
                 key + QStringLiteral("_nowa.pdf"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({key + QStringLiteral("_nowa.pdf")}));
        QCOMPARE(cursor(list, "IDZALACZNIKA"), key.toLongLong());
    }

    void commandsOnAnEmptyListDoNothing()
    {
        exec(QStringLiteral("DELETE FROM dokumenty"));
        enter(QStringLiteral("DBFDokumenty"));
        ModalScript script;
        QVERIFY(m_commands->edit(QStringLiteral("dodatkoweDokumenty")));
        QVERIFY(m_commands->preview(QStringLiteral("dodatkoweDokumenty")));
        QCOMPARE(script.errors(), QStringList());
        QVERIFY(!m_commands->add(QStringLiteral("dodatkoweDokumenty")));
    }
};

QTEST_MAIN(TestAdditionalCommands)
#include "test_additionalcommands.moc"
