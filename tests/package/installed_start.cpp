// Run from the bin/ folder of an unpacked package: the program's files are
// found in its share folder, a database with the sample data is made from the
// installed templates, and the administrator logs in.
#include "TestSupport.h"

#include "base/AppPaths.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "reports/RaportyTab.h"
#include "shell/Startup.h"
#include "store/AppState.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseTemplate.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"
#include "widgets/ListModel.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

class InstalledStart : public QObject
{
    Q_OBJECT

private slots:
    void filesAreFoundInTheShareFolder()
    {
        const QString share = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/sprzetnik");
        QCOMPARE(AppPaths::programDir(), share);
        QVERIFY(QFileInfo::exists(DatabaseTemplate::defaultTemplateDir() + "/demo/data.sql"));
        QVERIFY(QFileInfo::exists(RaportyTab::templatePath(QStringLiteral("komputery.frf"))));
        QVERIFY(QFileInfo::exists(share + QStringLiteral("/dokumentacja/Instrukcja obsługi.pdf")));
        QVERIFY(QFileInfo::exists(share + QStringLiteral("/sprzetnik.ini")));
        QCOMPARE(AppPaths::configDir(), QDir::cleanPath(qEnvironmentVariable("SPRZETNIK_CONFIG_DIR")));
    }

    void sampleDatabaseIsMadeAndTheAdministratorLogsIn()
    {
        const QString dir = qEnvironmentVariable("SPRZETNIK_TEST_DATABASE");
        QVERIFY(!dir.isEmpty());
        QVERIFY(QDir().mkpath(dir));
        DatabaseTemplate::create(dir, QStringLiteral("tajne1"), true);
        DatabaseLocation::global().set(dir, QStringLiteral("tajne1"));
        QVERIFY(DatabaseLocation::global().store());

        Dialogs::startScript();
        TfMain main;
        TmyDataBase db;
        Startup startup(main, db);
        // The login window is modal: answer it once it is up.
        bool loggedIn = false;
        std::function<void()> answer = [&] {
            auto* login = qobject_cast<TfLogin*>(QApplication::activeModalWidget());
            if (!login) {
                QTimer::singleShot(20, answer);
                return;
            }
            login->findChild<QLineEdit*>(QStringLiteral("user"))->setText(QStringLiteral("admin"));
            login->findChild<QLineEdit*>(QStringLiteral("pwd"))->setText(QStringLiteral("kubol"));
            login->OKClick();
            loggedIn = true;
        };
        QTimer::singleShot(20, answer);
        QVERIFY(startup.runStartupSequence());
        QVERIFY(loggedIn);
        QCOMPARE(AppState::instance().currentUser, QStringLiteral("ADMIN"));
        QVERIFY(main.reloadList(QStringLiteral("DBFKomputery")));
        QVERIFY(main.listModel(QStringLiteral("DBFKomputery"))->rowCount() > 0);
        Dialogs::stopScript();
    }
};

QTEST_MAIN(InstalledStart)
#include "installed_start.moc"
