#include "ModalScript.h"
#include "TestDatabase.h"
#include "TestSupport.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "editors/TfSelectDir.h"
#include "registers/TfMain.h"
#include "shell/OptionsCommand.h"
#include "shell/TfOpcjeProgramu.h"
#include "store/AppState.h"
#include "store/TmyDataBase.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Every check box of the dialog and the option it edits.
const QList<QPair<QString, QString>> kBoxes = {
    {"PokazujPoradeDnia", "PokazujPoradeDnia"},
    {"pytajPrzedZamknieciem", "pytajPrzedZamknieciem"},
    {"pytajPrzedKasowaniem", "pytajPrzedKasowaniem"},
    {"sprawdzajBhp", "sprawdzajBhp"},
    {"sprawdzajMagazyn", "cbMagazyn"},
    {"cbAllowChangeOsobowaNREW", "cbAllowChangeOsobowaNREW"},
    {"atkualizujStanBhp", "atkualizujStanBhp"},
    {"uzyjAktualnejIlosciBHP", "uzyjAktualnejIlosciBHP"},
    {"cbNaprawy", "cbNaprawy"},
    {"cbTerminy", "cbTerminy"},
    {"sprawdzajNotatki", "sprawdzajNotatki"},
    {"cbDokumenty", "cbDokumenty"},
    {"cbBhpStan", "cbBhpStan"},
    {"usuwajZajaczniki", "usuwajZajaczniki"},
    {"cbRapZaakceptowal", "cbRapZaakceptowal"},
    {"cbRapWystawil", "cbRapWystawil"},
    {"cbRapData", "cbRapData"},
    {"cbRapFirma", "cbRapFirma"},
};

template <typename T> T* child(QWidget& w, const QString& name)
{
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}

QString iniText()
{
    QFile f(Config::filePath());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

class TestOpcjeProgramu : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_config = std::make_unique<TempConfig>();
        Dialogs::startScript();
    }
    void cleanup()
    {
        QCOMPARE(Dialogs::unanswered(), 0);
        Dialogs::stopScript();
        m_config.reset();
    }

    void everyOptionRoundTripsThroughTheFile()
    {
        for (bool on : {false, true}) {
            Config config;
            config.load();
            TfOpcjeProgramu dialog(config);
            dialog.loadOptions();
            QCOMPARE(dialog.tabs()->tabText(dialog.tabs()->currentIndex()), QStringLiteral("Ogólne"));
            for (const auto& [name, key] : kBoxes)
                child<QCheckBox>(dialog, name)->setChecked(on);
            child<QLineEdit>(dialog, QStringLiteral("dataPrzed"))
                ->setText(on ? QStringLiteral("14") : QStringLiteral("3"));
            child<QLineEdit>(dialog, QStringLiteral("dataPo"))
                ->setText(on ? QStringLiteral("0") : QStringLiteral("5"));
            QTemporaryDir folder;
            child<QLineEdit>(dialog, QStringLiteral("lokalizacjaZalacznikow"))
                ->setText(folder.path() + QLatin1Char('/'));
            child<QPushButton>(dialog, QStringLiteral("SBZapisz"))->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));

            Config reread;
            reread.load();
            for (const auto& [name, key] : kBoxes)
                QVERIFY2(reread.flag(key) == on, qPrintable(key));
            QCOMPARE(reread.number(QStringLiteral("dataWsteczna")), on ? 14 : 3);
            QCOMPARE(reread.number(QStringLiteral("dataWstecznaMin")), on ? 0 : 5);
            // Stored without its trailing separator.
            QCOMPARE(reread.attachmentsFolder(), folder.path());
            QVERIFY(iniText().contains(QStringLiteral("cbMagazyn=") +
                                       (on ? QStringLiteral("1") : QStringLiteral("0"))));

            // The next show puts the stored values back into the controls.
            TfOpcjeProgramu again(reread);
            again.loadOptions();
            for (const auto& [name, key] : kBoxes)
                QCOMPARE(child<QCheckBox>(again, name)->isChecked(), on);
            QCOMPARE(child<QLineEdit>(again, QStringLiteral("dataPrzed"))->text(),
                     on ? QStringLiteral("14") : QStringLiteral("3"));
        }
    }

    void invalidDayNumbersKeepTheOldValues()
    {
        Config config;
        config.load();
        config.set(QStringLiteral("dataWsteczna"), 9);
        config.set(QStringLiteral("dataWstecznaMin"), 2);
        TfOpcjeProgramu dialog(config);
        dialog.loadOptions();
        child<QLineEdit>(dialog, QStringLiteral("dataPrzed"))->setText(QStringLiteral("dwa"));
        child<QLineEdit>(dialog, QStringLiteral("dataPo"))->setText(QString());
        dialog.SBZapiszClick();
        QCOMPARE(config.number(QStringLiteral("dataWsteczna")), 9);
        QCOMPARE(config.number(QStringLiteral("dataWstecznaMin")), 2);
    }

    void cancelLeavesTheOptions()
    {
        Config config;
        config.load();
        const bool before = config.flag(QStringLiteral("pytajPrzedKasowaniem"));
        TfOpcjeProgramu dialog(config);
        ModalScript script;
        script.add(QStringLiteral("TfOpcjeProgramu"), [](QWidget* w) {
            child<QCheckBox>(*w, QStringLiteral("pytajPrzedKasowaniem"))->toggle();
            child<QPushButton>(*w, QStringLiteral("SBAnuluj"))->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(script.done());
        QCOMPARE(config.flag(QStringLiteral("pytajPrzedKasowaniem")), before);
    }

    void missingFolderIsQuestioned()
    {
        const QString missing = QStringLiteral("/nie/ma/takiego/folderu");
        {
            // "Tak": back to the dialog, nothing taken.
            Config config;
            config.load();
            TfOpcjeProgramu dialog(config);
            dialog.loadOptions();
            child<QCheckBox>(dialog, QStringLiteral("cbRapFirma"))->setChecked(false);
            child<QLineEdit>(dialog, QStringLiteral("lokalizacjaZalacznikow"))->setText(missing);
            Dialogs::setNextAnswer(true);
            dialog.SBZapiszClick();
            QCOMPARE(Dialogs::shown().last().text,
                     QStringLiteral("Wskazana lokalizacja nie istnieje. Czy chcesz wskazać inną?"));
            QCOMPARE(Dialogs::shown().last().title, QStringLiteral("Pytanie"));
            QCOMPARE(dialog.result(), 0);
            QVERIFY(config.flag(QStringLiteral("cbRapFirma")));
            QVERIFY(config.attachmentsFolder() != missing);
        }
        {
            // "Nie": stored all the same.
            Config config;
            config.load();
            TfOpcjeProgramu dialog(config);
            dialog.loadOptions();
            child<QLineEdit>(dialog, QStringLiteral("lokalizacjaZalacznikow"))
                ->setText(missing + QLatin1Char('/'));
            Dialogs::setNextAnswer(false);
            dialog.SBZapiszClick();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            Config reread;
            reread.load();
            QCOMPARE(reread.attachmentsFolder(), missing);
        }
    }

    void pickFolderShowsTheGuideFirstWhenNoneIsSet()
    {
        Config config;
        config.load();
        TfOpcjeProgramu dialog(config);
        dialog.loadOptions();
        auto* field = child<QLineEdit>(dialog, QStringLiteral("lokalizacjaZalacznikow"));
        field->clear();
        QTemporaryDir chosen;
        ModalScript script;
        script.add(QStringLiteral("TfTutorial2"),
                   [](QWidget* w) { child<QPushButton>(*w, QStringLiteral("SBKontynuuj"))->click(); });
        script.add(QStringLiteral("TfSelectDir"), [&](QWidget* w) {
            static_cast<TfSelectDir*>(w)->setFolder(chosen.path());
            child<QPushButton>(*w, QStringLiteral("SBOK"))->click();
        });
        dialog.SBWskazKatalogClick();
        QVERIFY(script.done());
        QCOMPARE(QDir::fromNativeSeparators(field->text()), chosen.path());

        // With a folder set the picker opens at once; "Anuluj" keeps the field.
        ModalScript second;
        second.add(QStringLiteral("TfSelectDir"),
                   [](QWidget* w) { child<QPushButton>(*w, QStringLiteral("SBAnuluj"))->click(); });
        dialog.SBWskazKatalogClick();
        QVERIFY(second.done());
        QCOMPARE(second.errors(), QStringList());
        QCOMPARE(QDir::fromNativeSeparators(field->text()), chosen.path());
    }

    void backupTabFollowsRightZero_data()
    {
        QTest::addColumn<bool>("admin");
        QTest::addColumn<bool>("save");
        QTest::newRow("admin, Zapisz") << true << true;
        QTest::newRow("admin, Anuluj") << true << false;
        QTest::newRow("no right 0") << false << true;
    }

    void backupTabFollowsRightZero()
    {
        QFETCH(bool, admin);
        QFETCH(bool, save);
        TestDatabase database;
        TmyDataBase db;
        QVERIFY(database.connect(db));
        SystemParams stored;
        stored.lastBackupDate = 20260101;
        stored.lastSlot = 2;
        QVERIFY(db.saveSystemParams(stored));

        Config::global().reset();
        TfMain main(nullptr, &db);
        OptionsCommand command(main, db);
        // The issue-date box of the report page follows the option.
        auto* issueDate = new QCheckBox(&main);
        issueDate->setObjectName(QStringLiteral("dataNaRaporcie"));
        Rights rights{};
        rights[0] = admin;
        rights[14] = true;
        AppState::instance().rights = rights;
        main.applyRights(rights);
        QAction* action = main.action(QStringLiteral("MOpcje"));
        QVERIFY(action->isEnabled());

        ModalScript script;
        bool enabled = !admin;
        script.add(QStringLiteral("TfOpcjeProgramu"), [&](QWidget* w) {
            auto* howOften = child<QSpinBox>(*w, QStringLiteral("cbHowOften"));
            enabled =
                howOften->isEnabled() && child<QCheckBox>(*w, QStringLiteral("cbIsDoBackup"))->isEnabled();
            QCOMPARE(howOften->value(), 30);
            QCOMPARE(howOften->minimum(), 1);
            QCOMPARE(howOften->maximum(), 365);
            QCOMPARE(child<QSpinBox>(*w, QStringLiteral("cbHowManyFolders"))->maximum(), 100);
            howOften->setValue(7);
            child<QSpinBox>(*w, QStringLiteral("cbHowManyFolders"))->setValue(5);
            child<QCheckBox>(*w, QStringLiteral("cbIsAskBeforeBackup"))->setChecked(false);
            child<QCheckBox>(*w, QStringLiteral("cbRapData"))->setChecked(false);
            child<QPushButton>(*w, save ? QStringLiteral("SBZapisz") : QStringLiteral("SBAnuluj"))->click();
        });
        action->trigger();
        QVERIFY(script.done());
        QCOMPARE(enabled, admin);
        QCOMPARE(issueDate->isChecked(), !save);

        const SystemParams after = db.loadSystemParams();
        QCOMPARE(after.intervalDays, admin ? 7 : 30);
        QCOMPARE(after.slotsKept, admin ? 5 : 3);
        QCOMPARE(after.askFirst, !admin);
        // The state of the backup ring is not the dialog's to change.
        QCOMPARE(after.lastBackupDate, 20260101);
        QCOMPARE(after.lastSlot, 2);
        AppState::instance().logout();
    }

private:
    std::unique_ptr<TempConfig> m_config;
};

QTEST_MAIN(TestOpcjeProgramu)
#include "test_opcjeprogramu.moc"
