// Opening the record editors and their dialogs over a large database (100000
// computers, 20000 items of equipment, 20000 employees, 2000 companies), each
// beside its floor: the same editor opened the same way over the sample
// database. An opening is timed from the command until the window is shown
// and its pending events handled (laid out and painted), one opening per
// repetition; the median and the maximum of the repetitions are reported.
// SPRZETNIK_BENCH_ROWS sets the computers (100000 by default).
#include "LargeDatabase.h"

#include "base/AppPaths.h"
#include "base/Config.h"
#include "base/Dialogs.h"
#include "registers/TfMain.h"
#include "shell/ProgramWindows.h"
#include "store/AppState.h"
#include "store/DatabaseTemplate.h"
#include "store/SqlConnection.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {
const QString kPassword = QStringLiteral("benchmark");
constexpr int kRepetitions = 15;

// Rows of the registers the generator leaves empty, so that every editor has a
// row to open; each refers to the first rows of the large registers.
const char* const kSmallRegisters[] = {
    "INSERT INTO programy (NAZWA,PRODUCENT,WERSJA,NREWID) VALUES ('Pakiet "
    "biurowy','Softpol','2024','PROG/1')",
    "INSERT INTO licencje (NREWID,NRLICENCJI,KLUCZ) VALUES ('LIC/1','L-1','AAAA-BBBB')",
    "INSERT INTO r_licprog (IDPROGRAMU,IDLICENCJI,ILOSCLIC) VALUES (1,1,10)",
    "INSERT INTO r_lickomp (IDPROGRAMU,IDLICENCJI,IDKOMPUTERA) VALUES (1,1,1)",
    "INSERT INTO r_kompprac (IDKOMPUTERA,NREW,LOGIN) VALUES (1,'P00001','jan')",
    "INSERT INTO r_sprzprac (IDSPRZETU,NREW) VALUES (1,'P00002')",
    "INSERT INTO historia (KOMPSPRZ,IDOBIEKTU,DATAOD,NREW,MIEJSCE) VALUES ('K',1,20240101,'P00003','Pokój "
    "1')",
    "INSERT INTO zlecenia (CZEGODOTYCZY,IDOBIEKTU,IDFIRMY,DATAOD,NREW,OPIS) VALUES "
    "('K',1,2,20240101,'P00004','Przegląd')",
    "INSERT INTO rozliczenia (CZEGODOTYCZY,IDOBIEKTU,IDFIRMY,DATAOD,NREW,OPIS,GODZINY,STAWKA) VALUES "
    "('S',1,3,20240101,'P00005','Naprawa',2,100)",
    "INSERT INTO bhp (NAZWA,CECHY,NREWID,ILOSC,PRZYPOMNIJ) VALUES ('Rękawice','rozm. 10','BHP/1',50,5)",
    "INSERT INTO r_bhpprac (IDBHP,NREW,ILOSC,DATAOD) VALUES (1,'P00006',2,20240101)",
    "INSERT INTO zakupbhp (IDFIRMY,NAZWA,NREWID,DATAZAKUPU,ILOSC) VALUES (2,'Rękawice','BHP/1',20240101,50)",
    "INSERT INTO magazyn (CZESC,ILOSC,PRZYPOMNIJ) VALUES ('Toner',3,1)",
};

struct Fixture
{
    QTemporaryDir dir;
    QString large = dir.filePath(QStringLiteral("duza"));
    QString sample = dir.filePath(QStringLiteral("przykladowa"));
    QString current;
    std::unique_ptr<ProgramWindows> program;

    Fixture()
    {
        qputenv("SPRZETNIK_CONFIG_DIR", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        AppPaths::resetConfigDir();
        const int rows = qEnvironmentVariableIntValue("SPRZETNIK_BENCH_ROWS");
        LargeDatabaseSize size;
        size.computers = rows > 0 ? rows : 100000;
        size.equipment = 20000;
        size.employees = 20000;
        size.companies = 2000;
        size.deadlines = 20000;
        makeLargeDatabase(large, kPassword, size);
        SqlConnection connection;
        connection.open(DatabaseTemplate::databaseFile(large), kPassword);
        for (const char* sql : kSmallRegisters)
            connection.exec(QString::fromUtf8(sql));
        connection.close();
        DatabaseTemplate::create(sample, kPassword, true);
        // The sample has no attachment to open.
        connection.open(DatabaseTemplate::databaseFile(sample), kPassword);
        connection.exec(
            QStringLiteral("INSERT INTO zalaczniki (IDOBIEKTU,CZEGODOTYCZY,NAZWAZALACZNIKA,DATADODANIA,"
                           "NAZWAPLIKU) VALUES (1,'K','Faktura',20240101,'faktura.pdf')"));
        connection.close();

        Dialogs::startScript(); // messages are recorded, never waited for
        Config::global().reset();
        QDir().mkpath(dir.filePath(QStringLiteral("zalaczniki")));
        Config::global().setAttachmentsFolder(dir.filePath(QStringLiteral("zalaczniki")));
        program = std::make_unique<ProgramWindows>();
        Rights all{};
        all.fill(true);
        AppState::instance().currentUser = QStringLiteral("ADMIN");
        AppState::instance().rights = all;
        program->main().applyRights(all);
        program->main().resize(1200, 800);
        program->main().show();
    }

    TfMain& main() const { return program->main(); }
    void use(const QString& folder)
    {
        if (folder == current)
            return;
        program->db().connectTo(folder, kPassword);
        main().resetFilters();
        main().SBStartClick();
        current = folder;
    }
};

// Made and destroyed by main(): its windows must go before the application does.
std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    return *g_fixture;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

void closeWindow(QWidget* w)
{
    if (auto* d = qobject_cast<QDialog*>(w))
        d->reject();
    else
        w->close();
}

// Calls a step on the first window of a class shown from now on, from its
// own event-loop turn (inside the window's exec() when it is modal).
class WhenShown : public QObject
{
public:
    WhenShown(const char* className, std::function<void(QWidget*)> step)
        : m_className(className), m_step(std::move(step))
    {
        qApp->installEventFilter(this);
    }
    ~WhenShown() override { qApp->removeEventFilter(this); }
    bool seen() const { return m_seen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_seen || event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        if (!w->isWindow() || qstrcmp(w->metaObject()->className(), m_className) != 0)
            return false;
        m_seen = true;
        QPointer<QWidget> target(w);
        QTimer::singleShot(0, this, [this, target] {
            if (target)
                m_step(target);
        });
        return false;
    }

private:
    const char* m_className;
    std::function<void(QWidget*)> m_step;
    bool m_seen = false;
};

// Milliseconds from `open` until the window is shown and settled; the window
// is closed then. -1 when no such window showed.
double timeOpening(const char* className, const std::function<void()>& open)
{
    QElapsedTimer clock;
    double ms = -1;
    WhenShown watch(className, [&](QWidget* w) {
        settle();
        ms = double(clock.nsecsElapsed()) / 1e6;
        closeWindow(w);
    });
    clock.start();
    open();
    settle();
    return ms;
}

// The tab that holds the button is shown first, as a user would.
void clickOnTab(QWidget* window, const char* button)
{
    auto* b = window->findChild<QAbstractButton*>(QLatin1String(button));
    if (!b)
        return;
    for (QWidget* p = b->parentWidget(); p && p != window; p = p->parentWidget())
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
            if (tabs->indexOf(p) >= 0)
                tabs->setCurrentWidget(p);
    settle();
    b->click();
}

// A dialog opened by a button of an editor: timed from the click.
double timeInside(const char* outerClass, const std::function<void()>& openOuter, const char* button,
                  const char* innerClass)
{
    double ms = -1;
    WhenShown outer(outerClass, [&](QWidget* editor) {
        settle();
        ms = timeOpening(innerClass, [&] { clickOnTab(editor, button); });
        closeWindow(editor);
    });
    openOuter();
    settle();
    return ms;
}

using Click = void (TfMain::*)();

// What the user did before the command (the register entered) is not timed.
struct Steps
{
    std::function<void()> before;
    std::function<void()> open;
    std::function<void()> after;
};

Steps command(Click page, TfMain::Command c)
{
    return {[page] { (fixture().main().*page)(); }, [c] { fixture().main().runCommand(c); }, {}};
}

// The same on the liquidated records of the register.
Steps liquidated(Click page, TfMain::Command c)
{
    const auto archive = [page](int index) {
        TfMain& main = fixture().main();
        main.findChild<QComboBox*>(QStringLiteral("CBPokazElementy"))->setCurrentIndex(index);
        main.CBPokazElementyChange();
        (main.*page)();
    };
    return {[archive] { archive(1); }, [c] { fixture().main().runCommand(c); }, [archive] { archive(0); }};
}

Steps menu(const char* action)
{
    return {{}, [action] { fixture().main().action(QLatin1String(action))->trigger(); }, {}};
}

struct Opening
{
    const char* name;
    std::function<double()> time;
};

std::vector<Opening> openings()
{
    using C = TfMain::Command;
    const auto run = [](const Steps& steps, const std::function<double()>& timed) {
        if (steps.before)
            steps.before();
        settle();
        const double ms = timed();
        if (steps.after)
            steps.after();
        return ms;
    };
    const auto editor = [run](const char* name, const char* className, Steps steps) {
        return Opening{name, [=] { return run(steps, [&] { return timeOpening(className, steps.open); }); }};
    };
    const auto inside = [run](const char* name, const char* outer, Steps steps, const char* button,
                              const char* inner) {
        return Opening{
            name, [=] { return run(steps, [&] { return timeInside(outer, steps.open, button, inner); }); }};
    };
    return {
        editor("TfKomputery/edit", "TfKomputery", command(&TfMain::SBKomputeryClick, C::Edit)),
        editor("TfKomputery/preview", "TfKomputery", command(&TfMain::SBKomputeryClick, C::Preview)),
        editor("TfKomputery/preview_liquidated", "TfKomputery",
               liquidated(&TfMain::SBKomputeryClick, C::Preview)),
        editor("TfKomputery/add", "TfKomputery", command(&TfMain::SBKomputeryClick, C::Add)),
        editor("TfSprzet/edit", "TfSprzet", command(&TfMain::SBSprzetClick, C::Edit)),
        editor("TfSprzet/preview", "TfSprzet", command(&TfMain::SBSprzetClick, C::Preview)),
        editor("TfSprzet/add", "TfSprzet", command(&TfMain::SBSprzetClick, C::Add)),
        editor("TfLikwidacja", "TfLikwidacja", command(&TfMain::SBKomputeryClick, C::Liquidate)),
        editor("TfOdpowiedzialny", "TfOdpowiedzialny", menu("zmianaOdpowiedzialnej")),
        inside("TfUzytkownicy", "TfKomputery", command(&TfMain::SBKomputeryClick, C::Edit),
               "UzytkownicyDodaj", "TfUzytkownicy"),
        inside("TfUzywajacy", "TfSprzet", command(&TfMain::SBSprzetClick, C::Edit), "UzytkownicyDodaj",
               "TfUzywajacy"),
        inside("TfDodajOprogramowanie", "TfKomputery", command(&TfMain::SBKomputeryClick, C::Edit),
               "OprogramowanieDodaj", "TfDodajOprogramowanie"),
        editor("TfProgramy", "TfProgramy", command(&TfMain::SBProgramyClick, C::Edit)),
        editor("TfLicencje", "TfLicencje", command(&TfMain::SBLicencjeClick, C::Edit)),
        inside("TfLicProg", "TfLicencje", command(&TfMain::SBLicencjeClick, C::Edit), "LicProgDodaj",
               "TfLicProg"),
        editor("TfTerminy", "TfTerminy", command(&TfMain::SBTerminarzClick, C::Edit)),
        editor("TfNaprawy", "TfNaprawy", command(&TfMain::SBNaprawyClick, C::Edit)),
        editor("TfDokumenty", "TfDokumenty", command(&TfMain::SBDokumentyClick, C::Edit)),
        editor("TfHistoria", "TfHistoria", command(&TfMain::SBHistoriaClick, C::Edit)),
        editor("TfZlecenia", "TfZlecenia", command(&TfMain::SBZleceniaClick, C::Edit)),
        editor("TfZlecenia/add", "TfZlecenia", command(&TfMain::SBZleceniaClick, C::Add)),
        editor("TfRozliczenia", "TfRozliczenia", command(&TfMain::SBRozliczeniaClick, C::Edit)),
        editor("TfZalaczniki", "TfZalaczniki", command(&TfMain::SBZalacznikiClick, C::Edit)),
        editor("TfMagazyn", "TfMagazyn", command(&TfMain::SBMagazynClick, C::Edit)),
        editor("TfBhp", "TfBhp", command(&TfMain::SBOdziezSrodkiClick, C::Edit)),
        inside("TfPosiadajacy", "TfBhp", command(&TfMain::SBOdziezSrodkiClick, C::Edit), "PosiadajacyDodaj",
               "TfPosiadajacy"),
        editor("TfZakupBhp", "TfZakupBhp", command(&TfMain::SBZakupBhpClick, C::Edit)),
        editor("TfOsobowa", "TfOsobowa", command(&TfMain::SBOsobowaClick, C::Edit)),
        editor("TfFirma", "TfFirma", command(&TfMain::SBFirmyClick, C::Edit)),
    };
}

void openOn(benchmark::State& state, const Opening& opening, bool large)
{
    Fixture& f = fixture();
    f.use(large ? f.large : f.sample);
    for (auto _ : state) {
        const double ms = opening.time();
        if (ms < 0) {
            state.SkipWithError("the window was not shown");
            break;
        }
        state.SetIterationTime(ms / 1000.0);
    }
}

// Typing into a searching lookup: the rows offered for a text, and the floor
// of the same register scanned by the engine alone for a text nowhere in it.
void BM_Search(benchmark::State& state, const char* lookupName, const char* typed)
{
    Fixture& f = fixture();
    f.use(f.large);
    Lookup lookup;
    lookup.bindSearch(&f.program->db(), QLatin1String(lookupName));
    qsizetype found = 0;
    for (auto _ : state)
        found = lookup.offer(QString::fromUtf8(typed)).size();
    state.counters["found"] = double(found);
}

void BM_ScanFloor(benchmark::State& state, const char* table)
{
    Fixture& f = fixture();
    f.use(f.large);
    const QByteArray sql = QByteArray("SELECT COUNT(*) FROM ") + table +
                           " WHERE (NAZWA||' ('||NREWID||') '||PRODUCENT) GLOB '*[qQ][xX][zZ]*'";
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(f.program->db().DatabaseMain().handle(), sql.constData(), -1, &stmt, nullptr);
        sqlite3_step(stmt);
        benchmark::DoNotOptimize(sqlite3_column_int64(stmt, 0));
        sqlite3_finalize(stmt);
    }
}

void registerSearches()
{
    const std::pair<const char*, const char*> searches[] = {
        {"DBFKompSprzet", ""},    {"DBFKompSprzet", "laptop"},   {"DBFKompSprzet", "komp/0999"},
        {"DBFKompSprzet", "qxz"}, {"DBFZlecSprzet", "drukarka"}, {"DBFZlecSprzet", "qxz"},
        {"DBFPracownicy", ""},    {"DBFPracownicy", "wiś"},      {"DBFPracownicy", "qxz"},
    };
    for (const auto& [name, typed] : searches)
        benchmark::RegisterBenchmark(
            (std::string("Search/") + name + "/'" + typed + "'").c_str(),
            [name = name, typed = typed](benchmark::State& s) { BM_Search(s, name, typed); })
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions)
            ->ComputeStatistics(
                "max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
            ->DisplayAggregatesOnly(true);
    for (const char* table : {"komputery", "sprzet"})
        benchmark::RegisterBenchmark((std::string("SearchFloor/scan_") + table).c_str(),
                                     [table](benchmark::State& s) { BM_ScanFloor(s, table); })
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(kRepetitions)
            ->DisplayAggregatesOnly(true);
}

// The offscreen platform warns on every resize of a shown window.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")) &&
        !message.startsWith(QLatin1String("This plugin does not support")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietOffscreen);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_fixture = std::make_unique<Fixture>(); // the databases are built before any timing
    const auto max = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
    // All openings over the large database first, then their floors.
    for (const bool large : {true, false})
        for (const Opening& o : openings())
            benchmark::RegisterBenchmark((std::string(o.name) + (large ? "/100k" : "/floor_sample")).c_str(),
                                         [o, large](benchmark::State& s) { openOn(s, o, large); })
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(1)
                ->Repetitions(kRepetitions)
                ->ComputeStatistics("max", max)
                ->DisplayAggregatesOnly(true);
    registerSearches();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_fixture.reset();
    return 0;
}
