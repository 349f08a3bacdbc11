#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/EngineMessages.h"
#include "base/ErrorLog.h"
#include "editors/TfLikwidacja.h"
#include "registers/DeleteCascade.h"
#include "registers/TfMain.h"
#include "shell/MainCommands.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/TmyDataBase.h"
#include "widgets/DataGrid.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlcipher/sqlite3.h>

// "Usuń" and "Likwiduj wybrany element" of every register: what goes, what
// stays, and that a failure anywhere leaves the database as it was.
class TestDeleteCascade : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<QTemporaryDir> m_folder;

    static const QStringList& tables()
    {
        static const QStringList t = {
            QStringLiteral("komputery"),   QStringLiteral("sprzet"),     QStringLiteral("licencje"),
            QStringLiteral("programy"),    QStringLiteral("bhp"),        QStringLiteral("zakupbhp"),
            QStringLiteral("magazyn"),     QStringLiteral("terminy"),    QStringLiteral("naprawy"),
            QStringLiteral("dokumenty"),   QStringLiteral("historia"),   QStringLiteral("zlecenia"),
            QStringLiteral("rozliczenia"), QStringLiteral("zalaczniki"), QStringLiteral("osobowa"),
            QStringLiteral("firmy"),       QStringLiteral("r_kompprac"), QStringLiteral("r_sprzprac"),
            QStringLiteral("r_lickomp"),   QStringLiteral("r_licprog"),  QStringLiteral("r_bhpprac"),
            QStringLiteral("wlasciwosci")};
        return t;
    }

    void sql(const QString& text) { m_db->DatabaseMain().exec(text); }
    qint64 count(const QString& text)
    {
        Statement q(&m_db->DatabaseMain(), QStringLiteral("count"),
                    {QStringLiteral("SELECT COUNT(*) AS N FROM ") + text});
        q.open();
        return q.integer(QStringLiteral("N"));
    }
    QString value(const QString& text)
    {
        Statement q(&m_db->DatabaseMain(), QStringLiteral("value"), {text});
        q.open();
        return q.eof() ? QString() : q.textAt(0, 0);
    }
    QMap<QString, qint64> snapshot()
    {
        QMap<QString, qint64> counts;
        for (const QString& t : tables())
            counts[t] = count(t);
        return counts;
    }

    // A row of the step's table that the step's WHERE matches for `key`.
    void populate(const QString& step, qint64 key, bool active = true)
    {
        static const QRegularExpression re(QStringLiteral("DELETE FROM (\\w+) WHERE (.*)$"));
        const QRegularExpressionMatch m = re.match(step);
        QVERIFY(m.hasMatch());
        QStringList columns, values;
        for (const QString& condition : m.captured(2).split(QStringLiteral(" AND "))) {
            columns << condition.section(QLatin1Char('='), 0, 0).trimmed();
            const QString v = condition.section(QLatin1Char('='), 1).trimmed();
            values << (v.isEmpty() ? QString::number(key) : v);
        }
        if (m.captured(1) != QLatin1String("wlasciwosci") && m.captured(1) != QLatin1String("historia") &&
            m.captured(1) != QLatin1String("zlecenia") && m.captured(1) != QLatin1String("rozliczenia") &&
            m.captured(1) != QLatin1String("zalaczniki") && m.captured(1) != QLatin1String("r_bhpprac") &&
            !columns.contains(QStringLiteral("ACT"))) {
            columns << QStringLiteral("ACT");
            values << (active ? QStringLiteral("'T'") : QStringLiteral("'N'"));
        }
        sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(m.captured(1), columns.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
    }
    // Every table of the rule's cascade gets a row of the object.
    void populateAll(const DeleteCascade::Rule& rule, qint64 key)
    {
        for (const DeleteCascade::Step& step : rule.cascade)
            if (step.sql)
                populate(QLatin1String(step.sql), key);
    }
    qint64 newComputer(const QString& number)
    {
        sql(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,ARCHIWUM,DATAARCH,PRZYCZYNA) VALUES "
                           "('%1','Test','N',0,'')")
                .arg(number));
        return value(QStringLiteral("SELECT MAX(IDKOMPUTERA) FROM komputery")).toLongLong();
    }
    qint64 newLicence()
    {
        sql(QStringLiteral("INSERT INTO licencje (NREWID,NRLICENCJI,ARCHIWUM,DATAARCH,PRZYCZYNA) VALUES "
                           "('L-T','Lic','N',0,'')"));
        return value(QStringLiteral("SELECT MAX(IDLICENCJI) FROM licencje")).toLongLong();
    }
    void storeFile(const QString& name)
    {
        QFile f(m_folder->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    void attach(const QString& kind, qint64 key, const QString& file)
    {
        sql(QStringLiteral(
                "INSERT INTO zalaczniki (CZEGODOTYCZY,IDOBIEKTU,NAZWAZALACZNIKA,NAZWAPLIKU,DATADODANIA) "
                "VALUES ('%1',%2,'Plik','%3',20260101)")
                .arg(kind)
                .arg(key)
                .arg(file));
        storeFile(file);
    }
    // Enters the register's page and puts its list's cursor on the key.
    void enter(TfMain& main, const QString& registerName, const QVariant& key)
    {
        const DeleteCascade::Rule* rule = DeleteCascade::find(registerName);
        QVERIFY(rule);
        static const std::map<QString, void (TfMain::*)()> pages = {
            {QStringLiteral("komputery"), &TfMain::SBKomputeryClick},
            {QStringLiteral("programy"), &TfMain::SBProgramyClick},
            {QStringLiteral("licencje"), &TfMain::SBLicencjeClick},
            {QStringLiteral("sprzet"), &TfMain::SBSprzetClick},
            {QStringLiteral("DodatkoweTerminarz"), &TfMain::SBTerminarzClick},
            {QStringLiteral("DodatkoweNaprawy"), &TfMain::SBNaprawyClick},
            {QStringLiteral("dodatkoweDokumenty"), &TfMain::SBDokumentyClick},
            {QStringLiteral("DodatkoweHistoria"), &TfMain::SBHistoriaClick},
            {QStringLiteral("DodatkoweZlecenia"), &TfMain::SBZleceniaClick},
            {QStringLiteral("DodatkoweRozliczenia"), &TfMain::SBRozliczeniaClick},
            {QStringLiteral("dodatkoweMagazyn"), &TfMain::SBMagazynClick},
            {QStringLiteral("DodatkoweZalaczniki"), &TfMain::SBZalacznikiClick},
            {QStringLiteral("odziezSrodki"), &TfMain::SBOdziezSrodkiClick},
            {QStringLiteral("zakupBhp"), &TfMain::SBZakupBhpClick},
            {QStringLiteral("slOsobowa"), &TfMain::SBOsobowaClick},
            {QStringLiteral("SlFirmy"), &TfMain::SBFirmyClick},
        };
        (main.*(pages.at(registerName)))();
        if (key.isValid())
            QVERIFY(m_db->locate(QLatin1String(rule->list), {key}));
    }
    // Enters the register's page with the cursor on the list's last row; its key.
    QString enterLast(TfMain& main, const QString& registerName)
    {
        const DeleteCascade::Rule* rule = DeleteCascade::find(registerName);
        enter(main, registerName, QVariant());
        Statement& q = m_db->statement(QLatin1String(rule->list));
        if (q.isEmpty())
            return {};
        q.setRecNo(q.recordCount() - 1);
        return q.text(QLatin1String(rule->key));
    }
    void login(TfMain& main)
    {
        Rights r{};
        r.fill(true);
        AppState::instance().currentUser = QStringLiteral("TEST");
        AppState::instance().rights = r;
        main.applyRights(r);
    }
    bool logged(qint64 code) const
    {
        const QString tag = QStringLiteral("[%1]").arg(code, 10, 10, QLatin1Char('0'));
        for (const QString& line : m_config->logLines())
            if (line.contains(tag))
                return true;
        return false;
    }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        m_folder = std::make_unique<QTemporaryDir>();
        Config::global().reset();
        Config::global().set(QStringLiteral("pytajPrzedKasowaniem"), false);
        Config::global().setAttachmentsFolder(m_folder->path());
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().logout();
        m_db.reset();
        m_database.reset();
        m_folder.reset();
        m_config.reset();
    }

    // The assets: every table of the cascade loses the object's rows, other
    // objects' rows stay; a computer keeps the orders and settlements of an
    // equipment item with its number and its attached equipment.
    void assetCascade_data()
    {
        QTest::addColumn<QString>("registerName");
        QTest::addColumn<QString>("kind");
        for (const char* name : {"komputery", "sprzet", "licencje", "programy", "odziezSrodki"}) {
            const DeleteCascade::Rule* rule = DeleteCascade::find(QLatin1String(name));
            QString kind;
            for (const DeleteCascade::Step& s : rule->cascade)
                if (s.filesOf)
                    kind = QLatin1String(s.filesOf);
            QTest::newRow(name) << QString::fromLatin1(name) << kind;
        }
    }
    void assetCascade()
    {
        QFETCH(QString, registerName);
        QFETCH(QString, kind);
        TfMain main;
        MainCommands commands(main, *m_db);
        if (!commands.records().commandsOf(registerName))
            QSKIP("register not built on this branch");
        login(main);
        const DeleteCascade::Rule* rule = DeleteCascade::find(registerName);
        const QString table = QString::fromLatin1(rule->mainDelete).section(QLatin1Char(' '), 2, 2);
        const qint64 key = enterLast(main, registerName).toLongLong();
        QVERIFY(key > 0);
        const qint64 other = key + 1000;
        populateAll(*rule, key);
        populateAll(*rule, other);
        attach(kind, key, QStringLiteral("mine.txt"));
        attach(kind, other, QStringLiteral("other.txt"));
        if (registerName == QLatin1String("komputery")) {
            sql(QStringLiteral("INSERT INTO zlecenia (CZEGODOTYCZY,IDOBIEKTU) VALUES ('S',%1)").arg(key));
            sql(QStringLiteral("INSERT INTO rozliczenia (CZEGODOTYCZY,IDOBIEKTU) VALUES ('S',%1)").arg(key));
            sql(QStringLiteral(
                    "UPDATE sprzet SET IDKOMPUTERA=%1 WHERE IDSPRZETU=(SELECT MIN(IDSPRZETU) FROM sprzet)")
                    .arg(key));
        }
        const QMap<QString, qint64> before = snapshot();
        main.runCommand(TfMain::Command::Delete);

        for (const DeleteCascade::Step& s : rule->cascade) {
            if (!s.sql)
                continue;
            const QString where = QString::fromLatin1(s.sql).section(QStringLiteral("FROM "), 1);
            QVERIFY2(count(where + QString::number(key)) == 0, s.sql);
            QVERIFY2(count(where + QString::number(other)) > 0, s.sql);
        }
        QCOMPARE(
            count(QStringLiteral("zalaczniki WHERE CZEGODOTYCZY='%1' AND IDOBIEKTU=%2").arg(kind).arg(key)),
            0);
        // usuwajZajaczniki is off: the stored file stays.
        QVERIFY(QFile::exists(m_folder->filePath(QStringLiteral("mine.txt"))));
        if (registerName == QLatin1String("komputery")) {
            QCOMPARE(count(QStringLiteral("zlecenia")), before[QStringLiteral("zlecenia")]);
            QCOMPARE(count(QStringLiteral("rozliczenia")), before[QStringLiteral("rozliczenia")]);
            QCOMPARE(count(QStringLiteral("sprzet WHERE IDKOMPUTERA=%1").arg(key)), 1);
        }
        QCOMPARE(count(table), before[table] - 1);
    }

    // An employee or company goes alone: what refers to it keeps the reference.
    void employeeAndCompanyLeaveTheirReferences()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        const QString nrew = value(QStringLiteral("SELECT NREW FROM komputery WHERE NREW<>'' LIMIT 1"));
        const qint64 uses = count(QStringLiteral("komputery WHERE NREW='%1'").arg(nrew));
        enter(main, QStringLiteral("slOsobowa"), nrew);
        main.runCommand(TfMain::Command::Delete);
        QCOMPARE(count(QStringLiteral("osobowa WHERE NREW='%1'").arg(nrew)), 0);
        QCOMPARE(count(QStringLiteral("komputery WHERE NREW='%1'").arg(nrew)), uses);

        const qint64 firm =
            value(QStringLiteral("SELECT IDFIRMY FROM komputery WHERE IDFIRMY>1 LIMIT 1")).toLongLong();
        const qint64 supplied = count(QStringLiteral("komputery WHERE IDFIRMY=%1").arg(firm));
        QVERIFY(supplied > 0);
        enter(main, QStringLiteral("SlFirmy"), firm);
        main.runCommand(TfMain::Command::Delete);
        QCOMPARE(count(QStringLiteral("firmy WHERE IDFIRMY=%1").arg(firm)), 0);
        QCOMPARE(count(QStringLiteral("komputery WHERE IDFIRMY=%1").arg(firm)), supplied);
    }

    // pytajPrzedKasowaniem on asks "Pytanie"; anything but yes keeps the row.
    void theQuestionFollowsTheOption()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        Config::global().set(QStringLiteral("pytajPrzedKasowaniem"), true);
        const qint64 key = newComputer(QStringLiteral("Q-1"));
        enter(main, QStringLiteral("komputery"), key);
        Dialogs::setNextAnswer(false);
        // The Delete key of the grid's popup.
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        DataGrid* grid = main.grid(QStringLiteral("KomputeryGrid"));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown().first().title, QStringLiteral("Pytanie"));
        QCOMPARE(Dialogs::shown().first().text, QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
        QCOMPARE(count(QStringLiteral("komputery WHERE IDKOMPUTERA=%1").arg(key)), 1);

        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {key}));
        Dialogs::setNextAnswer(true);
        QPushButton* usun = main.navigationButton(QStringLiteral("SBUsun"));
        QVERIFY(usun->isEnabled());
        usun->click();
        QCOMPARE(count(QStringLiteral("komputery WHERE IDKOMPUTERA=%1").arg(key)), 0);
    }

    // usuwajZajaczniki on: the stored files go, after the rows; the
    // attachments register removes the row's own file.
    void filesGoWithTheOption()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        Config::global().set(QStringLiteral("usuwajZajaczniki"), true);
        const qint64 key = newComputer(QStringLiteral("F-1"));
        attach(QStringLiteral("K"), key, QStringLiteral("a.txt"));
        attach(QStringLiteral("K"), key, QStringLiteral("missing.txt"));
        QFile::remove(m_folder->filePath(QStringLiteral("missing.txt"))); // a missing file is no error
        attach(QStringLiteral("S"), key, QStringLiteral("s.txt"));
        enter(main, QStringLiteral("komputery"), key);
        main.runCommand(TfMain::Command::Delete);
        QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("a.txt"))));
        QVERIFY(QFile::exists(m_folder->filePath(QStringLiteral("s.txt"))));
        QVERIFY(!logged(242128));

        const qint64 id =
            value(QStringLiteral("SELECT IDZALACZNIKA FROM zalaczniki WHERE NAZWAPLIKU='s.txt'"))
                .toLongLong();
        enter(main, QStringLiteral("DodatkoweZalaczniki"), id);
        main.runCommand(TfMain::Command::Delete);
        QCOMPARE(count(QStringLiteral("zalaczniki WHERE IDZALACZNIKA=%1").arg(id)), 0);
        QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("s.txt"))));
    }

    // A file that cannot be removed is reported with its code; the rows stay deleted.
    void aFileThatStaysIsReported()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        Config::global().set(QStringLiteral("usuwajZajaczniki"), true);
        const qint64 key = newComputer(QStringLiteral("F-2"));
        attach(QStringLiteral("K"), key, QStringLiteral("b.txt"));
        // The folder option names a plain file: nothing below it can be removed.
        Config::global().setAttachmentsFolder(m_folder->filePath(QStringLiteral("b.txt")));
        enter(main, QStringLiteral("komputery"), key);
        main.runCommand(TfMain::Command::Delete);
        QCOMPARE(count(QStringLiteral("zalaczniki WHERE IDOBIEKTU=%1 AND CZEGODOTYCZY='K'").arg(key)), 0);
        QCOMPARE(count(QStringLiteral("komputery WHERE IDKOMPUTERA=%1").arg(key)), 0);
        QVERIFY(logged(242128));
    }

    // Every register: a failure at any statement of its delete leaves every
    // row and file in place; without it the row goes.
    void aFailureAnywhereLeavesEverything_data()
    {
        QTest::addColumn<QString>("registerName");
        for (const DeleteCascade::Rule& rule : DeleteCascade::rules())
            QTest::newRow(rule.registerName) << QString::fromLatin1(rule.registerName);
    }
    void aFailureAnywhereLeavesEverything()
    {
        QFETCH(QString, registerName);
        TfMain main;
        MainCommands commands(main, *m_db);
        if (!commands.records().commandsOf(registerName))
            QSKIP("register not built on this branch");
        login(main);
        Config::global().set(QStringLiteral("usuwajZajaczniki"), true);
        const DeleteCascade::Rule* rule = DeleteCascade::find(registerName);
        QStringList failing = {QString::fromLatin1(rule->mainDelete).section(QLatin1Char(' '), 2, 2)};
        for (const DeleteCascade::Step& s : rule->cascade)
            if (s.sql)
                failing << QString::fromLatin1(s.sql).section(QLatin1Char(' '), 2, 2);
        if (rule->ownFile)
            attach(QStringLiteral("K"), 1, QStringLiteral("kept.txt"));
        const QString keyText = enterLast(main, registerName);
        QVERIFY(!keyText.isEmpty());
        populateAll(*rule, keyText.toLongLong());
        for (const DeleteCascade::Step& s : rule->cascade)
            if (s.filesOf)
                attach(QLatin1String(s.filesOf), keyText.toLongLong(), QStringLiteral("kept.txt"));
        storeFile(QStringLiteral("kept.txt"));
        for (const QString& table : failing) {
            m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("fail"),
                                   QStringLiteral("BEFORE DELETE ON main.%1").arg(table),
                                   QStringLiteral("blad"));
            const QMap<QString, qint64> before = snapshot();
            const int logLines = m_config->logLines().size();
            main.runCommand(TfMain::Command::Delete);
            QVERIFY2(snapshot() == before, qPrintable(table));
            QVERIFY(QFile::exists(m_folder->filePath(QStringLiteral("kept.txt"))));
            QVERIFY(m_config->logLines().size() > logLines);
            QVERIFY(logged(rule->code));
            m_database->removeFailure(m_db->DatabaseMain(), QStringLiteral("fail"), table);
            // The cursor stays on the row that could not be deleted.
            QCOMPARE(m_db->statement(QLatin1String(rule->list)).text(QLatin1String(rule->key)), keyText);
        }
        // Without the fault the row goes, and nothing else of its table.
        const QString table = failing.first();
        const qint64 rows = count(table);
        const int listed = m_db->statement(QLatin1String(rule->list)).recordCount();
        const qsizetype shown = Dialogs::shown().size();
        main.runCommand(TfMain::Command::Delete);
        QCOMPARE(count(table), rows - 1);
        QCOMPARE(count(QStringLiteral("%1 WHERE %2='%3'").arg(table, QLatin1String(rule->key), keyText)), 0);
        QCOMPARE(m_db->statement(QLatin1String(rule->list)).recordCount(), listed - 1);
        QCOMPARE(Dialogs::shown().size(), shown);
        QVERIFY(!rule->ownFile || !QFile::exists(m_folder->filePath(QStringLiteral("kept.txt"))));
    }

    // A row another workstation deleted meanwhile: nothing to do, no error, the list reloads.
    void aRowDeletedMeanwhile()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        const qint64 key = newComputer(QStringLiteral("M-1"));
        enter(main, QStringLiteral("komputery"), key);
        const int listed = m_db->statement(QStringLiteral("DBFKomputery")).recordCount();
        sql(QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA=%1").arg(key));
        main.runCommand(TfMain::Command::Delete);
        QCOMPARE(m_db->statement(QStringLiteral("DBFKomputery")).recordCount(), listed - 1);
        QVERIFY(Dialogs::shown().isEmpty());
        QVERIFY(m_config->logLines().isEmpty());
    }

    // Another workstation holds the database: the locked-files message, nothing deleted.
    void aLockedDatabaseDeletesNothing()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        const qint64 key = newComputer(QStringLiteral("B-1"));
        populateAll(*DeleteCascade::find(QStringLiteral("komputery")), key);
        enter(main, QStringLiteral("komputery"), key);
        m_db->DatabaseMain().setBusyTimeout(50);
        SqlConnection other;
        m_database->open(other);
        const QMap<QString, qint64> before = snapshot();
        other.exec(other.dialect().beginWrite);
        main.runCommand(TfMain::Command::Delete);
        other.exec(QStringLiteral("COMMIT"));
        QCOMPARE(snapshot(), before);
        QCOMPARE(Dialogs::shown().size(), 1);
        if (m_database->onServer()) // the server's word for the same: another workstation is writing
            QVERIFY2(Dialogs::shown().first().text.endsWith(
                         EngineMessages::forUser(QStringLiteral("SQLSTATE 55P03: lock timeout"))),
                     qPrintable(Dialogs::shown().first().text));
        else
            QCOMPARE(Dialogs::shown().first().text, ErrorLog::lockedFilesText());
        QVERIFY(logged(16));
    }

    // Liquidation of a computer: archived with date and reason, its deadlines,
    // repairs, documents, users and installations switched off but kept.
    void computerLiquidation()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        const qint64 key = newComputer(QStringLiteral("LQ-1"));
        const DeleteCascade::Rule* rule = DeleteCascade::find(QStringLiteral("komputery"));
        populateAll(*rule, key);
        enter(main, QStringLiteral("komputery"), key);
        const QMap<QString, qint64> before = snapshot();
        ModalScript script;
        script.add(QStringLiteral("TfLikwidacja"), [](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("fDATAARCH"))->setText(QStringLiteral("15-03-2026"));
            w->findChild<QLineEdit*>(QStringLiteral("fPRZYCZYNA"))->setText(QStringLiteral("Zużycie"));
            Dialogs::setNextAnswer(true);
            static_cast<TfLikwidacja*>(w)->SBZapiszClick();
        });
        main.runCommand(TfMain::Command::Liquidate);
        QVERIFY(script.done());
        QCOMPARE(value(QStringLiteral("SELECT ARCHIWUM||'/'||DATAARCH||'/'||PRZYCZYNA FROM komputery WHERE "
                                      "IDKOMPUTERA=%1")
                           .arg(key)),
                 QStringLiteral("T/20260315/Zużycie"));
        for (const char* t :
             {"terminy WHERE CZEGODOTYCZY='K'", "naprawy WHERE KOMPSPRZ='K'",
              "dokumenty WHERE CZEGODOTYCZY='K'", "r_kompprac WHERE 1=1", "r_lickomp WHERE 1=1"}) {
            const QString where =
                QLatin1String(t) + QStringLiteral(" AND ACT='T' AND ") +
                (QLatin1String(t).startsWith(QLatin1String("r_")) ? QStringLiteral("IDKOMPUTERA=")
                                                                  : QStringLiteral("IDOBIEKTU=")) +
                QString::number(key);
            QVERIFY2(count(where) == 0, t);
        }
        QCOMPARE(snapshot(), before); // nothing removed
        // The computer left the current records.
        QVERIFY(!m_db->locate(QStringLiteral("DBFKomputery"), {key}));
    }

    // "Edytuj" among liquidated records corrects date and reason without the question.
    void editAmongLiquidatedCorrectsTheLiquidation()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        const qint64 key = newComputer(QStringLiteral("LQ-2"));
        sql(QStringLiteral(
                "UPDATE komputery SET ARCHIWUM='T',DATAARCH=20250101,PRZYCZYNA='Stary' WHERE IDKOMPUTERA=%1")
                .arg(key));
        main.SBKomputeryClick();
        m_db->listState().setArchive(true);
        m_db->reloadList(QStringLiteral("DBFKomputery"));
        QVERIFY(m_db->locate(QStringLiteral("DBFKomputery"), {key}));
        QString shownDate;
        ModalScript script;
        script.add(QStringLiteral("TfLikwidacja"), [&](QWidget* w) {
            auto* date = w->findChild<QLineEdit*>(QStringLiteral("fDATAARCH"));
            shownDate = date->text();
            date->setText(QStringLiteral("02-01-2025"));
            w->findChild<QLineEdit*>(QStringLiteral("fPRZYCZYNA"))->setText(QStringLiteral("Kradzież"));
            static_cast<TfLikwidacja*>(w)->SBZapiszClick();
        });
        QVERIFY(commands.records().edit(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QCOMPARE(shownDate, QStringLiteral("01-01-2025"));
        QVERIFY(Dialogs::shown().isEmpty()); // no question for a correction
        QCOMPARE(value(QStringLiteral("SELECT DATAARCH||'/'||PRZYCZYNA FROM komputery WHERE IDKOMPUTERA=%1")
                           .arg(key)),
                 QStringLiteral("20250102/Kradzież"));
    }

    // Liquidation of a licence: active installations go, inactive ones stay,
    // its program links and deadlines are switched off.
    void licenceLiquidation()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        const qint64 key = newLicence();
        sql(QStringLiteral("INSERT INTO r_lickomp (IDPROGRAMU,IDLICENCJI,IDKOMPUTERA,ACT) VALUES "
                           "(1,%1,1,'T'),(1,%1,2,'N')")
                .arg(key));
        sql(QStringLiteral("INSERT INTO r_licprog (IDPROGRAMU,IDLICENCJI,ACT) VALUES (1,%1,'T')").arg(key));
        sql(QStringLiteral("INSERT INTO terminy (CZEGODOTYCZY,IDOBIEKTU,ACT) VALUES ('L',%1,'T')").arg(key));
        enter(main, QStringLiteral("licencje"), key);
        ModalScript script;
        script.add(QStringLiteral("TfLikwidacja"), [](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("fDATAARCH"))->setText(QStringLiteral("01-02-2026"));
            Dialogs::setNextAnswer(true);
            static_cast<TfLikwidacja*>(w)->SBZapiszClick();
        });
        main.runCommand(TfMain::Command::Liquidate);
        QVERIFY(script.done());
        QCOMPARE(
            value(QStringLiteral("SELECT ARCHIWUM||DATAARCH FROM licencje WHERE IDLICENCJI=%1").arg(key)),
            QStringLiteral("T20260201"));
        QCOMPARE(count(QStringLiteral("r_lickomp WHERE IDLICENCJI=%1").arg(key)), 1);
        QCOMPARE(count(QStringLiteral("r_lickomp WHERE IDLICENCJI=%1 AND ACT='N'").arg(key)), 1);
        QCOMPARE(count(QStringLiteral("r_licprog WHERE IDLICENCJI=%1 AND ACT='N'").arg(key)), 1);
        QCOMPARE(
            count(QStringLiteral("terminy WHERE CZEGODOTYCZY='L' AND IDOBIEKTU=%1 AND ACT='N'").arg(key)), 1);
    }

    // Equipment: its deadlines, repairs, documents and users switched off.
    void equipmentLiquidation()
    {
        TfMain main;
        MainCommands commands(main, *m_db);
        if (!commands.records().commandsOf(QStringLiteral("sprzet")))
            QSKIP("register not built on this branch");
        login(main);
        const qint64 key =
            value(QStringLiteral("SELECT MAX(IDSPRZETU) FROM sprzet WHERE ARCHIWUM='N'")).toLongLong();
        populateAll(*DeleteCascade::find(QStringLiteral("sprzet")), key);
        enter(main, QStringLiteral("sprzet"), key);
        ModalScript script;
        script.add(QStringLiteral("TfLikwidacja"), [](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("fDATAARCH"))->setText(QStringLiteral("05-05-2026"));
            Dialogs::setNextAnswer(true);
            static_cast<TfLikwidacja*>(w)->SBZapiszClick();
        });
        main.runCommand(TfMain::Command::Liquidate);
        QVERIFY(script.done());
        QCOMPARE(value(QStringLiteral("SELECT ARCHIWUM||DATAARCH FROM sprzet WHERE IDSPRZETU=%1").arg(key)),
                 QStringLiteral("T20260505"));
        for (const char* t :
             {"terminy WHERE CZEGODOTYCZY='S' AND IDOBIEKTU=", "naprawy WHERE KOMPSPRZ='S' AND IDOBIEKTU=",
              "dokumenty WHERE CZEGODOTYCZY='S' AND IDOBIEKTU=", "r_sprzprac WHERE IDSPRZETU="})
            QVERIFY2(count(QLatin1String(t) + QString::number(key) + QStringLiteral(" AND ACT='T'")) == 0, t);
    }

    // No date is stored as 0 and shown empty; a failed follow-up undoes the
    // whole liquidation; a "no" to the question changes nothing.
    void liquidationEdges()
    {
        const DeleteCascade::Liquidation* rule = DeleteCascade::liquidationOf(QStringLiteral("komputery"));
        QVERIFY(rule);
        const qint64 key = newComputer(QStringLiteral("LQ-3"));
        QVERIFY(DeleteCascade::liquidate(*m_db, *rule, key, QStringLiteral("Brak daty"), 0));
        QCOMPARE(value(QStringLiteral("SELECT ARCHIWUM||'/'||DATAARCH FROM komputery WHERE IDKOMPUTERA=%1")
                           .arg(key)),
                 QStringLiteral("T/0"));
        QCOMPARE(TmyDataBase::dateText(0), QString());

        const qint64 second = newComputer(QStringLiteral("LQ-4"));
        populate(QStringLiteral("DELETE FROM r_lickomp WHERE IDKOMPUTERA="), second);
        populate(QStringLiteral("DELETE FROM terminy WHERE CZEGODOTYCZY='K' AND IDOBIEKTU="), second);
        m_database->addFailure(m_db->DatabaseMain(), QStringLiteral("fail"),
                               QStringLiteral("BEFORE UPDATE ON main.r_lickomp"), QStringLiteral("blad"));
        QVERIFY(!DeleteCascade::liquidate(*m_db, *rule, second, QStringLiteral("X"), 20260101));
        m_database->removeFailure(m_db->DatabaseMain(), QStringLiteral("fail"), QStringLiteral("r_lickomp"));
        QVERIFY(logged(6010));
        QCOMPARE(value(QStringLiteral("SELECT ARCHIWUM FROM komputery WHERE IDKOMPUTERA=%1").arg(second)),
                 QStringLiteral("N"));
        QCOMPARE(
            count(QStringLiteral("terminy WHERE CZEGODOTYCZY='K' AND IDOBIEKTU=%1 AND ACT='T'").arg(second)),
            1);

        TfMain main;
        MainCommands commands(main, *m_db);
        login(main);
        enter(main, QStringLiteral("komputery"), second);
        ModalScript script;
        script.add(QStringLiteral("TfLikwidacja"), [](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("fDATAARCH"))->setText(QStringLiteral("05-05-2026"));
            Dialogs::setNextAnswer(false);
            static_cast<TfLikwidacja*>(w)->SBZapiszClick();
        });
        main.runCommand(TfMain::Command::Liquidate);
        QVERIFY(script.done());
        QCOMPARE(value(QStringLiteral("SELECT ARCHIWUM FROM komputery WHERE IDKOMPUTERA=%1").arg(second)),
                 QStringLiteral("N"));
        // Programs and the deadline list have no liquidation.
        QVERIFY(!commands.records().liquidate(QStringLiteral("programy")));
        QVERIFY(!commands.records().liquidate(QStringLiteral("DodatkoweTerminarz")));
    }
};

QTEST_MAIN(TestDeleteCascade)
#include "test_deletecascade.moc"
