#include "reports/LocationsPage.h"

#include "reports/ReportConditions.h"
#include "reports/ReportPanel.h"
#include "reports/SavedListState.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

LocationsPage::LocationsPage(const Context& context) : ReportPage(context, QStringLiteral("Tab6"))
{
    auto* l = new QVBoxLayout(this);
    auto* run = statementButton(this, QStringLiteral("SBLokWyposazenie"),
                                QStringLiteral("Wyposażenie wg lokalizacji"));
    run->setToolTip(QStringLiteral("Zestawienie wg lokalizacji"));
    connect(run, &QPushButton::clicked, this, [this] { runLocations(); });
    l->addWidget(run, 0, Qt::AlignLeft);

    auto* filter = new QGroupBox(QStringLiteral("Filtr:"), this);
    auto* fl = new QGridLayout(filter);
    auto* one = new QCheckBox(QStringLiteral("Dla wybranej lokalizacji:"), filter);
    one->setObjectName(QStringLiteral("cbLokSeria1"));
    Lookup* location = addLookup(filter, QStringLiteral("lokSeria1"), QStringLiteral("DBFLokalizacje"),
                                 QStringLiteral("KOD"), QStringLiteral("OPIS"), one);
    location->setToolTip(QStringLiteral("Wybierz lokalizację"));
    auto* series = new QComboBox(filter);
    series->setObjectName(QStringLiteral("lokSeria2"));
    series->addItems(seriesItems());
    keepChoice(series);
    fl->addWidget(one, 0, 0);
    fl->addWidget(location, 0, 1);
    fl->addWidget(series, 1, 1);
    fl->setColumnStretch(2, 1);
    l->addWidget(filter);

    auto* put = new QGroupBox(QStringLiteral("Na raporcie umieść:"), this);
    auto* pl = new QHBoxLayout(put);
    for (const auto& [name, caption] :
         {std::pair{"cbLokKomputery", "Komputery"}, std::pair{"cbLokSprzet", "Inny sprzęt"}}) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), put);
        box->setObjectName(QLatin1String(name));
        box->setChecked(true);
        pl->addWidget(box);
    }
    pl->addStretch(1);
    l->addWidget(put);
    l->addStretch(1);
    setMaximumWidth(800);
}

bool LocationsPage::run(const QString& button)
{
    return button == QLatin1String("SBLokWyposazenie") && runLocations();
}

void LocationsPage::reset()
{
    ReportPage::reset();
    for (const char* box : {"cbLokKomputery", "cbLokSprzet"})
        control<QCheckBox>(QLatin1String(box))->setChecked(true);
}

void LocationsPage::viewEntered()
{
    ReportPage::viewEntered();
    enableByLookup(QStringLiteral("cbLokSeria1"), QStringLiteral("lokSeria1"));
}

bool LocationsPage::runLocations()
{
    QCheckBox* one = control<QCheckBox>(QStringLiteral("cbLokSeria1"));
    const Lookup* location = control<Lookup>(QStringLiteral("lokSeria1"));
    if (one->isChecked() && (!location->hasChoice() || !one->isEnabled())) {
        refuse(one, QStringLiteral("Nie wskazano lokalizacji"));
        return false;
    }
    const bool archive = choice(QStringLiteral("lokSeria2")) == 1;
    const QStringList lists = {QStringLiteral("DBFKomputery"), QStringLiteral("DBFSprzet")};
    ListState& s = db().listState();
    SavedListState saved(s, lists);
    const QString column = panel().dateColumn(archive);
    for (const QString& list : lists) {
        s.setCondition(list, ListState::Role::Archive, ListState::archiveCondition(archive));
        s.setCondition(
            list, ListState::Role::DateRange,
            ReportConditions::between(ListState::qualifiedColumn(list, column), rangeFrom(), rangeTo()));
        s.setOrderColumn(list, QStringLiteral("DATAZAKUPU"));
        s.setAscending(list, true);
    }
    TDMRaporty::Choices& c = reports().choices();
    c.oneLocation = one->isChecked();
    c.location = location->key().toLongLong();
    c.computers = control<QCheckBox>(QStringLiteral("cbLokKomputery"))->isChecked();
    c.equipment = control<QCheckBox>(QStringLiteral("cbLokSprzet"))->isChecked();
    c.archiveSeries = archive;
    const bool shown = showReport(QStringLiteral("frReport10"), QStringLiteral("lok_wyposazenie.frf"));
    c.oneLocation = false;
    return shown;
}
