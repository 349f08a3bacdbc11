// Another workstation on the same database folder (a second data module)
// while this one works in its windows: deletes a record open in an editor,
// restores an archive under the open lists, or is present when this one
// restores, packs or empties.
#include "EditorTest.h"
#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Dialogs.h"
#include "editors/TfKomputery.h"
#include "maintenance/DatabaseSnapshot.h"
#include "maintenance/OtherWorkstations.h"
#include "maintenance/TfAdministracjaBaza.h"
#include "maintenance/TfArchiwum.h"
#include "registers/TfMain.h"
#include "shell/RecordCommands.h"
#include "store/AppState.h"
#include "store/DatabaseLocation.h"
#include "store/FileIdentity.h"
#include "store/RowGone.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"
#include "widgets/DatabaseReplacedNotice.h"
#include "widgets/ListModel.h"
#include "widgets/Lookup.h"

#include <QComboBox>
#include <QFileInfo>
#include <QTabWidget>
#include <QTest>

using namespace EditorTest;

namespace {
QStringList infoTexts()
{
    QStringList out;
    for (const Dialogs::Shown& s : Dialogs::shown())
        if (s.kind == Dialogs::Kind::Info)
            out << s.title + QStringLiteral(" / ") + s.text;
    return out;
}

QStringList questions()
{
    QStringList out;
    for (const Dialogs::Shown& s : Dialogs::shown())
        if (s.kind == Dialogs::Kind::Question)
            out << s.text;
    return out;
}
} // namespace

class TestSecondWorkstation : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;    // this workstation
    std::unique_ptr<TmyDataBase> m_other; // the other one
    const QString kList = QStringLiteral("DBFKomputery");

    QString live() const { return TmyDataBase::databaseFile(m_database->dir()); }
    QString scalar(TmyDataBase& db, const QString& sql) { return EditorTest::scalar(db, sql); }

private slots:
    void initTestCase() { Dialogs::install(); }
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        m_database = std::make_unique<TestDatabase>(true);
        m_db = std::make_unique<TmyDataBase>();
        m_other = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        QVERIFY(m_database->connect(*m_other));
        QVERIFY(m_db->reloadList(kList));
        DatabaseLocation::global().set(m_database->dir(), m_database->password());
        AppState::instance().rights.fill(true);
        Dialogs::startScript();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        AppState::instance().rights.fill(false);
        m_other.reset();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    // The computer editor closed as if saved and changed nothing; a deadline
    // added on its tab meanwhile was stored for the deleted computer.
    void saveIntoAComputerDeletedElsewhere()
    {
        TfKomputery editor(*m_db);
        RecordCommands commands(*m_db, editor);
        QVERIFY(m_db->locate(kList, {2}));
        ModalScript script;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            // The other workstation deletes the computer with its properties.
            m_other->DatabaseMain().exec(
                QStringLiteral("DELETE FROM komputery WHERE IDKOMPUTERA=2; "
                               "DELETE FROM wlasciwosci WHERE KOMPSPRZET='K' AND IDOBIEKTU=2"));
            child<QTabWidget>(w, "PageControl1")->setCurrentIndex(TfKomputery::Terminy);
            click(w, "TerminyDodaj");
            setText(w, "fNAZWA", QStringLiteral("Po usunięciu"));
            setText(w, "wlK1", QStringLiteral("i9"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfTerminy"), [&](QWidget* w) {
            child<Lookup>(w, "fKLASYFIKATOR")->setKey(37);
            setText(w, "fDATAOD", date("10-05-2024"));
            setText(w, "fDATADO", date("10-06-2024"));
            setText(w, "fOPIS", QStringLiteral("Przegląd"));
            click(w, "SBZapisz");
        });
        QVERIFY(commands.edit(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QCOMPARE(script.errors(), QStringList());
        QCOMPARE(infoTexts(), QStringList({QStringLiteral("Błąd bazy danych / ") + RowGone::ownerText(),
                                           QStringLiteral("Błąd bazy danych / ") + RowGone::recordText()}));
        // Nothing under the lost key, in either table.
        QCOMPARE(scalar(*m_other, QStringLiteral("SELECT count(*) FROM terminy WHERE CZEGODOTYCZY='K' AND "
                                                 "IDOBIEKTU=2")),
                 QStringLiteral("0"));
        QCOMPARE(scalar(*m_other, QStringLiteral("SELECT count(*) FROM komputery WHERE IDKOMPUTERA=2 OR "
                                                 "NAZWA='Po usunięciu'")),
                 QStringLiteral("0"));
        QCOMPARE(scalar(*m_other, QStringLiteral("SELECT count(*) FROM wlasciwosci WHERE KOMPSPRZET='K' AND "
                                                 "IDOBIEKTU=2")),
                 QStringLiteral("0"));
        // The list no longer offers it.
        const Statement& list = m_db->statement(kList);
        for (int row = 0; row < list.recordCount(); ++row)
            QVERIFY(list.integerAt(row, list.fieldIndex(QStringLiteral("IDKOMPUTERA"))) != 2);
        QVERIFY(m_config->logLines().last().endsWith(RowGone::recordText()));
    }

    // Both workstations add a computer at once, each in its editor: the other
    // saves while this one is typing. Each gets its own key, its own property
    // rows and its list's cursor on its own computer; an edit and a delete
    // made meanwhile by the other are both kept.
    void bothAddEditAndDeleteAtOnce()
    {
        QVERIFY(m_other->reloadList(kList));
        TfKomputery editor(*m_db);
        RecordCommands commands(*m_db, editor);
        TfKomputery otherEditor(*m_other);
        RecordCommands otherCommands(*m_other, otherEditor);
        const QString before = scalar(*m_other, QStringLiteral("SELECT MAX(IDKOMPUTERA) FROM komputery"));
        auto fill = [](QWidget* w, const QString& number) {
            setText(w, "fNREWID", number);
            setText(w, "fNAZWA", QStringLiteral("Stanowisko ") + number);
            child<Lookup>(w, "fNREW")->setKey(QStringLiteral("P005"));
            child<Lookup>(w, "fSTANTECH")->setCurrentIndex(0);
        };
        ModalScript script;
        const auto ours = [&](QWidget* w) { return w == &editor; };
        const auto others = [&](QWidget* w) { return w == &otherEditor; };
        const auto save = [](QWidget* w) { click(w, "SBZapisz"); };
        script.add(QStringLiteral("TfKomputery"), ours, [&](QWidget* w) {
            fill(w, QStringLiteral("KOMP/A"));
            // Meanwhile the other workstation adds its own, renames one and deletes another.
            QVERIFY(otherCommands.add(QStringLiteral("komputery")));
            m_other->DatabaseMain().exec(QStringLiteral("UPDATE komputery SET NAZWA='Zmieniony' WHERE "
                                                        "IDKOMPUTERA=3; DELETE FROM komputery WHERE "
                                                        "IDKOMPUTERA=4"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfKomputery"), others, [&](QWidget* w) {
            fill(w, QStringLiteral("KOMP/B"));
            click(w, "SBZapisz");
        });
        script.add(QStringLiteral("TfKomputery"), others, save); // its full editor after the save
        script.add(QStringLiteral("TfKomputery"), ours, save);
        QVERIFY(commands.add(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QVERIFY2(script.errors().isEmpty(), qPrintable(script.errors().join(QLatin1Char('\n'))));
        QCOMPARE(infoTexts(), QStringList());

        const QString keyA =
            scalar(*m_other, QStringLiteral("SELECT IDKOMPUTERA FROM komputery WHERE NREWID='KOMP/A'"));
        const QString keyB =
            scalar(*m_other, QStringLiteral("SELECT IDKOMPUTERA FROM komputery WHERE NREWID='KOMP/B'"));
        QVERIFY(keyA.toLongLong() > before.toLongLong());
        QVERIFY(keyB.toLongLong() > before.toLongLong());
        QVERIFY(keyA != keyB);
        for (const QString& key : {keyA, keyB})
            QCOMPARE(
                scalar(*m_other, QStringLiteral("SELECT COUNT(*) FROM wlasciwosci WHERE KOMPSPRZET='K' AND "
                                                "IDOBIEKTU=") +
                                     key),
                QStringLiteral("14"));
        // Each list stands on the computer its own workstation added.
        QCOMPARE(QString::number(m_db->statement(kList).integer(QStringLiteral("IDKOMPUTERA"))), keyA);
        QCOMPARE(QString::number(m_other->statement(kList).integer(QStringLiteral("IDKOMPUTERA"))), keyB);
        // Nothing of the other's work was lost by this one's save.
        QCOMPARE(scalar(*m_db, QStringLiteral("SELECT NAZWA FROM komputery WHERE IDKOMPUTERA=3")),
                 QStringLiteral("Zmieniony"));
        QCOMPARE(scalar(*m_db, QStringLiteral("SELECT COUNT(*) FROM komputery WHERE IDKOMPUTERA=4")),
                 QStringLiteral("0"));
        QVERIFY(m_db->reloadList(kList));
        QVERIFY(m_db->locate(kList, {keyB.toLongLong()}));
    }

    // The restore renamed its file over the live one; this workstation kept
    // the deleted file, showed removed rows and lost the record being typed.
    void restoreElsewhereUnderAnOpenListAndEditor()
    {
        if (m_database->onServer())
            QSKIP("an archive restored over the database file");
        DatabaseReplacedNotice notice(*m_db);
        TfMain main(nullptr, m_db.get());
        Rights all;
        all.fill(true);
        main.applyRights(all);
        main.show();
        main.SBKomputeryClick();
        ListModel* model = main.listModel(kList);
        const int computers = model->rowCount();
        QVERIFY(computers > 2);
        // The other workstation archives, then adds a computer the restore will take back.
        QTemporaryDir archiveDir;
        const QString archive = archiveDir.filePath(kDatabaseFileName);
        DatabaseSnapshot::write(m_other->DatabaseMain(), m_database->password(), archive);
        m_other->DatabaseMain().exec(
            QStringLiteral("INSERT INTO komputery (NREWID,NAZWA) VALUES ('KOMP/TMP','x')"));
        main.reloadCurrent();
        QCOMPARE(model->rowCount(), computers + 1);

        TfKomputery editor(*m_db);
        RecordCommands commands(*m_db, editor);
        QVERIFY(m_db->locate(kList, {2}));
        ModalScript script;
        script.add(QStringLiteral("TfKomputery"), [&](QWidget* w) {
            QCOMPARE(
                DatabaseSnapshot::restore(*m_other, archive, m_database->password(), m_database->password()),
                DatabaseSnapshot::RestoreFailure::None);
            setText(w, "fNAZWA", QStringLiteral("Wpisana podczas odtwarzania"));
            click(w, "SBZapisz");
        });
        QVERIFY(commands.edit(QStringLiteral("komputery")));
        QVERIFY(script.done());
        QTRY_COMPARE(infoTexts(),
                     QStringList{QStringLiteral("Informacja / ") + TmyDataBase::restoredElsewhereText()});
        // The save is in the restored file, and the list shows that file.
        QCOMPARE(scalar(*m_other, QStringLiteral("SELECT NAZWA FROM komputery WHERE IDKOMPUTERA=2")),
                 QStringLiteral("Wpisana podczas odtwarzania"));
        QCOMPARE(scalar(*m_other, QStringLiteral("SELECT count(*) FROM komputery WHERE NREWID='KOMP/TMP'")),
                 QStringLiteral("0"));
        QCOMPARE(model->rowCount(), computers);
        for (const Dialogs::Shown& s : Dialogs::shown())
            QVERIFY2(!s.text.contains(QStringLiteral("tylko do odczytu")), qPrintable(s.text));
    }

    void restorePackAndEmptyingAskWhileAnotherIsConnected()
    {
        if (m_database->onServer())
            QSKIP("archive, pack and the marks of workstations are of the database file");
        QTemporaryDir archiveDir;
        TfArchiwum archive(*m_db);
        archive.setSelectedFolder(archiveDir.path());
        archive.stworzClick();
        QVERIFY(infoTexts().last().endsWith(QStringLiteral("Archiwum zostało stworzone.")));
        m_db->DatabaseMain().exec(QStringLiteral("DELETE FROM komputery; DELETE FROM wlasciwosci"));
        const FileIdentity before = FileIdentity::of(live());
        const qint64 size = QFileInfo(live()).size();
        const QString restoreQuestion =
            OtherWorkstations::questionText(1, OtherWorkstations::Operation::Restore);
        QVERIFY(restoreQuestion.startsWith(
            QStringLiteral("Z bazą danych pracuje teraz jeszcze 1 inne stanowisko.")));

        // "No": nothing happens, nothing more is asked.
        const int shownBefore = int(Dialogs::shown().size());
        Dialogs::setNextAnswer(false);
        archive.odtworzClick();
        TfAdministracjaBaza administration(*m_db);
        Dialogs::setNextAnswer(false);
        administration.optymalizujClick();
        Dialogs::setNextAnswer(false);
        administration.wyczyscClick();
        QCOMPARE(Dialogs::shown().mid(shownBefore).size(), 3);
        QCOMPARE(questions().mid(questions().size() - 3),
                 QStringList({restoreQuestion,
                              OtherWorkstations::questionText(1, OtherWorkstations::Operation::Pack),
                              OtherWorkstations::questionText(1, OtherWorkstations::Operation::Emptying)}));
        QVERIFY(FileIdentity::of(live()) == before);
        QCOMPARE(QFileInfo(live()).size(), size);
        QVERIFY(scalar(*m_db, QStringLiteral("SELECT count(*) FROM osobowa")).toInt() > 0);

        // The administrator goes on: each is done, safely for the other.
        Dialogs::setNextAnswer(true);
        administration.optymalizujClick();
        QCOMPARE(infoTexts().last(),
                 QStringLiteral("Informacja / Optymalizacja zakończyła się powodzeniem."));
        QVERIFY(QFileInfo(live()).size() < size);
        for (int i = 0; i < 3; ++i)
            Dialogs::setNextAnswer(true);
        archive.odtworzClick();
        QVERIFY(infoTexts().last().startsWith(QStringLiteral("Informacje / Operacja przebiegła pomyślnie.")));
        QVERIFY(scalar(*m_db, QStringLiteral("SELECT count(*) FROM komputery")).toInt() > 0);
        QVERIFY(m_other->reloadList(kList));
        QVERIFY(m_other->statement(kList).recordCount() > 0);

        // Alone again: only the usual question.
        m_other->disconnect();
        const int asked = int(questions().size());
        administration.findChild<QComboBox*>(QStringLiteral("tabela"))
            ->setCurrentText(QStringLiteral("Notatnik"));
        Dialogs::setNextAnswer(true);
        administration.wyczyscClick();
        QCOMPARE(questions().size(), asked + 1);
        QCOMPARE(infoTexts().last(), QStringLiteral("Informacja / Zbiór został wyczyszczony."));
    }

    void howManyIsSaidInPolish_data()
    {
        QTest::addColumn<int>("others");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1 << "Z bazą danych pracuje teraz jeszcze 1 inne stanowisko.";
        QTest::newRow("2") << 2 << "Z bazą danych pracują teraz jeszcze 2 inne stanowiska.";
        QTest::newRow("4") << 4 << "Z bazą danych pracują teraz jeszcze 4 inne stanowiska.";
        QTest::newRow("5") << 5 << "Z bazą danych pracuje teraz jeszcze 5 innych stanowisk.";
        QTest::newRow("12") << 12 << "Z bazą danych pracuje teraz jeszcze 12 innych stanowisk.";
        QTest::newRow("22") << 22 << "Z bazą danych pracują teraz jeszcze 22 inne stanowiska.";
    }
    void howManyIsSaidInPolish()
    {
        QFETCH(int, others);
        QFETCH(QString, text);
        QCOMPARE(OtherWorkstations::countText(others), text);
    }
};

QTEST_MAIN(TestSecondWorkstation)
#include "test_secondworkstation.moc"
