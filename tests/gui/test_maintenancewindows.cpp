#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/EngineMessages.h"
#include "base/ErrorLog.h"
#include "maintenance/ArchiveBuilder.h"
#include "maintenance/ArchiveDescription.h"
#include "maintenance/BackupRing.h"
#include "maintenance/DatabaseSnapshot.h"
#include "maintenance/MaintenanceCommands.h"
#include "maintenance/TfAdministracjaBaza.h"
#include "maintenance/TfArchiwum.h"
#include "maintenance/TfImportPracownik.h"
#include "registers/TfMain.h"
#include "store/DatabaseLocation.h"
#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "widgets/DateField.h"
#include "widgets/ListModel.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringDecoder>
#include <QTableView>
#include <QTest>

namespace {
int count(TmyDataBase& db, const QString& sql)
{
    Statement& q = db.mySQL();
    q.clear();
    q.add(sql);
    q.open();
    const int n = int(q.integerAt(0, 0));
    q.close();
    return n;
}

QStringList infoTexts()
{
    QStringList out;
    for (const Dialogs::Shown& s : Dialogs::shown())
        if (s.kind == Dialogs::Kind::Info)
            out << s.title + QStringLiteral(" / ") + s.text;
    return out;
}

QDateTime day(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(9, 0));
}
} // namespace

class TestMaintenanceWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;

    void setParams(int last, int slot, int interval, int kept, bool adminsOnly, bool ask, bool on)
    {
        SystemParams p;
        p.lastBackupDate = last;
        p.lastSlot = slot;
        p.intervalDays = interval;
        p.slotsKept = kept;
        p.adminsOnly = adminsOnly;
        p.askFirst = ask;
        p.enabled = on;
        QVERIFY(m_db->saveSystemParams(p));
    }
    QString backupFile(int slot) const
    {
        return QDir(BackupRing::folder(m_database->dir(), slot)).filePath(kDatabaseFileName);
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
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        Clock::setFixed({});
        ArchiveBuilder::setStepHook({});
        DatabaseSnapshot::setRestoreStepHook({});
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    // ---- automatic backup
    void ringRotatesOverItsSlotsWithTheCalendarRule()
    {
        setParams(20240101, 0, 30, 3, false, false, true);
        Clock::setFixed(day(2024, 1, 31));
        BackupRing::automaticBackupCheck(*m_db, m_database->password(), true);
        QVERIFY(!QFileInfo::exists(backupFile(1)));

        const QDate due[] = {QDate(2024, 2, 1), QDate(2024, 3, 3), QDate(2024, 4, 3), QDate(2024, 5, 4)};
        const int ring[] = {1, 2, 3, 1};
        for (int i = 0; i < 4; ++i) {
            Clock::setFixed(QDateTime(due[i], QTime(8, 0)));
            QFile::remove(backupFile(ring[i]));
            BackupRing::automaticBackupCheck(*m_db, m_database->password(), true);
            QVERIFY2(QFileInfo::exists(backupFile(ring[i])), qPrintable(due[i].toString()));
            const SystemParams p = m_db->loadSystemParams();
            QCOMPARE(p.lastSlot, ring[i]);
            QCOMPARE(p.lastBackupDate, int(due[i].year() * 10000 + due[i].month() * 100 + due[i].day()));
            QCOMPARE(DatabaseSnapshot::check(backupFile(ring[i]), m_database->password()),
                     DatabaseSnapshot::Check::Ok);
            // The same day again: not due.
            QFile::remove(backupFile(ring[i]));
            BackupRing::automaticBackupCheck(*m_db, m_database->password(), true);
            QVERIFY(!QFileInfo::exists(backupFile(ring[i])));
        }
        QVERIFY(infoTexts().isEmpty()); // "ask" off: no confirmation either
        QVERIFY(!QFileInfo::exists(
            QDir(BackupRing::folder(m_database->dir(), 1)).filePath(ArchiveDescription::kFileName)));
    }
    void rightZeroOnlyAndAskingAreObeyed()
    {
        setParams(20200101, 0, 30, 3, true, true, true);
        Clock::setFixed(day(2024, 6, 1));
        BackupRing::automaticBackupCheck(*m_db, m_database->password(), false);
        QVERIFY(Dialogs::shown().isEmpty());
        QVERIFY(!QFileInfo::exists(backupFile(1)));

        Dialogs::setNextAnswer(false); // "no": asked again next time
        BackupRing::automaticBackupCheck(*m_db, m_database->password(), true);
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(m_db->loadSystemParams().lastSlot, 0);

        Dialogs::setNextAnswer(true);
        BackupRing::automaticBackupCheck(*m_db, m_database->password(), true);
        QVERIFY(QFileInfo::exists(backupFile(1)));
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacja / Kopia zapasowa utworzona poprawnie w folderze: ") +
                     BackupRing::folder(m_database->dir(), 1));

        setParams(20200101, 0, 30, 3, false, false, false); // switched off
        BackupRing::automaticBackupCheck(*m_db, m_database->password(), true);
        QCOMPARE(m_db->loadSystemParams().lastSlot, 0);
    }
    void folderThatCannotBeCreatedStillMovesTheSlot()
    {
        setParams(20200101, 1, 30, 3, false, false, true);
        Clock::setFixed(day(2024, 6, 1));
        QFile blocker(BackupRing::folder(m_database->dir(), 2)); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        BackupRing::automaticBackupCheck(*m_db, m_database->password(), true);
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacja / Nie udało się utworzyć folderu z kopią zapasową bazy "
                                "danych. Brak uprawnień do zapisu do folderu? ") +
                     BackupRing::folder(m_database->dir(), 2));
        const SystemParams p = m_db->loadSystemParams();
        QCOMPARE(p.lastSlot, 2);
        QCOMPARE(p.lastBackupDate, 20200101);
    }

    // ---- archive dialog
    void archiveChangeRestoreShowsTheOldData()
    {
        QTemporaryDir archiveDir;
        TfArchiwum dialog(*m_db);
        dialog.show();
        dialog.setSelectedFolder(archiveDir.path());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("odtworz"))->isEnabled());
        dialog.findChild<QLineEdit*>(QStringLiteral("nNazwa"))->setText(QStringLiteral("Przed zmianą"));
        dialog.findChild<DateField*>(QStringLiteral("nData"))->setDateText(QStringLiteral("31-02-2020"));
        dialog.stworzClick();
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Archiwum zostało stworzone."));
        QVERIFY(infoTexts().first().startsWith(QStringLiteral("Uwaga / Nie skonfigurowano lokalizacji")));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("odtworz"))->isEnabled());
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("oNazwa"))->text(),
                 QStringLiteral("Przed zmianą"));
        QCOMPARE(ArchiveDescription::read(archiveDir.path()).date, QStringLiteral("31-02-2020"));

        const int computers = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        m_db->DatabaseMain().exec(QStringLiteral("DELETE FROM komputery"));
        bool restored = false;
        connect(&dialog, &TfArchiwum::databaseRestored, this, [&] { restored = true; });
        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(true);
        dialog.odtworzClick();
        QVERIFY(restored);
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacje / Operacja przebiegła pomyślnie. Dane zostały "
                                "odtworzone z archiwum."));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery")), computers);
    }
    void restoreShowsTheRestoredDataInTheMainWindow()
    {
        TfMain main(nullptr, m_db.get());
        MaintenanceCommands commands(main, *m_db);
        Rights all;
        all.fill(true);
        main.applyRights(all);
        QVERIFY(main.action(QStringLiteral("MArchiwizacja"))->isEnabled());
        // The administration of the database (emptying, packing, moving) on either backend.
        QVERIFY(main.action(QStringLiteral("MAdministracjaBaza"))->isEnabled());
        main.SBKomputeryClick();
        const int computers = main.listModel(QStringLiteral("DBFKomputery"))->rowCount();
        QVERIFY(computers > 0);

        QTemporaryDir archiveDir;
        TfArchiwum& dialog = commands.archive();
        dialog.setSelectedFolder(archiveDir.path());
        dialog.stworzClick();
        m_db->DatabaseMain().exec(QStringLiteral("DELETE FROM komputery"));
        main.reloadCurrent();
        QCOMPARE(main.listModel(QStringLiteral("DBFKomputery"))->rowCount(), 0);
        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(true);
        dialog.odtworzClick();
        QCOMPARE(main.listModel(QStringLiteral("DBFKomputery"))->rowCount(), computers);

        Rights none{};
        main.applyRights(none);
        QVERIFY(!main.action(QStringLiteral("MArchiwizacja"))->isEnabled());
    }
    void archiveUnderAnotherPasswordAsksForIt()
    {
        TestDatabase foreign(false, QStringLiteral("haslo-archiwum"));
        TmyDataBase other;
        QVERIFY(foreign.connect(other));
        QTemporaryDir archiveDir;
        DatabaseSnapshot::write(other.DatabaseMain(), foreign.password(),
                                archiveDir.filePath(kDatabaseFileName));
        QVERIFY(ArchiveDescription{}.write(archiveDir.path()));

        TfArchiwum dialog(*m_db);
        dialog.setSelectedFolder(archiveDir.path());
        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(true);
        Dialogs::setNextText(QStringLiteral("zle"));
        Dialogs::setNextText(foreign.password());
        dialog.odtworzClick();
        const QList<Dialogs::Shown> shown = Dialogs::shown();
        QCOMPARE(shown.at(2).kind, Dialogs::Kind::Prompt);
        QVERIFY(shown.at(2).password);
        QCOMPARE(shown.at(3).text, QStringLiteral("Podane hasło jest niepoprawne."));
        QVERIFY(infoTexts().last().contains(QStringLiteral("przyjęły hasło bieżącej bazy danych")));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery")), 0);
        if (!m_database->onServer()) // a server's database has no key of its own
            QCOMPARE(
                DatabaseSnapshot::check(TmyDataBase::databaseFile(m_database->dir()), m_database->password()),
                DatabaseSnapshot::Check::Ok);
    }
    void inconsistentArchiveIsRefusedBeforeAnythingChanges()
    {
        QTemporaryDir archiveDir;
        const QString file = archiveDir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_db->DatabaseMain(), m_database->password(), file);
        {
            SqlConnection c;
            c.open(file, m_database->password());
            c.exec(QStringLiteral("DELETE FROM komputery; DROP TABLE r_lickomp"));
        }
        QVERIFY(ArchiveDescription{}.write(archiveDir.path()));
        const int computers = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        TfArchiwum dialog(*m_db);
        dialog.setSelectedFolder(archiveDir.path());
        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(true);
        dialog.odtworzClick();
        QVERIFY(infoTexts().last().startsWith(QStringLiteral("Błąd / Pliki archiwum są niespójne.")));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery")), computers);
    }
    // What the engine said goes to the log under the window's code; the user
    // reads why in Polish, and the database and the folder are as they were.
    void failuresAreToldInPolishAndLoggedWithTheirCode()
    {
        QTemporaryDir archiveDir;
        TfArchiwum dialog(*m_db);
        dialog.setSelectedFolder(archiveDir.path());
        ArchiveBuilder::setStepHook([](const QString& step) {
            if (step == QLatin1String("database"))
                throw DbError(QStringLiteral("disk I/O error"), 10);
        });
        dialog.stworzClick();
        ArchiveBuilder::setStepHook({});
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Nie udało się stworzyć archiwum. ") +
                                         EngineMessages::forUser(QStringLiteral("disk I/O error")));
        QVERIFY(!infoTexts().last().contains(QStringLiteral("disk I/O")));
        QVERIFY(m_config->logLines().last().contains(QStringLiteral("[0024021112]  disk I/O error")));
        QVERIFY(!ArchiveDescription::existsIn(archiveDir.path()));

        dialog.stworzClick();
        QVERIFY(ArchiveDescription::existsIn(archiveDir.path()));
        const int computers = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        m_db->DatabaseMain().exec(QStringLiteral("UPDATE komputery SET NAZWA='Po archiwum'"));
        DatabaseSnapshot::setRestoreStepHook([](const QString& step) {
            if (step == QLatin1String("check"))
                throw DbError(QStringLiteral("disk I/O error"), 10);
        });
        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(true);
        dialog.odtworzClick();
        DatabaseSnapshot::setRestoreStepHook({});
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacja / Nie udało się odtworzyć danych z archiwum. ") +
                     EngineMessages::forUser(QStringLiteral("disk I/O error")) +
                     QStringLiteral(" Spróbuj wykonać operację ponownie."));
        const QString logged = m_config->logLines().last();
        QVERIFY2(logged.contains(QStringLiteral("[0024021113]  ")) &&
                     logged.contains(QStringLiteral("disk I/O error")),
                 qPrintable(logged));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery WHERE NAZWA='Po archiwum'")),
                 computers);
    }
    void dateCheckAndDeletion()
    {
        QTemporaryDir archiveDir;
        TfArchiwum dialog(*m_db);
        dialog.setSelectedFolder(archiveDir.path());
        dialog.findChild<DateField*>(QStringLiteral("nData"))->setDateText(QStringLiteral("40-13-2020"));
        dialog.stworzClick();
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Uwaga / Niepoprawny format daty archiwum. Popraw pole."));
        QVERIFY(!ArchiveDescription::existsIn(archiveDir.path()));

        dialog.findChild<DateField*>(QStringLiteral("nData"))->setDateText(DateField::emptyText());
        dialog.stworzClick();
        QVERIFY(ArchiveDescription::existsIn(archiveDir.path()));
        QFile other(archiveDir.filePath(QStringLiteral("inny.txt")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        Dialogs::setNextAnswer(true);
        dialog.usunClick();
        QVERIFY(!ArchiveDescription::existsIn(archiveDir.path()));
        QVERIFY(!QFileInfo::exists(archiveDir.filePath(kDatabaseFileName)));
        QVERIFY(QFileInfo::exists(other.fileName()));
        QVERIFY(!dialog.findChild<QLineEdit*>(QStringLiteral("oNazwa"))->isEnabled());
    }
    // On opening no folder is chosen in the tree: nothing may land in the
    // program's working folder, and the message says a folder must be chosen.
    void withoutAChosenFolderNothingIsMade()
    {
        QTemporaryDir work;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        TfArchiwum dialog(*m_db);
        QVERIFY(dialog.selectedFolder().isEmpty());
        Dialogs::setNextText(QStringLiteral("nowe"));
        dialog.nowyPodkatalogClick();
        dialog.stworzClick();
        QDir::setCurrent(before);
        QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        const QStringList said = infoTexts();
        QCOMPARE(said.size(), 2);
        QVERIFY(said[0].startsWith(QStringLiteral("Uwaga / Nie wskazano folderu.")));
        QVERIFY(said[1].startsWith(QStringLiteral("Uwaga / Nie wskazano folderu archiwum.")));
        QVERIFY(dialog.selectedFolder().isEmpty());

        // A folder chosen: the subfolder is made in it and chosen.
        dialog.setSelectedFolder(work.path());
        dialog.nowyPodkatalogClick();
        QCOMPARE(dialog.selectedFolder(), QDir(work.path()).filePath(QStringLiteral("nowe")));
        QVERIFY(QFileInfo(dialog.selectedFolder()).isDir());
    }
    void attachmentsAreArchivedAndRestored()
    {
        QTemporaryDir attachments;
        QFile a(attachments.filePath(QStringLiteral("umowa.pdf")));
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.write("PDF");
        a.close();
        Config::global().setAttachmentsFolder(attachments.path());
        QTemporaryDir archiveDir;
        TfArchiwum dialog(*m_db);
        dialog.setSelectedFolder(archiveDir.path());
        dialog.stworzClick();
        QVERIFY(QFileInfo::exists(archiveDir.filePath(QStringLiteral("zalaczniki/umowa.pdf"))));
        QFile::remove(a.fileName());

        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(true); // copy the attachments back
        dialog.odtworzClick();
        QVERIFY(QFileInfo::exists(a.fileName()));
        QVERIFY(infoTexts().last().startsWith(QStringLiteral("Informacje / Operacja przebiegła pomyślnie.")));
    }

    // ---- administration
    void administrationEmptiesPacksAndClearsTheLog()
    {
        TfAdministracjaBaza dialog(*m_db);
        dialog.show();
        auto* tabela = dialog.findChild<QComboBox*>(QStringLiteral("tabela"));
        QCOMPARE(tabela->count(), 39);
        QCOMPARE(tabela->currentText(), QStringLiteral("Komputery"));
        const int computers = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery"));
        Dialogs::setNextAnswer(false);
        dialog.wyczyscClick();
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery")), computers);
        QVERIFY(infoTexts().isEmpty());
        tabela->setCurrentText(QStringLiteral("Kartoteka firm"));
        Dialogs::setNextAnswer(true);
        dialog.wyczyscClick();
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Zbiór został wyczyszczony."));
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM firmy")), 1);

        // The file's rewrite, or the server's VACUUM (ANALYZE).
        dialog.optymalizujClick();
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacja / Optymalizacja zakończyła się powodzeniem."));

        ErrorLog::writeLine(QStringLiteral("wpis"));
        Dialogs::setNextAnswer(true);
        dialog.czyscLogClick();
        QFile log(ErrorLog::logPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), QByteArray("\r\n"));
        log.close();
        dialog.otworzLogClick();
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Log błędów programu został wyczyszczony."));
        QCOMPARE(Dialogs::openedUrls().size(), 1);
        QFile::remove(ErrorLog::logPath());
        dialog.otworzLogClick();
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Log błędów jest pusty."));
    }

    // ---- import window
    void importWindowLoadsVerifiesImportsAndKeepsItsSettings()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("pracownicy.csv"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBFNumer;Nazwisko;Imi\xC4\x99\r\nP-1;Wi\xC5\x9Bniewski;Jan\r\n\r\nP-2;Kowalska;"
                "Anna\r\n");
        f.close();

        TfImportPracownik window(*m_db);
        Dialogs::setNextAnswer(false); // no earlier configuration
        window.loadFile(csv);
        QCOMPARE(window.sheet().rowCount(), 3);
        auto* verify = window.findChild<QPushButton*>(QStringLiteral("SBWeryfikuj"));
        auto* import = window.findChild<QPushButton*>(QStringLiteral("SBImportuj"));
        QVERIFY(verify->isEnabled());
        QVERIFY(!import->isEnabled());
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("cb1"))->count(), 4);
        window.findChild<QComboBox*>(QStringLiteral("cb1"))->setCurrentIndex(1);
        window.findChild<QComboBox*>(QStringLiteral("cb3"))->setCurrentIndex(2);
        window.findChild<QComboBox*>(QStringLiteral("cb2"))->setCurrentIndex(3);
        window.findChild<QCheckBox*>(QStringLiteral("pominPierwszy"))->setChecked(true);
        window.weryfikujClick();
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacja / Nie wykryto problemów. Arkusz .CSV wydaje się być poprawny."));
        QVERIFY(import->isEnabled());
        const int before = count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa"));
        Dialogs::setNextAnswer(true);
        window.importujClick();
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Operacja zakończona. Dodano wierszy: 2."));
        QCOMPARE(count(*m_db, QStringLiteral(
                                  "SELECT COUNT(*) FROM osobowa WHERE NAZWISKO='Wiśniewski' AND IMIE='Jan'")),
                 1);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa")), before + 2);
        QVERIFY(!import->isEnabled()); // the rows are in: a second click would only fail
        QVERIFY(QString(QStringDecoder("windows-1250").decode(window.resultLog()))
                    .contains(QStringLiteral("\"P-2\";\"Kowalska\";\"Anna\";\"Ok\";\"\"\r\n")));

        // A second verification now finds the numbers taken; the rows at
        // fault are marked in the table, the warning is the Part's text alone.
        window.weryfikujClick();
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Uwaga / Wykryto błędy weryfikacji danych. Sprawdź komentarz "
                                "w kolumnie po prawo w tabeli .CSV"));
        QCOMPARE(window.import().failedLines(window.sheet()), (QList<int>{2, 4}));

        Dialogs::setNextAnswer(true);
        window.zamknijClick();
        const Config::ImportSettings s = Config::loadImportSettings(1);
        QCOMPARE(s.columns[0], 1);
        QCOMPARE(s.columns[2], 2);
        QVERIFY(s.pominPierwszy);

        // A file of another width resets the choices even with "Nie czyść ustawień" ticked.
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("a;b\n");
        f.close();
        Dialogs::setNextAnswer(false);
        window.loadFile(csv);
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("cb1"))->currentIndex(), 0);
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("cb1"))->count(), 3);
    }

    void importWindowRefusesAFileThatIsNotText()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("binarny.csv"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("Numer;Nazwisko\r\nP-1;Kowal\r\n\x01\x00\x02\x00;\x00\r\n", 31));
        f.close();
        TfImportPracownik window(*m_db);
        Dialogs::install(); // the error reporter's box through the scripted dialogs
        window.loadFile(csv);
        ErrorLog::setDisplay({});
        QCOMPARE(window.sheet().rowCount(), 0);
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("SBWeryfikuj"))->isEnabled());
        QCOMPARE(Dialogs::shown().size(), 1); // no "Arkusz załadowany poprawnie"
        QCOMPARE(Dialogs::shown().first().title, QStringLiteral("Błąd bazy danych"));
        QVERIFY(Dialogs::shown().first().text.contains(QStringLiteral("wiersz 3 zawiera")));
        QVERIFY(
            m_config->logLines().last().contains(QStringLiteral("[0000000802]  Niepoprawny format arkusza")));
    }

    void importWindowShowsRowsThroughAModelAndWritesAProperLog()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("pracownicy.csv"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Numer;Nazwisko;Uwagi\r\nQ-1;\"Nowak \"\"Mały\"\"\";\"dwie\r\nlinie; €\"\r\n");
        for (int i = 2; i <= 3000; ++i)
            f.write("Q-" + QByteArray::number(i) + ";Kowalski;\r\n");
        f.close();
        TfImportPracownik window(*m_db);
        Dialogs::setNextAnswer(false);
        window.loadFile(csv);
        auto* grid = window.findChild<QTableView*>(QStringLiteral("CSV"));
        QVERIFY(grid);
        QCOMPARE(grid->model()->rowCount(), 3001);
        QCOMPARE(grid->model()->columnCount(), 5);
        QCOMPARE(grid->model()->headerData(2, Qt::Vertical).toInt(), 4); // the row's line in the file
        QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("Nowak \"Mały\""));
        window.findChild<QComboBox*>(QStringLiteral("cb1"))->setCurrentIndex(1);
        window.findChild<QComboBox*>(QStringLiteral("cb3"))->setCurrentIndex(2);
        window.findChild<QComboBox*>(QStringLiteral("cb11"))->setCurrentIndex(3);
        window.findChild<QCheckBox*>(QStringLiteral("pominPierwszy"))->setChecked(true);
        window.weryfikujClick();
        QCOMPARE(grid->model()->index(1, 3).data().toString(), QStringLiteral("Ok"));

        // The log reads back as the sheet it came from: quotes doubled,
        // line breaks kept, Windows-1250 with CR LF.
        const QByteArray log = window.resultLog();
        QVERIFY(
            log.startsWith("\"Kolumna #1\";\"Kolumna #2\";\"Kolumna #3\";\"Zaimportowano?\";\"Uwagi\"\r\n"));
        QVERIFY(log.contains("\"Nowak \"\"Ma\xB3y\"\"\""));
        QByteArray copy = log;
        QBuffer buffer(&copy);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        CsvSheet back;
        QVERIFY(back.read(buffer, QLatin1Char(';')));
        QCOMPARE(back.rowCount(), 3002);
        QCOMPARE(back.fields(2), (QStringList{"Q-1", "Nowak \"Mały\"", "dwie\r\nlinie; €", "Ok", ""}));
    }

    void importWindowTellsTheTruthAfterARollback()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("pracownicy.csv"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("R-1;Pierwszy\nR-2;Drugi\nR-3;Trzeci\n");
        f.close();
        TfImportPracownik window(*m_db);
        Dialogs::setNextAnswer(false);
        window.loadFile(csv);
        window.findChild<QComboBox*>(QStringLiteral("cb1"))->setCurrentIndex(1);
        window.findChild<QComboBox*>(QStringLiteral("cb3"))->setCurrentIndex(2);
        window.weryfikujClick();
        // Another workstation takes the second number after the verification.
        m_db->DatabaseMain().exec(
            QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO) VALUES ('R-2','Obcy')"));
        // The error box comes when the progress box is gone, so its OK can be clicked.
        bool progressAlive = true;
        ErrorLog::setDisplay([&](const QString& title, const QString& text) {
            progressAlive = !window.findChildren<QProgressDialog*>().isEmpty();
            Dialogs::info(title, text);
        });
        Dialogs::setNextAnswer(true);
        window.importujClick();
        ErrorLog::setDisplay({});
        QVERIFY(!progressAlive);
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW LIKE 'R-%'")), 1);
        const QStringList infos = infoTexts();
        QVERIFY(infos.at(infos.size() - 2).startsWith(QStringLiteral("Błąd bazy danych / ")));
        QCOMPARE(infos.last(),
                 QStringLiteral("Informacja / Operacja zakończona Podczas importu pojawiły się "
                                "błędy. Prosze sprawdzić ich opis w tabeli .CSV. Dodano wierszy: 0."));
        auto* grid = window.findChild<QTableView*>(QStringLiteral("CSV"));
        QCOMPARE(grid->model()->index(0, 2).data().toString(), QStringLiteral("Nie"));
        QCOMPARE(grid->model()->index(0, 3).data().toString(),
                 QStringLiteral("Nie zaimportowano: import wycofany po błędzie w wierszu 2 pliku"));
        QCOMPARE(grid->model()->index(1, 2).data().toString(), QStringLiteral("Błędy"));
        QCOMPARE(grid->model()->index(2, 2).data().toString(), QStringLiteral("Nie"));
        // The rest may be imported: the failed row stays out.
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("SBImportuj"))->isEnabled());
        Dialogs::setNextAnswer(true);
        window.importujClick();
        QCOMPARE(count(*m_db, QStringLiteral("SELECT COUNT(*) FROM osobowa WHERE NREW LIKE 'R-%'")), 3);
        QCOMPARE(grid->model()->index(0, 2).data().toString(), QStringLiteral("Ok"));
        QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("SBImportuj"))->isEnabled());
    }
};

QTEST_MAIN(TestMaintenanceWindows)
#include "test_maintenancewindows.moc"
