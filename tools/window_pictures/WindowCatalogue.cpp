#include "WindowCatalogue.h"

#include "PictureSession.h"

#include "base/Config.h"
#include "base/Dialogs.h"
#include "base/TinfoDBProblem.h"
#include "bhp/TfBhp.h"
#include "registers/ListTools.h"
#include "registers/TfMain.h"
#include "reminders/Reminders.h"
#include "reminders/TfShowNotatka.h"
#include "shell/Startup.h"
#include "shell/TfOpcjeProgramu.h"
#include "shell/TfTutorial1.h"
#include "shell/TfWskazBaze.h"
#include "store/Statement.h"
#include "store/Stocktaking.h"
#include "store/TmyDataBase.h"
#include "users/TfLogin.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace {
using Open = std::function<void(PictureSession&)>;
using Prepare = std::function<QString(QWidget*)>;
using Click = void (TfMain::*)();

// A window that does not show within this time is reported and closed.
constexpr int kTimeoutMs = 8000;

QString plain(QString text)
{
    return text.remove(QLatin1Char('&')).trimmed();
}

// Opens a main-window page as its navigation button does.
Open page(Click click)
{
    return [click](PictureSession& s) { (s.program().main().*click)(); };
}

// A toolbar command on the first row of a page's list.
Open command(Click click, TfMain::Command c)
{
    return [click, c](PictureSession& s) {
        (s.program().main().*click)();
        s.program().main().runCommand(c);
    };
}

// "Edytuj" on the first row of a page's list.
Open editOn(Click click)
{
    return command(click, TfMain::Command::Edit);
}

// A menu item of the main window.
Open menu(const char* action)
{
    return [action](PictureSession& s) {
        QAction* a = s.program().main().action(QLatin1String(action));
        if (a && a->isEnabled())
            a->trigger();
        else
            qWarning("window_pictures: the menu item %s is %s", action, a ? "disabled" : "missing");
    };
}

// `outer` opened by `open`, then `step` on it once it shows.
Open inside(const char* outer, std::function<void(QWidget*)> step, Open open)
{
    return [outer, step = std::move(step), open = std::move(open)](PictureSession& s) {
        s.whenShown(QLatin1String(outer), step);
        open(s);
    };
}

// Shows the tab that holds the button, then clicks it.
std::function<void(QWidget*)> clickOnTab(const char* button)
{
    return [button](QWidget* w) {
        auto* b = w->findChild<QAbstractButton*>(QLatin1String(button));
        if (!b)
            return;
        for (QWidget* p = b->parentWidget(); p && p != w; p = p->parentWidget()) {
            auto* tabs =
                qobject_cast<QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr);
            if (tabs && tabs->indexOf(p) >= 0)
                tabs->setCurrentWidget(p);
        }
        if (b->isEnabled())
            b->click();
    };
}

QTabWidget* tabsWith(QWidget* w, const QString& tab, int* index)
{
    for (QTabWidget* tabs : w->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            if (plain(tabs->tabText(i)) == tab) {
                *index = i;
                return tabs;
            }
    return nullptr;
}

// The tab of that title is shown.
Prepare tab(const QString& title)
{
    return [title](QWidget* w) {
        int index = -1;
        QTabWidget* tabs = tabsWith(w, title, &index);
        if (!tabs)
            return QStringLiteral("no tab \"") + title + QLatin1Char('"');
        if (!tabs->isTabVisible(index) || !tabs->isTabEnabled(index))
            return QStringLiteral("the tab \"") + title + QStringLiteral("\" is not offered");
        tabs->setCurrentIndex(index);
        return QString();
    };
}

// A text typed into a field, as a user would before the picture.
Prepare typed(const char* field, const QString& text)
{
    return [field, text](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>(QLatin1String(field));
        if (!edit)
            return QStringLiteral("no field ") + QLatin1String(field);
        edit->setText(text);
        return QString();
    };
}

// A window wider than it opens, so its whole toolbar shows.
Prepare widened(int width)
{
    return [width](QWidget* w) {
        w->resize(std::max(width, w->width()), w->height());
        return QString();
    };
}

// The text of a navigation button, when it is shown.
std::function<QString(QWidget*)> buttonCaption(const char* button)
{
    return [button](QWidget* w) {
        auto* b = w->findChild<QPushButton*>(QLatin1String(button));
        return b && b->isVisible() ? plain(b->text()) : QString();
    };
}

// The title of the tab shown, when its tab widget is shown.
std::function<QString(QWidget*)> currentTabCaption(const QString& title)
{
    return [title](QWidget* w) {
        int index = -1;
        QTabWidget* tabs = tabsWith(w, title, &index);
        return tabs && tabs->isVisible() && tabs->currentIndex() == index ? plain(tabs->tabText(index))
                                                                          : QString();
    };
}

// A main-window page named by its navigation button, or by the tab `tabTitle`
// when `button` is null; `tabTitle` is shown in either case.
WindowEntry mainPage(const char* id, const char* caption, Click click, const char* button,
                     const QString& tabTitle = QString())
{
    WindowEntry e{
        QLatin1String(id), QStringLiteral("TfMain"), QString::fromUtf8(caption), page(click), {}, {}};
    if (!tabTitle.isEmpty())
        e.prepare = tab(tabTitle);
    e.pageCaption = button ? buttonCaption(button) : currentTabCaption(tabTitle);
    return e;
}

// A stocktaking of the sample's busiest room, half counted, with a code
// from another room and one nobody knows.
void countedRoom(SqlConnection& c)
{
    Statement room(
        &c, QString(),
        {QStringLiteral("SELECT K.LOKALIZACJA, S.OPIS, COUNT(*) AS ILE FROM komputery K JOIN slowniki S "
                        "ON S.KOD = K.LOKALIZACJA WHERE K.ARCHIWUM = 'N' GROUP BY K.LOKALIZACJA, S.OPIS "
                        "ORDER BY 3 DESC, 1")});
    room.open();
    if (room.isEmpty())
        return;
    StocktakingSession session;
    session.date = 20261210;
    session.scope = QLatin1Char('L');
    session.location = int(room.integer(QStringLiteral("LOKALIZACJA")));
    session.scopeText = QStringLiteral("Lokalizacja: ") + room.text(QStringLiteral("OPIS"));
    session.committee = QStringLiteral("Anna Wiśniewska\nTomasz Zieliński");
    session.createdBy = QStringLiteral("ADMIN");
    Stocktaking store(c);
    store.open(session);
    const QList<StocktakingItem> items = store.items(session.id);
    for (int i = 0; i < items.size(); i += 2)
        store.scan(session.id, items.at(i).number, QStringLiteral("biuro-1 (ADMIN)"));
    Statement other(&c, QString(),
                    {QStringLiteral("SELECT NREWID FROM komputery WHERE ARCHIWUM = 'N' AND LOKALIZACJA <> ") +
                     QString::number(session.location) + QStringLiteral(" ORDER BY IDKOMPUTERA")});
    other.open();
    if (!other.isEmpty())
        store.scan(session.id, other.text(QStringLiteral("NREWID")), QStringLiteral("biuro-1 (ADMIN)"));
    store.scan(session.id, QStringLiteral("ZZ-0001"), QStringLiteral("biuro-1 (ADMIN)"));
}

WindowEntry dialog(const char* id, const char* className, const char* caption, Open open,
                   Prepare prepare = {})
{
    return {QLatin1String(id), QLatin1String(className), QString::fromUtf8(caption),
            std::move(open),   std::move(prepare),       {}};
}

QList<WindowEntry> makeEntries()
{
    using C = TfMain::Command;
    QList<WindowEntry> list;
    // The main window's pages.
    list << mainPage("TfMain-start", "Start", &TfMain::SBStartClick, "SBStart")
         << mainPage("TfMain-komputery", "Komputery", &TfMain::SBKomputeryClick, "SBKomputery")
         << mainPage("TfMain-sprzet", "Inny sprzęt", &TfMain::SBSprzetClick, "SBSprzet")
         << mainPage("TfMain-programy", "Programy", &TfMain::SBProgramyClick, "SBProgramy")
         << mainPage("TfMain-licencje", "Licencje", &TfMain::SBLicencjeClick, "SBLicencje")
         << mainPage("TfMain-terminy", "Terminarz", &TfMain::SBTerminarzClick, "SBTerminarz")
         << mainPage("TfMain-naprawy", "Naprawy", &TfMain::SBNaprawyClick, "SBNaprawy")
         << mainPage("TfMain-dokumenty", "Dokumenty", &TfMain::SBDokumentyClick, "SBDokumenty")
         << mainPage("TfMain-historia", "Historia użytkowania", &TfMain::SBHistoriaClick, "SBHistoria")
         << mainPage("TfMain-zlecenia", "Rejestr zleceń", &TfMain::SBZleceniaClick, "SBZlecenia")
         << mainPage("TfMain-rozliczenia", "Rejestr rozliczeń", &TfMain::SBRozliczeniaClick, "SBRozliczenia")
         << mainPage("TfMain-magazyn", "Magazyn zasobów", &TfMain::SBMagazynClick, "SBMagazyn")
         << mainPage("TfMain-zalaczniki", "Załączniki", &TfMain::SBZalacznikiClick, "SBZalaczniki")
         << mainPage("TfMain-bhp", "Odzież i środki", &TfMain::SBOdziezSrodkiClick, "SBOdziezSrodki")
         << mainPage("TfMain-zakupbhp", "Rejestr zakupów", &TfMain::SBZakupBhpClick, "SBZakupBhp")
         << mainPage("TfMain-pracownicy", "Kartoteka osobowa", &TfMain::SBOsobowaClick, "SBOsobowa")
         << mainPage("TfMain-firmy", "Katalog firm", &TfMain::SBFirmyClick, "SBFirmy")
         << mainPage("TfMain-wlasciwosci", "Właściwości komp.", &TfMain::SBWlKompClick, "SBWlKomp")
         << mainPage("TfMain-raporty", "Raporty", &TfMain::SBRaportyClick, "SBRaporty",
                     QStringLiteral("Ogólne"))
         << mainPage("TfMain-finansowe", "Finansowe", &TfMain::SBRaportyClick, nullptr,
                     QStringLiteral("Finansowe"))
         << mainPage("TfMain-dodatkowe", "Raporty dodatkowe", &TfMain::SBRaportyClick, nullptr,
                     QStringLiteral("Raporty dodatkowe"))
         << mainPage("TfMain-protokoly", "Protokół wydania", &TfMain::SBRaportyClick, nullptr,
                     QStringLiteral("Protokół wydania"));

    // Start-up and accounts.
    list << dialog("TfWskazBaze", "TfWskazBaze", "Baza danych",
                   [](PictureSession& s) {
                       s.program().databaseDialog().showMenu();
                       s.program().databaseDialog().exec();
                   })
         << dialog("TinfoDBProblem", "TinfoDBProblem", "Informacja",
                   [](PictureSession& s) {
                       // As the wrong-password step shows it outside the test script.
                       TinfoDBProblem form(&s.program().main());
                       form.setDatabaseDir(s.databaseDir());
                       form.exec();
                   })
         << dialog("TfTutorial1", "TfTutorial1", "Przeczytaj uważnie ...",
                   [](PictureSession& s) { s.program().tutorial().exec(); })
         << dialog(
                "TfLogin", "TfLogin", "Sprzetnik",
                [](PictureSession& s) {
                    TfLogin& login = s.program().startup().login();
                    login.setDatabase(s.databaseDir(), PictureSession::kPassword);
                    login.setFirstLogin(false);
                    login.prepare();
                    login.exec();
                },
                [](QWidget* w) {
                    QString error = typed("user", PictureSession::kUser)(w);
                    return error.isEmpty() ? typed("pwd", PictureSession::kUserPassword)(w) : error;
                })
         << dialog("TfUserzy", "TfUserzy", "Zarządzanie użytkownikami", menu("MUzytkownicy"))
         << dialog("TfUserzy-uprawnienia", "TfUserzy", "Zarządzanie użytkownikami", menu("MUzytkownicy"),
                   tab(QStringLiteral("Uprawnienia")))
         << dialog("TfUserEdit", "TfUserEdit", "Użytkownik",
                   inside("TfUserzy", clickOnTab("SBEdytuj"), menu("MUzytkownicy")));

    // Registers and their editors.
    list << dialog("TfKomputery", "TfKomputery", "Komputer", editOn(&TfMain::SBKomputeryClick),
                   tab(QStringLiteral("Szczegóły")))
         << dialog("TfKomputery-wlasciwosci", "TfKomputery", "Komputer", editOn(&TfMain::SBKomputeryClick),
                   tab(QStringLiteral("Właściwości")))
         << dialog("TfKomputery-oprogramowanie", "TfKomputery", "Komputer", editOn(&TfMain::SBKomputeryClick),
                   tab(QStringLiteral("Oprogramowanie")))
         << dialog("TfSprzet", "TfSprzet", "Sprzęt", editOn(&TfMain::SBSprzetClick),
                   tab(QStringLiteral("Szczegóły")))
         << dialog("TfLikwidacja", "TfLikwidacja", "Likwiduj pozycję",
                   command(&TfMain::SBKomputeryClick, C::Liquidate))
         << dialog("TfOdpowiedzialny", "TfOdpowiedzialny", "Zmień osobę odpowiedzialną",
                   menu("zmianaOdpowiedzialnej"))
         << dialog("TfUzytkownicy", "TfUzytkownicy", "Użytkownik komputera",
                   inside("TfKomputery", clickOnTab("UzytkownicyEdytuj"), editOn(&TfMain::SBKomputeryClick)))
         << dialog("TfUzywajacy", "TfUzywajacy", "Użytkownik sprzętu",
                   inside("TfSprzet", clickOnTab("UzytkownicyEdytuj"), editOn(&TfMain::SBSprzetClick)))
         << dialog("TfProgramy", "TfProgramy", "Program", editOn(&TfMain::SBProgramyClick))
         << dialog("TfLicencje", "TfLicencje", "Licencja", editOn(&TfMain::SBLicencjeClick))
         << dialog("TfLicProg", "TfLicProg", "Licencjonowane oprogramowanie",
                   inside("TfLicencje", clickOnTab("LicProgDodaj"), editOn(&TfMain::SBLicencjeClick)))
         << dialog(
                "TfDodajOprogramowanie", "TfDodajOprogramowanie", "Dodaj oprogramowanie",
                inside("TfKomputery", clickOnTab("OprogramowanieDodaj"), editOn(&TfMain::SBKomputeryClick)))
         << dialog("TfTerminy", "TfTerminy", "Edytuj termin", editOn(&TfMain::SBTerminarzClick))
         << dialog("TfNaprawy", "TfNaprawy", "Naprawa", editOn(&TfMain::SBNaprawyClick))
         << dialog("TfDokumenty", "TfDokumenty", "Dokument", editOn(&TfMain::SBDokumentyClick))
         << dialog("TfHistoria", "TfHistoria", "Edytuj historię użytkowania",
                   editOn(&TfMain::SBHistoriaClick))
         << dialog("TfZalaczniki", "TfZalaczniki", "Edytuj załącznik",
                   // The sample has no attachment: a new one of the first computer.
                   inside("TfKomputery", clickOnTab("ZalacznikiDodaj"), editOn(&TfMain::SBKomputeryClick)))
         << dialog("TfSelectDir", "TfSelectDir", "Wybierz lokalizację załącznikw",
                   [](PictureSession& s) {
                       // With no folder chosen yet: the guide first, then the picker at the top of the disk
                       // (a chosen folder would show whatever else lies beside it).
                       s.whenShown(QStringLiteral("TfTutorial2"), clickOnTab("SBKontynuuj"));
                       inside(
                           "TfOpcjeProgramu",
                           [](QWidget* w) {
                               if (auto* folder =
                                       w->findChild<QLineEdit*>(QStringLiteral("lokalizacjaZalacznikow")))
                                   folder->clear();
                               static_cast<TfOpcjeProgramu*>(w)->SBWskazKatalogClick();
                           },
                           menu("MOpcje"))(s);
                   })
         << dialog("TfTutorial2", "TfTutorial2", "Przeczytaj uważnie ...",
                   inside(
                       "TfOpcjeProgramu",
                       [](QWidget* w) { static_cast<TfOpcjeProgramu*>(w)->SBPomocClick(); }, menu("MOpcje")))
         << dialog("TfZlecenia", "TfZlecenia", "Zlecenie", editOn(&TfMain::SBZleceniaClick))
         << dialog("TfRozliczenia", "TfRozliczenia", "Rozliczenia", editOn(&TfMain::SBRozliczeniaClick))
         << dialog("TfOsobowa", "TfOsobowa", "Kartoteka osobowa", editOn(&TfMain::SBOsobowaClick))
         << dialog("TfFirma", "TfFirma", "Dane Firmy", editOn(&TfMain::SBFirmyClick))
         << dialog("TfBiblioteka", "TfBiblioteka", "Biblioteka", page(&TfMain::SBBibliotekaClick))
         << dialog("TfEditBibliotekaAll", "TfEditBibliotekaAll", "Edytuj Rodzaj stanu technicznego",
                   inside("TfBiblioteka", clickOnTab("SBEdytuj"), page(&TfMain::SBBibliotekaClick)));

    // BHP and the store.
    list << dialog("TfBhp", "TfBhp", "Odzież i środki BHP", editOn(&TfMain::SBOdziezSrodkiClick),
                   tab(QStringLiteral("Szczegóły")))
         << dialog("TfBhp-stan", "TfBhp", "Odzież i środki BHP", editOn(&TfMain::SBOdziezSrodkiClick),
                   tab(QStringLiteral("Stan posiadania")))
         << dialog("TfPosiadajacy", "TfPosiadajacy", "Stan posiadania pracowników",
                   inside("TfBhp", clickOnTab("PosiadajacyEdytuj"), editOn(&TfMain::SBOdziezSrodkiClick)))
         << dialog("TfIloscNaStanie", "TfIloscNaStanie", "BHP na stanie",
                   [](PictureSession& s) {
                       // Asked when an issue is saved with the stock update switched on.
                       const bool before = Config::global().flag(QStringLiteral("atkualizujStanBhp"));
                       Config::global().set(QStringLiteral("atkualizujStanBhp"), true);
                       s.whenShown(QStringLiteral("TfPosiadajacy"), [](QWidget* w) {
                           auto* quantity = w->findChild<QLineEdit*>(QStringLiteral("fILOSC"));
                           if (quantity)
                               quantity->setText(QStringLiteral("3"));
                           clickOnTab("SBZapisz")(w);
                       });
                       inside("TfBhp", clickOnTab("PosiadajacyEdytuj"),
                              editOn(&TfMain::SBOdziezSrodkiClick))(s);
                       // The options' picture shows the sample's own setting.
                       Config::global().set(QStringLiteral("atkualizujStanBhp"), before);
                   })
         << dialog("TfZakupBhp", "TfZakupBhp", "Zakup środków BHP", editOn(&TfMain::SBZakupBhpClick))
         << dialog("TfMagazyn", "TfMagazyn", "Magazyn zasobów", editOn(&TfMain::SBMagazynClick))
         << dialog("TfSprawdzenieBhp", "TfSprawdzenieBhp", "Sprawdzenie zapotrzebowania na środki BHP",
                   menu("MSprawdzBhp"))
         << dialog("TfSprawdzenieMagazynu", "TfSprawdzenieMagazynu", "Sprawdzanie stanów magazynowych",
                   menu("MSprawdzMagazyn"));

    // Reminders and list tools.
    list << dialog("TfSprawdzenieDat", "TfSprawdzenieDat", "Sprawdzenie terminów", menu("MSprawdzTerminy"))
         << dialog("TfHurtowaDeaktywacja", "TfHurtowaDeaktywacja", "Hurtowa dezaktywacja terminów",
                   menu("MHurtowaDeaktywacja"))
         << dialog("TfNotatki", "TfNotatki", "Notatki", menu("Notatnik1"))
         << dialog("TfShowNotatka", "TfShowNotatka", "Notatka",
                   [](PictureSession& s) {
                       // The first note of the sample, as shown when its day has come.
                       const auto& notes = s.program().startup().notes();
                       for (const NoteSlot& note : notes)
                           if (!note.opis.trimmed().isEmpty()) {
                               s.program().reminders().dueNoteWindow().showNote(note.opis);
                               return;
                           }
                   })
         << dialog("TfPoradaDnia", "TfPoradaDnia", "Porada dnia", menu("MPoradaDnia"))
         << dialog("TfFiszka", "TfFiszka", "Fiszka - notatki tymczasowe",
                   [](PictureSession& s) { s.program().main().listTools().SBFiszkaClick(); })
         << dialog("TfSumy", "TfSumy", "Sumy dla tabeli KOMPUTERY",
                   command(&TfMain::SBKomputeryClick, C::Sums))
         << dialog("FindTextDialog", "FindTextDialog", "Znajdź",
                   command(&TfMain::SBKomputeryClick, C::Search), typed("FindWhat", QStringLiteral("Dell")))
         << dialog(
                "ReportPreview", "ReportPreview", "Podgląd wydruku - Zestawienie komputerów",
                [](PictureSession& s) {
                    // "Zestawienie komputerów" on the reports page.
                    s.program().main().SBRaportyClick();
                    tab(QStringLiteral("Ogólne"))(&s.program().main());
                    if (auto* b =
                            s.program().main().findChild<QAbstractButton*>(QStringLiteral("SBZestKomp")))
                        b->click();
                },
                widened(1040));

    // Maintenance, options and help.
    list << dialog("TfImportPracownik", "TfImportPracownik", "Import pracowników", menu("MImportPracownikow"))
         << dialog("TfArchiwum", "TfArchiwum", "Archiwizacja danych", menu("MArchiwizacja"))
         << dialog("TfAdministracjaBaza", "TfAdministracjaBaza", "Administracja bazą danych",
                   menu("MAdministracjaBaza"))
         << dialog("TfAdministracjaBaza-przeniesienie", "TfAdministracjaBaza", "Administracja bazą danych",
                   menu("MAdministracjaBaza"), tab(QStringLiteral("Przeniesienie bazy")))
         << dialog("TfInwentaryzacja", "TfInwentaryzacja", "Inwentaryzacja",
                   [](PictureSession& s) {
                       countedRoom(s.program().db().DatabaseMain());
                       menu("MInwentaryzacja")(s);
                   })
         << dialog("TfOpcjeProgramu", "TfOpcjeProgramu", "Opcje programu", menu("MOpcje"),
                   tab(QStringLiteral("Ogólne")))
         << dialog("TfOpcjeProgramu-terminy", "TfOpcjeProgramu", "Opcje programu", menu("MOpcje"),
                   tab(QStringLiteral("Sprawdzanie terminów")))
         << dialog("TfOpcjeProgramu-zalaczniki", "TfOpcjeProgramu", "Opcje programu", menu("MOpcje"),
                   tab(QStringLiteral("Załączniki")))
         << dialog("TfOpcjeProgramu-raporty", "TfOpcjeProgramu", "Opcje programu", menu("MOpcje"),
                   tab(QStringLiteral("Raporty")))
         << dialog("TfOpcjeProgramu-kopia", "TfOpcjeProgramu", "Opcje programu", menu("MOpcje"),
                   tab(QStringLiteral("Kopia zapasowa")))
         << dialog("TfAbout", "TfAbout", "O programie", menu("MOProgramie"))
         << dialog("ErrorLogViewer", "ErrorLogViewer", "Log błędów error.log", menu("MLogBledow"));
    return list;
}

QSet<QWidget*> shownWindows()
{
    QSet<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown.insert(w);
    return shown;
}

// Closes every window shown since `before`: modal ones answer "Anuluj".
void closeNewWindows(const QSet<QWidget*>& before)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || before.contains(w))
            continue;
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        else
            w->close();
    }
}

// Layouts, polish and the deferred fills of the window are done.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}
} // namespace

const QList<WindowEntry>& WindowCatalogue::entries()
{
    static const QList<WindowEntry> list = makeEntries();
    return list;
}

const WindowEntry* WindowCatalogue::find(const QString& id)
{
    for (const WindowEntry& e : entries())
        if (e.id == id)
            return &e;
    return nullptr;
}

QString WindowCatalogue::captionOf(const WindowEntry& entry, QWidget* window)
{
    return entry.pageCaption ? entry.pageCaption(window) : window->windowTitle();
}

QString WindowCatalogue::make(const WindowEntry& entry, PictureSession& session,
                              const std::function<void(QWidget*)>& use)
{
    QString error;
    bool taken = false;
    const auto take = [&](QWidget* w) {
        taken = true;
        if (entry.prepare)
            error = entry.prepare(w);
        settle();
        const QString className = QLatin1String(w->metaObject()->className());
        const QString caption = captionOf(entry, w);
        if (!error.isEmpty())
            return;
        if (className != entry.className)
            error = QStringLiteral("the window is a ") + className;
        else if (caption != entry.caption)
            error = QStringLiteral("the caption is \"") + caption + QStringLiteral("\", not \"") +
                    entry.caption + QLatin1Char('"');
        else
            use(w);
    };

    if (entry.className == QLatin1String("TfMain")) {
        entry.open(session);
        settle();
        take(&session.program().main());
        return error;
    }

    const QSet<QWidget*> before = shownWindows();
    const qsizetype said = Dialogs::shown().size();
    // From the picture on, whatever the command shows again is closed at once.
    QTimer sweeper;
    sweeper.setInterval(10);
    QObject::connect(&sweeper, &QTimer::timeout, [&before] { closeNewWindows(before); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (!taken)
            error = QStringLiteral("no window ") + entry.className + QStringLiteral(" was shown");
        taken = true;
        sweeper.start();
    });
    session.whenShown(entry.className, [&](QWidget* w) {
        take(w);
        closeNewWindows(before);
        sweeper.start();
    });
    watchdog.start(kTimeoutMs);
    entry.open(session);
    // Windows that do not block (and commands that showed nothing) end here.
    QElapsedTimer waited;
    waited.start();
    while (!taken && waited.elapsed() < kTimeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    session.clearSteps();
    sweeper.stop();
    watchdog.stop();
    closeNewWindows(before);
    settle();
    if (!taken)
        error = QStringLiteral("no window ") + entry.className + QStringLiteral(" was shown");
    // A message on the way may mean the window is not in the state its picture shows.
    const QList<Dialogs::Shown> shown = Dialogs::shown();
    for (qsizetype i = said; i < shown.size(); ++i)
        qWarning("window_pictures: %s: the program said \"%s\": %s", qPrintable(entry.id),
                 qPrintable(shown[i].title), qPrintable(shown[i].text));
    return error;
}
