#include "registers/ToolbarRules.h"

#include "registers/FilterBar.h"
#include "registers/TfMainUi.h"
#include "store/TmyDataBase.h"

#include <QAction>
#include <QPushButton>

namespace {
// Toolbar rules of the "Dodatkowe" sub-pages: date label (empty: no date
// range), "Tylko aktywne" shown, add and copy allowed with the write state.
struct AdditionalRule
{
    const char* subPage;
    const char* dateLabel;
    bool activeOnly;
    bool addCopy;
};
const AdditionalRule kAdditionalRules[] = {
    {"DodatkoweTerminarz", "Data terminu:", true, false},
    {"DodatkoweZalaczniki", "Data dodania:", false, false},
    {"DodatkoweNaprawy", "Data naprawy:", true, false},
    {"dodatkoweDokumenty", "Data dokum.:", true, false},
    {"DodatkoweHistoria", "Data:", false, false},
    {"DodatkoweZlecenia", "Data zlecenia:", false, true},
    {"DodatkoweRozliczenia", "Data rozliczenia:", false, true},
    {"dodatkoweMagazyn", "", false, true},
};

void setAction(TfMainUi& ui, const char* name, bool enabled)
{
    if (QAction* a = ui.actions.value(QLatin1String(name)))
        a->setEnabled(enabled);
}

void setAction(TfMainUi& ui, const QString& name, bool enabled)
{
    if (QAction* a = ui.actions.value(name))
        a->setEnabled(enabled);
}
} // namespace

const std::vector<ToolbarRules::Twin>& ToolbarRules::twins()
{
    static const std::vector<Twin> list = {
        {"MPodglad", "SBPodglad"},
        {"MDodaj", "SBDodaj"},
        {"MEdytuj", "SBEdytuj"},
        {"MKasuj", "SBUsun"},
        {"MKopiuj", "SBKopiuj"},
        {"MCSV", "SBCSV"},
        {"MDrukuj", "SBDrukuj"},
        {"MSzukaj", "SBSzukaj"},
        {"PPodglad", "SBPodglad"},
        {"PDodaj", "SBDodaj"},
        {"PEdytuj", "SBEdytuj"},
        {"PUsun", "SBUsun"},
        {"PKopiuj", "SBKopiuj"},
        {"PDrukuj", "SBDrukuj"},
        // Labels are read as a print-out is; their command adds the register and the rows.
        {"MDrukujEtykiety", "SBDrukuj"},
        {"PDrukujEtykiety", "SBDrukuj"},
        {"Likwiduj1", "Likwiduj2"},
        // The popup's bulk deactivation is the menu's command for one asset.
        {"PHurtowaDeaktywacja", "MHurtowaDeaktywacja"},
        // Opening an attachment reads it, as a preview does.
        {"POtworzZalacznik", "SBPodglad"},
    };
    return list;
}

void ToolbarRules::followTwins(TfMainUi& ui, const std::function<bool(const char* item)>& runs)
{
    for (const Twin& t : twins()) {
        QAction* item = ui.actions.value(QLatin1String(t.item));
        if (!item)
            continue;
        bool on = false;
        if (const QPushButton* b = ui.buttons.value(QLatin1String(t.twin)))
            on = b->isEnabled();
        else if (const QAction* a = ui.actions.value(QLatin1String(t.twin)))
            on = a->isEnabled();
        item->setEnabled(on && runs(t.item));
    }
}

const QStringList& ToolbarRules::notBuiltYet()
{
    // Every window of the menus is built; an item whose feature is still
    // being built goes here and stays disabled whatever the rights.
    static const QStringList items;
    return items;
}

void ToolbarRules::applyRights(TfMainUi& ui, const Rights& r)
{
    auto set = [&ui](const char* buttonName, const char* menu, bool on) {
        if (buttonName)
            ui.buttons.value(QLatin1String(buttonName))->setEnabled(on);
        if (menu)
            setAction(ui, menu, on);
    };
    set("SBKomputery", "MKomputery", r[1]);
    set("SBOprogramowanie", "MOprogramowanie", r[3]);
    set("SBProgramy", "MProgramy", r[3]);
    set("SBLicencje", "MLicencje", r[3]);
    set("SBSprzet", "MSprzet", r[5]);
    set("SBTerminarz", "MTerminarz", r[7]);
    set("SBNaprawy", "MNaprawy", r[9]);
    set("SBDokumenty", "MDokumenty", r[16]);
    set("SBHistoria", "MHistoria", r[18]);
    set("SBZlecenia", "MZlecenia", r[20]);
    set("SBRozliczenia", "MRozliczenia", r[22]);
    set("SBZalaczniki", "MZalaczniki", r[28]);
    set("SBMagazyn", "MMagazyn", r[26]);
    set(nullptr, "MSprawdzMagazyn", r[26]);
    set("SBBHP", "MBHP", r[24]);
    set("SBOdziezSrodki", "MOdziezSrodki", r[24]);
    set("SBZakupBhp", "MZakupBhp", r[24]);
    set(nullptr, "MSprawdzBhp", r[24]);
    set("SBDodatkowe", "MDodatkowe", r[7] || r[28] || r[9] || r[16] || r[18] || r[20] || r[22] || r[26]);
    set("SBRaporty", nullptr, r[11]);
    for (int i = 0; i < 9; ++i)
        ui.actions.value(QStringLiteral("MRaporty") + QString::number(i))->setEnabled(r[11]);
    set("SBSlowniki", "MSlowniki", r[12]);
    set(nullptr, "MImportPracownikow", r[12]);
    // Stocktaking: 30 to see the sessions, 31 to count and close them.
    set(nullptr, "MInwentaryzacja", r[30] || r[31]);
    // The buttons under "Słowniki" need no right of their own.
    for (const char* name : {"MOsobowa", "MFirmy", "MWlKomp", "MWlSprzet", "MBiblioteka", "MDaneFirmy"})
        setAction(ui, name, r[12]);
    set(nullptr, "Notatnik1", r[13]);
    set(nullptr, "MOpcje", r[14]);
    set(nullptr, "MSprawdzTerminy", r[15]);
    set(nullptr, "MHurtowaDeaktywacja", r[8] || r[10] || r[17]);
    set(nullptr, "MAdministracja", r[0]);
    set(nullptr, "MUzytkownicy", r[0]);
    // Archives and their restore work on either database.
    set(nullptr, "MArchiwizacja", r[0]);
    // Emptying, packing and moving the database work on either backend.
    set(nullptr, "MAdministracjaBaza", r[0]);
    for (const QString& name : notBuiltYet())
        setAction(ui, name, false);
}

void ToolbarRules::applyState(TfMainUi& ui, const QString& name, bool read, bool write)
{
    FilterBar* f = ui.filters;
    const QString page = name.section(QLatin1Char('/'), 0, 0);
    const QString sub = name.section(QLatin1Char('/'), 1);

    // 1. The common layout of the filter bar and the popup.
    f->setDateLabel(QStringLiteral("Data zakupu:"));
    f->setArchiveVisible(page == QLatin1String("komputery") || page == QLatin1String("sprzet") ||
                         name == QLatin1String("oprogramowanie/licencje"));
    f->setActiveOnlyVisible(false);
    f->setDateRangeVisible(true);
    ui.actions.value(QStringLiteral("POtworzZalacznik"))->setVisible(false);
    ui.actions.value(QStringLiteral("PHurtowaDeaktywacja"))->setVisible(false);

    // 2. Write and 3. read controls; their menu and popup items follow them (twins()).
    for (const char* n : {"SBDodaj", "SBEdytuj", "SBUsun", "SBKopiuj"})
        ui.buttons.value(QLatin1String(n))->setEnabled(write);
    setAction(ui, "Likwiduj2", write);
    for (const char* n : {"SBDrukuj", "SBPodglad", "SBCSV", "SBSzukaj"})
        ui.buttons.value(QLatin1String(n))->setEnabled(read);

    auto setAddCopy = [&ui](bool on) {
        for (const char* n : {"SBDodaj", "SBKopiuj"})
            ui.buttons.value(QLatin1String(n))->setEnabled(on);
    };
    auto disableLiquidate = [&ui] { setAction(ui, "Likwiduj2", false); };

    // 4. Liquidated records can be neither liquidated again nor added.
    if (!f->isArchiveShown() || f->liquidated())
        disableLiquidate();
    if (f->isArchiveShown() && f->liquidated())
        setAddCopy(false);

    // 5. No date range on the start page and the dictionaries.
    if (page == QLatin1String("start") || page == QLatin1String("Slowniki"))
        f->setDateRangeVisible(false);

    // 6. The additional registers.
    if (page == QLatin1String("Dodatkowe")) {
        disableLiquidate();
        for (const AdditionalRule& rule : kAdditionalRules) {
            if (sub != QLatin1String(rule.subPage))
                continue;
            if (*rule.dateLabel)
                f->setDateLabel(QString::fromUtf8(rule.dateLabel));
            else
                f->setDateRangeVisible(false);
            f->setActiveOnlyVisible(rule.activeOnly);
            if (!rule.addCopy)
                setAddCopy(false);
        }
    }

    // 7. Programs and BHP items have neither a date nor a liquidation.
    if (name == QLatin1String("oprogramowanie/programy") || name == QLatin1String("bhp/odziezSrodki")) {
        f->setDateRangeVisible(false);
        disableLiquidate();
    }
}
