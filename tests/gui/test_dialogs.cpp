#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "base/ErrorLogCommand.h"
#include "base/ErrorLogViewer.h"
#include "base/SprzetnikApplication.h"
#include "base/TinfoDBProblem.h"
#include "base/TinfoForm.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {
// Runs act on the modal dialog as soon as it is up. A dialog that act leaves
// open is rejected, so that a failing case fails instead of hanging.
class ModalDriver
{
public:
    explicit ModalDriver(std::function<void(QDialog*)> act) : m_act(std::move(act)), m_deadline(5000)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    bool seen = false;
    bool leftOpen = false;

private:
    void poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog && !m_deadline.hasExpired())
            return;
        m_timer.stop();
        if (!dialog)
            return;
        seen = true;
        QPointer<QDialog> guard = dialog;
        m_act(dialog);
        if (guard && guard->isVisible()) {
            leftOpen = true;
            guard->reject();
        }
    }

    std::function<void(QDialog*)> m_act;
    QDeadlineTimer m_deadline;
    QTimer m_timer;
};

void pressKey(QDialog* dialog, Qt::Key key)
{
    QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

QString labelText(QWidget* dialog, const char* name)
{
    auto* label = dialog->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

QString buttonText(QWidget* dialog, const char* name)
{
    auto* button = dialog->findChild<QPushButton*>(QLatin1String(name));
    return button ? button->text() : QStringLiteral("<no button %1>").arg(QLatin1String(name));
}

const QString kLogTime = QStringLiteral("2024.05.06 07:08:09  ");
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Clock::setFixed(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
        Dialogs::install();
    }
    void cleanup()
    {
        Dialogs::stopScript();
        SprzetnikApplication::setClosing(false);
        ErrorLog::setDisplay({});
        Clock::setFixed({});
        m_config.reset();
    }

    void infoBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void infoBox()
    {
        QFETCH(int, key);
        const QString text = QStringLiteral("Zapisano zmiany. ") + QString(60, QLatin1Char('x'));
        ModalDriver driver([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Informacja"));
            QCOMPARE(labelText(dialog, "Tekst"), text);
            QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("Tekst"))->wordWrap());
            QCOMPARE(buttonText(dialog, "SBOk"), QStringLiteral("  &OK    "));
            pressKey(dialog, Qt::Key(key));
        });
        Dialogs::info(QStringLiteral("Informacja"), text);
        QVERIFY(driver.seen);
        QVERIFY(!driver.leftOpen);
    }

    void questionBox_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("answer");
        QTest::newRow("Enter") << "Enter" << true;
        QTest::newRow("Esc") << "Esc" << false;
        QTest::newRow("Tak") << "SBTak" << true;
        QTest::newRow("Nie") << "SBNie" << false;
        QTest::newRow("window closed") << "close" << false;
    }
    void questionBox()
    {
        QFETCH(QString, action);
        QFETCH(bool, answer);
        ModalDriver driver([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Pytanie"));
            QCOMPARE(labelText(dialog, "Tekst"), QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
            QCOMPARE(buttonText(dialog, "SBTak"), QStringLiteral("  &Tak   "));
            QCOMPARE(buttonText(dialog, "SBNie"), QStringLiteral("  &Nie   "));
            if (action == QLatin1String("Enter"))
                pressKey(dialog, Qt::Key_Return);
            else if (action == QLatin1String("Esc"))
                pressKey(dialog, Qt::Key_Escape);
            else if (action == QLatin1String("close"))
                dialog->close();
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(action), Qt::LeftButton);
        });
        const bool yes = Dialogs::question(QStringLiteral("Pytanie"),
                                           QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
        QVERIFY(driver.seen);
        QVERIFY(!driver.leftOpen);
        QCOMPARE(yes, answer);
    }

    void promptBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Enter accepts") << int(Qt::Key_Return) << true;
        QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << false;
    }
    void promptBox()
    {
        QFETCH(int, key);
        QFETCH(bool, accepted);
        ModalDriver driver([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Nazwa"));
            QCOMPARE(labelText(dialog, "Tekst"), QStringLiteral("Podaj nazwę lokalizacji:"));
            QCOMPARE(buttonText(dialog, "SBOk"), QStringLiteral("  &Ok   "));
            QCOMPARE(buttonText(dialog, "SBAnuluj"), QStringLiteral("  &Anuluj   "));
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("wynik"));
            QVERIFY(field);
            QCOMPARE(field->text(), QStringLiteral("Biuro"));
            QCOMPARE(field->selectedText(), QStringLiteral("Biuro"));
            QCOMPARE(dialog->focusWidget(), field);
            QCOMPARE(field->echoMode(), QLineEdit::Normal);
            // Typing replaces the selected preset.
            QTest::keyClicks(field, QStringLiteral("Magazyn "));
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QStringLiteral("ł"), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QStringLiteral("ł"), Qt::NoModifier);
            pressKey(dialog, Qt::Key(key));
        });
        QString value = QStringLiteral("Biuro");
        const bool ok =
            Dialogs::prompt(QStringLiteral("Nazwa"), QStringLiteral("Podaj nazwę lokalizacji:"), value);
        QVERIFY(driver.seen);
        QVERIFY(!driver.leftOpen);
        QCOMPARE(ok, accepted);
        // The field is read after the call either way.
        QCOMPARE(value, QStringLiteral("Magazyn ł"));
    }

    void promptPasswordForNextCallOnly()
    {
        QList<QLineEdit::EchoMode> modes;
        QList<int> maskChars;
        const auto readMode = [&](QDialog* dialog) {
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("wynik"));
            QVERIFY(field);
            modes.append(field->echoMode());
            maskChars.append(
                field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field));
            pressKey(dialog, Qt::Key_Return);
        };
        Dialogs::setNextPromptPassword();
        ModalDriver first(readMode);
        QString value;
        QVERIFY(Dialogs::prompt(QStringLiteral("Hasło"), QStringLiteral("Podaj hasło:"), value));
        QVERIFY(first.seen);
        ModalDriver second(readMode);
        QVERIFY(Dialogs::prompt(QStringLiteral("Nazwa"), QStringLiteral("Podaj nazwę:"), value));
        QVERIFY(second.seen);
        QCOMPARE(modes, (QList<QLineEdit::EchoMode>{QLineEdit::Password, QLineEdit::Normal}));
        QCOMPARE(maskChars.value(0), int('*'));
    }

    void dbProblemDialog_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("Dalej") << "SBDalej";
    }
    void dbProblemDialog()
    {
        QFETCH(QString, action);
        const QString dbDir = QStringLiteral("/srv/sprzetnik/baza");
        QStringList lines;
        ModalDriver driver([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Informacja"));
            QCOMPARE(labelText(dialog, "Naglowek"), QStringLiteral("Problem z połączeniem z bazą ..."));
            QCOMPARE(buttonText(dialog, "SBDalej"), QStringLiteral("Dalej >>"));
            QVERIFY(labelText(dialog, "Link")
                        .contains(QStringLiteral("Przeczytaj jak skonfigurować uprawnienia systemowe")));
            lines = labelText(dialog, "Tekst").split(QLatin1Char('\n'));
            if (action == QLatin1String("Enter"))
                pressKey(dialog, Qt::Key_Return);
            else if (action == QLatin1String("Esc"))
                pressKey(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(action), Qt::LeftButton);
        });
        Dialogs::dbProblem(dbDir);
        QVERIFY(driver.seen);
        QVERIFY(!driver.leftOpen);
        const QStringList expected{
            QStringLiteral("Wystąpił problem z połączeniem z bazą danych. Może być to spowodowane przez:"),
            QStringLiteral("* Błędne hasło"),
            QStringLiteral("lub"),
            QStringLiteral("* Brak odpowiednich uprawnień systemowych"),
            QStringLiteral("Program potrzebuje uprawnień do:"),
            QStringLiteral("   - folderu bazy danych (") + QDir::toNativeSeparators(dbDir) +
                QStringLiteral(")"),
            QStringLiteral("   - folderu konfiguracji programu (") +
                QDir::toNativeSeparators(m_config->path()) + QStringLiteral(")"),
            QStringLiteral("* Spróbuj uruchomić program w trybie \"Jako Administrator\" "),
            QStringLiteral("lub"),
            QStringLiteral("* Sprawdź uprawnienia (jest to najczęstrza przyczyna)."),
            QStringLiteral("Kliknij przycisk poniżej by dowiedzieć się więcej:"),
        };
        QCOMPARE(lines, expected);
    }

    void dbProblemLinkOpensManual()
    {
        Dialogs::startScript();
        TinfoDBProblem dialog;
        auto* link = dialog.findChild<QLabel*>(QStringLiteral("Link"));
        QVERIFY(link);
        emit link->linkActivated(QStringLiteral("manual"));
        const QUrl manual =
            QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                QStringLiteral("/dokumentacja/Konfiguracja-uprawnien-Sprzetnik.pdf"));
        QCOMPARE(Dialogs::openedUrls(), QList<QUrl>{manual});
    }

    void scriptAnswersInOrderAndRecords()
    {
        Dialogs::setNextAnswer(true);
        Dialogs::setNextAnswer(false);
        Dialogs::setNextText(QStringLiteral("Łódź"));
        Dialogs::setNextCancel();
        Dialogs::setNextFileName(QStringLiteral("/tmp/lista.csv"));
        QVERIFY(Dialogs::isScripted());

        QCOMPARE(Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Q1")), true);
        QCOMPARE(Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Q2")), false);
        QTest::ignoreMessage(QtWarningMsg, "Dialogs: no scripted answer for \"Pytanie\"");
        QCOMPARE(Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Q3")), false); // none left
        QCOMPARE(Dialogs::unanswered(), 1);

        QString value = QStringLiteral("stare");
        Dialogs::setNextPromptPassword();
        QCOMPARE(Dialogs::prompt(QStringLiteral("Hasło"), QStringLiteral("P1"), value), true);
        QCOMPARE(value, QStringLiteral("Łódź"));
        QCOMPARE(Dialogs::prompt(QStringLiteral("Nazwa"), QStringLiteral("P2"), value), false);
        QCOMPARE(value, QStringLiteral("Łódź"));

        QCOMPARE(Dialogs::saveFileName(nullptr, QStringLiteral("Eksport"), QStringLiteral("/home")),
                 QStringLiteral("/tmp/lista.csv"));
        QTest::ignoreMessage(QtWarningMsg, "Dialogs: no scripted answer for \"Import\"");
        QCOMPARE(Dialogs::openFileName(nullptr, QStringLiteral("Import"), QStringLiteral("/srv")), QString());
        QCOMPARE(Dialogs::unanswered(), 2);

        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("I1"));
        Dialogs::dbProblem();
        QVERIFY(Dialogs::openUrl(QUrl(QStringLiteral("mailto:serwis@example.com"))));

        const QList<Dialogs::Shown> shown = Dialogs::shown();
        QCOMPARE(shown.size(), 9);
        QStringList texts;
        QList<Dialogs::Kind> kinds;
        for (const Dialogs::Shown& s : shown) {
            texts.append(s.title + QLatin1Char('/') + s.text);
            kinds.append(s.kind);
        }
        QCOMPARE(texts.mid(0, 8), (QStringList{"Pytanie/Q1", "Pytanie/Q2", "Pytanie/Q3", "Hasło/P1",
                                               "Nazwa/P2", "Eksport//home", "Import//srv", "Informacja/I1"}));
        QCOMPARE(kinds, (QList<Dialogs::Kind>{
                            Dialogs::Kind::Question, Dialogs::Kind::Question, Dialogs::Kind::Question,
                            Dialogs::Kind::Prompt, Dialogs::Kind::Prompt, Dialogs::Kind::SaveFile,
                            Dialogs::Kind::OpenFile, Dialogs::Kind::Info, Dialogs::Kind::DbProblem}));
        QCOMPARE(shown[3].password, true);
        QCOMPARE(shown[4].password, false);
        QCOMPARE(Dialogs::openedUrls(), QList<QUrl>{QUrl(QStringLiteral("mailto:serwis@example.com"))});

        Dialogs::stopScript();
        QVERIFY(!Dialogs::isScripted());
        QVERIFY(Dialogs::shown().isEmpty());
        QCOMPARE(Dialogs::unanswered(), 0);
    }

    void reporterShowsBoxThroughService()
    {
        Dialogs::startScript();
        ErrorLog::report(QStringLiteral("Test"), true, 4);
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].kind, Dialogs::Kind::Info);
        QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Błąd bazy danych"));
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Wystąpił nieoczekiwany błąd. Orginalny komunikat: Test"));
        QCOMPARE(m_config->logLines(), QStringList{kLogTime + QStringLiteral("[0000000004]  Test")});
    }

    void openErrorLog_data()
    {
        QTest::addColumn<bool>("debugFolder");
        QTest::addColumn<bool>("earlierLine");
        QTest::newRow("no file yet") << true << false;
        QTest::newRow("file with entries") << true << true;
        QTest::newRow("no debug folder") << false << false;
    }
    void openErrorLog()
    {
        QFETCH(bool, debugFolder);
        QFETCH(bool, earlierLine);
        AppPaths::configDir();
        const QString logPath = m_config->path() + QStringLiteral("/debug/error.log");
        if (!debugFolder)
            QVERIFY(QDir(m_config->path() + QStringLiteral("/debug")).removeRecursively());
        QStringList expected;
        if (earlierLine) {
            ErrorLog::writeLine(QStringLiteral("[0000000028]  stary"));
            expected.append(kLogTime + QStringLiteral("[0000000028]  stary"));
        }
        QCOMPARE(QFile::exists(logPath), earlierLine);

        Dialogs::startScript();
        QString viewed;
        ModalDriver viewer([&](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("ErrorLogViewer"));
            viewed = static_cast<ErrorLogViewer*>(d)->text();
            d->accept();
        });
        ::openErrorLog(QStringLiteral("/srv/baza"));

        if (debugFolder) {
            expected << kLogTime + QStringLiteral("[9999999999]  db location=/srv/baza")
                     << kLogTime + QStringLiteral("[9999999999]  Config dir=") + m_config->path()
                     << kLogTime + QStringLiteral("[9999999999]  Install dir=") +
                            QCoreApplication::applicationDirPath();
            QCOMPARE(m_config->logLines(), expected);
            QVERIFY(Dialogs::shown().isEmpty());
            // Shown inside the program, read as Windows-1250 and without CR.
            QVERIFY(viewer.seen);
            QCOMPARE(viewed, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
            QVERIFY(Dialogs::openedUrls().isEmpty());
        } else {
            QVERIFY(!QFile::exists(logPath));
            QCOMPARE(Dialogs::shown().size(), 1);
            QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Informacja"));
            QCOMPARE(Dialogs::shown()[0].text, QStringLiteral("Log błędów jest pusty."));
            QVERIFY(Dialogs::openedUrls().isEmpty());
            QVERIFY(!viewer.seen);
        }
    }

    void failedShellOpenSaysWhatAndWhere()
    {
        Dialogs::startScript();
        QVERIFY(Dialogs::openUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/a.pdf"))));
        QVERIFY(Dialogs::shown().isEmpty());
        Dialogs::setNextOpenFails();
        QVERIFY(!Dialogs::openUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/plan.xyz"))));
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Błąd"));
        QVERIFY(Dialogs::shown()[0].text.endsWith(QStringLiteral("\n/tmp/plan.xyz")));
        Dialogs::setNextOpenFails();
        QVERIFY(!Dialogs::openUrl(QUrl(QStringLiteral("mailto:pomoc@example.com"))));
        QVERIFY(Dialogs::shown()[1].text.endsWith(QStringLiteral("mailto:pomoc@example.com")));
    }

    void messageBoxesShowAPictureAndKeepShortEndingsOnTheLine()
    {
        TinfoForm box;
        const QString text = QStringLiteral("Nie wprowadzono nazwy użytkownika. Popraw pole.");
        box.setMessage(QStringLiteral("Uwaga"), text);
        auto* picture = box.findChild<QLabel*>(QStringLiteral("Ikona"));
        QVERIFY(picture && !picture->pixmap().isNull());
        auto* label = box.findChild<QLabel*>(QStringLiteral("Tekst"));
        QVERIFY(label->minimumWidth() >= label->fontMetrics().horizontalAdvance(text));
    }

    void exceptionInEventLoopIsReported_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::newRow("queued call, std::exception") << "queued"
                                                     << "boom";
        QTest::newRow("queued call, other type") << "other"
                                                 << "Nieznany wyjątek";
        QTest::newRow("timer slot") << "timer"
                                    << "zegar";
        QTest::newRow("button slot") << "button"
                                     << "przycisk";
    }
    void exceptionInEventLoopIsReported()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        Dialogs::startScript();
        QObject receiver;
        QPushButton button(QStringLiteral("Dodaj"));
        bool after = false;
        if (how == QLatin1String("queued")) {
            QMetaObject::invokeMethod(
                &receiver, [] { throw std::runtime_error("boom"); }, Qt::QueuedConnection);
        } else if (how == QLatin1String("other")) {
            QMetaObject::invokeMethod(
                &receiver, [] { throw 42; }, Qt::QueuedConnection);
        } else if (how == QLatin1String("timer")) {
            QTimer::singleShot(0, &receiver, [] { throw std::runtime_error("zegar"); });
        } else {
            connect(&button, &QPushButton::clicked, &receiver, [] { throw std::runtime_error("przycisk"); });
            button.show();
            QVERIFY(QTest::qWaitForWindowExposed(&button));
            // The slot's exception cuts the click short.
            QTest::ignoreMessage(QtWarningMsg,
                                 "Mouse event \"MouseRelease\" not accepted by receiving widget");
            QTest::mouseClick(&button, Qt::LeftButton);
        }
        QMetaObject::invokeMethod(
            &receiver, [&] { after = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(after);

        QCOMPARE(m_config->logLines(), QStringList{kLogTime + QStringLiteral("[0000000000]  ") + message});
        QCOMPARE(Dialogs::shown().size(), 1);
        QCOMPARE(Dialogs::shown()[0].title, QStringLiteral("Błąd bazy danych"));
        QCOMPARE(Dialogs::shown()[0].text,
                 QStringLiteral("Wystąpił nieoczekiwany błąd. Orginalny komunikat: ") + message);
    }

    void infoSuppressedWhileClosing()
    {
        SprzetnikApplication::setClosing(true);
        ModalDriver driver([](QDialog* dialog) { dialog->reject(); });
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Nie pokazuj"));
        QVERIFY(!QApplication::activeModalWidget());

        Dialogs::startScript();
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Nie pokazuj"));
        ErrorLog::report(QStringLiteral("przy zamykaniu"), true, 17);
        QVERIFY(Dialogs::shown().isEmpty());
        // The log is still written.
        QCOMPARE(m_config->logLines(),
                 QStringList{kLogTime + QStringLiteral("[0000000017]  przy zamykaniu")});
        // Questions still need their answer while closing.
        Dialogs::setNextAnswer(true);
        QVERIFY(Dialogs::question(QStringLiteral("Pytanie"), QStringLiteral("Zapisać?")));
        QVERIFY(!driver.seen);
    }

private:
    std::unique_ptr<TempConfig> m_config;
};

int main(int argc, char** argv)
{
    SprzetnikApplication app(argc, argv);
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_dialogs.moc"
