#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Clock.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "stocktaking/TfInwentaryzacja.h"
#include "store/AppState.h"
#include "store/SqlConnection.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// The stocktaking window as a user drives it: a session opened for a room,
// codes typed at a scanner's pace, codes that are not on the list, a number
// of two registers, closing with the move, two workstations, and the rights.
class TestInwentaryzacja : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempConfig> m_config;
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TmyDataBase> m_db;
    std::unique_ptr<TfInwentaryzacja> m_window;
    static constexpr int kRoom = 901;
    static constexpr int kStore = 902;
    static constexpr int kComputers = 60;

    template <typename T> T* find(QWidget* in, const char* name)
    {
        T* w = in->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString label(const char* name) { return find<QLabel>(m_window.get(), name)->text(); }
    QString value(const QString& sql)
    {
        Statement q(&m_db->DatabaseMain(), QString(), {sql});
        q.open();
        return q.isEmpty() ? QString() : q.textAt(0, 0);
    }
    static QString number(int i) { return QStringLiteral("INW/%1").arg(i, 3, 10, QLatin1Char('0')); }

    // Types like a scanner: every key of every code and its Enter queued at
    // once, before the window sees any of them.
    void scannerTypes(QWidget* field, const QStringList& codes)
    {
        for (const QString& code : codes) {
            for (const QChar c : code) {
                QCoreApplication::postEvent(
                    field, new QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c)));
                QCoreApplication::postEvent(
                    field, new QKeyEvent(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c)));
            }
            QCoreApplication::postEvent(field,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
            QCoreApplication::postEvent(field,
                                        new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Opens a session for the room through the window's own dialog.
    void openRoomSession()
    {
        ModalScript script;
        script.add(QStringLiteral("TfNowaInwentaryzacja"), [](QWidget* d) {
            auto* scope = d->findChild<QComboBox*>(QStringLiteral("cbZakres"));
            scope->setCurrentIndex(scope->findData(QStringLiteral("L")));
            auto* place = d->findChild<QComboBox*>(QStringLiteral("cbLokalizacja"));
            QVERIFY(place->isEnabled());
            QVERIFY(!d->findChild<QComboBox*>(QStringLiteral("cbOsoba"))->isEnabled());
            place->setCurrentIndex(place->findText(QStringLiteral("Pokój 12")));
            d->findChild<QPlainTextEdit*>(QStringLiteral("fKOMISJA"))
                ->setPlainText(QStringLiteral("Anna Żółć\n\nJan Kowalski\n"));
            d->findChild<QPushButton*>(QStringLiteral("SBZapisz"))->click();
        });
        find<QPushButton>(m_window.get(), "SBNowa")->click();
        QVERIFY(script.done());
        QVERIFY2(script.errors().isEmpty(), qPrintable(script.errors().join(QLatin1Char('\n'))));
    }

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Config::global().reset();
        m_database = std::make_unique<TestDatabase>();
        m_db = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*m_db));
        SqlConnection& c = m_db->DatabaseMain();
        c.exec(QStringLiteral("INSERT INTO slowniki (KOD,IDSLOWNIK,OPIS) VALUES (%1,'LOKAL','Pokój 12')")
                   .arg(kRoom));
        c.exec(QStringLiteral("INSERT INTO slowniki (KOD,IDSLOWNIK,OPIS) VALUES (%1,'LOKAL','Magazyn')")
                   .arg(kStore));
        c.exec(QStringLiteral("INSERT INTO osobowa (NREW,NAZWISKO,IMIE) VALUES ('P1','Nowak','Ewa')"));
        c.exec(QStringLiteral("BEGIN"));
        for (int i = 1; i <= kComputers; ++i)
            c.exec(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                                  "VALUES ('%1','Komputer %2',%3,'P1','N')")
                       .arg(number(i))
                       .arg(i)
                       .arg(kRoom));
        c.exec(QStringLiteral("COMMIT"));
        c.exec(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,LOKALIZACJA,NREW,ARCHIWUM) "
                              "VALUES ('MAG-1','Laptop z magazynu',%1,'P1','N')")
                   .arg(kStore));
        c.exec(QStringLiteral("INSERT INTO komputery (NREWID,NAZWA,LOKALIZACJA,ARCHIWUM) "
                              "VALUES ('WSPÓLNY-1','Komputer wspólny',%1,'N')")
                   .arg(kStore));
        c.exec(QStringLiteral("INSERT INTO sprzet (NREWID,NAZWA,LOKALIZACJA,ARCHIWUM) "
                              "VALUES ('WSPÓLNY-1','Skaner wspólny',%1,'N')")
                   .arg(kStore));
        AppState::instance().currentUser = QStringLiteral("ADMIN");
        AppState::instance().rights.fill(true);
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        Dialogs::startScript();
        m_window = std::make_unique<TfInwentaryzacja>(*m_db);
        m_window->setWorkstation(QStringLiteral("biuro-1"));
        QVERIFY(m_window->prepare());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        Dialogs::stopScript();
        Clock::setFixed(QDateTime());
        AppState::instance().logout();
        m_db.reset();
        m_database.reset();
        m_config.reset();
    }

    void aRoomCountedAtAScannersPace()
    {
        QVERIFY(!find<QLineEdit>(m_window.get(), "fKOD")->isEnabled()); // no session yet
        openRoomSession();
        QCOMPARE(label("labOczekiwane"), QStringLiteral("Oczekiwane: %1").arg(kComputers));
        QVERIFY(label("labOpis").contains(QStringLiteral("Anna Żółć, Jan Kowalski")));
        auto* field = find<QLineEdit>(m_window.get(), "fKOD");
        QVERIFY(field->isEnabled());
        // Back in the window, the scanner types into the code field.
        QCOMPARE(m_window->focusWidget(), field);

        // Every second computer, one of them twice, one from the store, an
        // unknown code, an empty read: all typed before the window answers.
        QStringList codes;
        for (int i = 2; i <= kComputers; i += 2)
            codes << number(i);
        codes << number(2) << QStringLiteral("MAG-1") << QStringLiteral("NIE-MA-1") << QString();
        scannerTypes(field, codes);

        const int half = kComputers / 2;
        QCOMPARE(label("labZnalezione"), QStringLiteral("Znalezione: %1").arg(half));
        QCOMPARE(label("labBrakujace"), QStringLiteral("Brakujące: %1").arg(kComputers - half));
        QCOMPARE(label("labPozaSpisem"), QStringLiteral("Poza spisem: 2"));
        QCOMPARE(field->text(), QString());
        QCOMPARE(label("labWynik"), QStringLiteral("Pusty odczyt – zeskanuj ponownie."));
        // In the database: each computer once, the repeated one with two scans.
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje_pozycje WHERE ZNALEZIONA='T' AND "
                                      "OCZEKIWANA='T'")),
                 QString::number(half));
        QCOMPARE(
            value(
                QStringLiteral("SELECT SKANY FROM inwentaryzacje_pozycje WHERE NREWID='%1'").arg(number(2))),
            QStringLiteral("2"));
        auto* outside = find<QTableView>(m_window.get(), "PozaSpisemGrid");
        QCOMPARE(outside->model()->rowCount(), 2);
        QCOMPARE(outside->model()->index(0, 0).data().toString(), QStringLiteral("MAG-1"));
        QCOMPARE(outside->model()->index(0, 3).data().toString(), QStringLiteral("Magazyn"));
        QCOMPARE(outside->model()->index(1, 2).data().toString(), QStringLiteral("nieznany numer"));
        auto* expected = find<QTableView>(m_window.get(), "InwentaryzacjaGrid");
        QCOMPARE(expected->model()->index(1, 5).data().toString(), QStringLiteral("tak"));
        QCOMPARE(expected->model()->index(0, 5).data().toString(), QStringLiteral("nie"));
        QCOMPARE(expected->model()->index(1, 7).data().toString(), QStringLiteral("biuro-1"));

        // A number typed by hand with Polish letters, of two registers: put
        // aside for a choice, scanning goes on meanwhile.
        for (const QChar c : QStringLiteral("WSPÓLNY-1"))
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(label("labWynik").contains(QStringLiteral("wybierz")));
        auto* toChoose = find<QComboBox>(m_window.get(), "cbDoWyboru");
        QCOMPARE(toChoose->count(), 1);
        QVERIFY(find<QPushButton>(m_window.get(), "SBWybierz")->isEnabled());
        ModalScript script;
        script.add(QStringLiteral("TfWyborSkladnika"), [](QWidget* d) {
            auto* input = qobject_cast<QInputDialog*>(d);
            QVERIFY(input->comboBoxItems().value(1).contains(QStringLiteral("Skaner wspólny")));
            input->setTextValue(input->comboBoxItems().value(1));
            input->accept();
        });
        find<QPushButton>(m_window.get(), "SBWybierz")->click();
        QVERIFY(script.done());
        QCOMPARE(toChoose->count(), 0);
        QCOMPARE(label("labPozaSpisem"), QStringLiteral("Poza spisem: 3"));
        QCOMPARE(outside->model()->index(2, 2).data().toString(), QStringLiteral("Inny sprzęt"));
    }

    void closingMovesWhatWasFoundElsewhere()
    {
        openRoomSession();
        auto* field = find<QLineEdit>(m_window.get(), "fKOD");
        scannerTypes(field, {number(1), QStringLiteral("MAG-1")});
        ModalScript script;
        script.add(QStringLiteral("TfZamknijInwentaryzacje"), [](QWidget* d) {
            auto* move = d->findChild<QCheckBox*>(QStringLiteral("cbPrzenies"));
            QVERIFY(move->isEnabled());
            move->setChecked(true);
            d->findChild<QPushButton*>(QStringLiteral("SBZapisz"))->click();
        });
        find<QPushButton>(m_window.get(), "SBZamknij")->click();
        QVERIFY(script.done());
        QCOMPARE(value(QStringLiteral("SELECT LOKALIZACJA FROM komputery WHERE NREWID='MAG-1'")),
                 QString::number(kRoom));
        QCOMPARE(value(QStringLiteral("SELECT MIEJSCE FROM historia")), QStringLiteral("Pokój 12"));
        QVERIFY(!field->isEnabled());
        QVERIFY(!find<QPushButton>(m_window.get(), "SBZamknij")->isEnabled());
        QVERIFY(find<QComboBox>(m_window.get(), "cbSesja")
                    ->currentText()
                    .contains(QStringLiteral("(zamknięta)")));
        QVERIFY(find<QPushButton>(m_window.get(), "SBArkusz")->isEnabled());
        QCOMPARE(find<QTableView>(m_window.get(), "PozaSpisemGrid")->model()->index(0, 5).data().toString(),
                 QStringLiteral("tak"));
    }

    void twoWorkstationsOnOneSession()
    {
        openRoomSession();
        auto other = std::make_unique<TmyDataBase>();
        QVERIFY(m_database->connect(*other));
        TfInwentaryzacja second(*other);
        second.setWorkstation(QStringLiteral("biuro-2"));
        QVERIFY(second.prepare());
        QCOMPARE(second.currentSession(), m_window->currentSession());
        second.show();
        scannerTypes(find<QLineEdit>(&second, "fKOD"), {number(5), number(6)});
        scannerTypes(find<QLineEdit>(m_window.get(), "fKOD"), {number(6), number(7)});
        // The first window learns of the second's scans at its next look.
        QCOMPARE(label("labZnalezione"), QStringLiteral("Znalezione: 2"));
        m_window->refreshChanges();
        QCOMPARE(label("labZnalezione"), QStringLiteral("Znalezione: 3"));
        second.refreshChanges();
        QCOMPARE(find<QLabel>(&second, "labZnalezione")->text(), QStringLiteral("Znalezione: 3"));
        auto* grid = find<QTableView>(m_window.get(), "InwentaryzacjaGrid");
        QCOMPARE(grid->model()->index(4, 7).data().toString(), QStringLiteral("biuro-2"));
        // Number 6: found by the second, the first's scan counted as a repeat.
        QCOMPARE(grid->model()->index(5, 7).data().toString(), QStringLiteral("biuro-2"));
        QCOMPARE(grid->model()->index(5, 8).data().toInt(), 2);
        second.hide();
        other.reset();
    }

    void rightsGovernWhatTheUserMayDo()
    {
        openRoomSession();
        AppState::instance().rights.fill(false);
        AppState::instance().rights[30] = true;
        QVERIFY(m_window->prepare());
        QVERIFY(!find<QLineEdit>(m_window.get(), "fKOD")->isEnabled());
        QVERIFY(!find<QPushButton>(m_window.get(), "SBNowa")->isEnabled());
        QVERIFY(!find<QPushButton>(m_window.get(), "SBZamknij")->isEnabled());
        QVERIFY(!find<QPushButton>(m_window.get(), "SBUsun")->isEnabled());
        QVERIFY(find<QPushButton>(m_window.get(), "SBArkusz")->isEnabled());
        QVERIFY(find<QPushButton>(m_window.get(), "SBRoznice")->isEnabled());
    }

    void aSessionIsRemovedOnlyAfterTheQuestion()
    {
        openRoomSession();
        Dialogs::setNextAnswer(false);
        find<QPushButton>(m_window.get(), "SBUsun")->click();
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje")), QStringLiteral("1"));
        Dialogs::setNextAnswer(true);
        find<QPushButton>(m_window.get(), "SBUsun")->click();
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje")), QStringLiteral("0"));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM inwentaryzacje_pozycje")), QStringLiteral("0"));
        QVERIFY(label("labOpis").startsWith(QStringLiteral("Brak inwentaryzacji")));
    }
};

QTEST_MAIN(TestInwentaryzacja)
#include "test_inwentaryzacja.moc"
