#include "reports/EmployeesPage.h"

#include "reports/ReportConditions.h"
#include "reports/SavedListState.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kSections[] = {"cbPracKomputery", "cbPracSprzet", "cbPracLicencje", "cbPracUzytkuje",
                                 "cbPracOdpowiada"};
} // namespace

EmployeesPage::EmployeesPage(const Context& context) : ReportPage(context, QStringLiteral("Tab7"))
{
    auto* l = new QVBoxLayout(this);
    auto* run = statementButton(this, QStringLiteral("SBPracWyposazenie"),
                                QStringLiteral("Wyposażenie wg pracowników"));
    connect(run, &QPushButton::clicked, this, [this] { runByEmployee(); });
    l->addWidget(run, 0, Qt::AlignLeft);

    auto* filter = new QGroupBox(QStringLiteral("Filtr:"), this);
    auto* fl = new QHBoxLayout(filter);
    auto* one = new QCheckBox(QStringLiteral("Dla wybranego pracownika:"), filter);
    one->setObjectName(QStringLiteral("cbPracSeria1"));
    fl->addWidget(one);
    fl->addWidget(addLookup(filter, QStringLiteral("pracSeria1"), QStringLiteral("DBFPracownicy"),
                            QStringLiteral("NREW"), QStringLiteral("PRACOWNIK"), one));
    fl->addStretch(1);
    l->addWidget(filter);

    const auto boxes = [&](const QString& title,
                           std::initializer_list<std::pair<const char*, const char*>> items) {
        auto* group = new QGroupBox(title, this);
        auto* gl = new QHBoxLayout(group);
        for (const auto& [name, caption] : items) {
            auto* box = new QCheckBox(QString::fromUtf8(caption), group);
            box->setObjectName(QLatin1String(name));
            box->setChecked(true);
            gl->addWidget(box);
        }
        gl->addStretch(1);
        l->addWidget(group);
    };
    boxes(
        QStringLiteral("Na raporcie umieść:"),
        {{"cbPracKomputery", "Komputery"}, {"cbPracSprzet", "Inny sprzęt"}, {"cbPracLicencje", "Licencje"}});
    boxes(QStringLiteral("umieść także:"),
          {{"cbPracUzytkuje", "Użytkuje..."}, {"cbPracOdpowiada", "Odpowiada za..."}});
    l->addStretch(1);

    // Licences print only under computers.
    QCheckBox* computers = control<QCheckBox>(QStringLiteral("cbPracKomputery"));
    QCheckBox* licences = control<QCheckBox>(QStringLiteral("cbPracLicencje"));
    const auto licencesNeedComputers = [computers, licences] {
        if (licences->isChecked())
            computers->setChecked(true);
    };
    const auto noComputersNoLicences = [computers, licences] {
        if (!computers->isChecked())
            licences->setChecked(false);
    };
    connect(licences, &QCheckBox::clicked, this, licencesNeedComputers);
    connect(control<QCheckBox>(QStringLiteral("cbPracOdpowiada")), &QCheckBox::clicked, this,
            licencesNeedComputers);
    connect(computers, &QCheckBox::clicked, this, noComputersNoLicences);
    connect(control<QCheckBox>(QStringLiteral("cbPracUzytkuje")), &QCheckBox::clicked, this,
            noComputersNoLicences);
    setMaximumWidth(800);
}

bool EmployeesPage::run(const QString& button)
{
    return button == QLatin1String("SBPracWyposazenie") && runByEmployee();
}

void EmployeesPage::reset()
{
    ReportPage::reset();
    for (const char* box : kSections)
        control<QCheckBox>(QLatin1String(box))->setChecked(true);
}

void EmployeesPage::viewEntered()
{
    ReportPage::viewEntered();
    enableByLookup(QStringLiteral("cbPracSeria1"), QStringLiteral("pracSeria1"));
}

bool EmployeesPage::runByEmployee()
{
    QCheckBox* one = control<QCheckBox>(QStringLiteral("cbPracSeria1"));
    const Lookup* employee = control<Lookup>(QStringLiteral("pracSeria1"));
    if (one->isChecked() && (!employee->hasChoice() || !one->isEnabled())) {
        refuse(one, QStringLiteral("Nie wskazano pracownika"));
        return false;
    }
    const QString people = QStringLiteral("DBFosobowa");
    const QStringList lists = {people, QStringLiteral("DBFKomputery"), QStringLiteral("DBFSprzet")};
    ListState& s = db().listState();
    SavedListState saved(s, lists);
    for (int line : ListState::slotLines(people))
        s.setSlot(people, line, QString());
    if (one->isChecked())
        s.setCondition(people, ListState::Role::Reserved,
                       QStringLiteral("AND ") + ListState::qualifiedColumn(people, QStringLiteral("NREW")) +
                           QLatin1Char('=') + ListState::literal(employeeNumber(employee)));
    for (int i = 1; i < lists.size(); ++i) {
        const QString& list = lists.at(i);
        s.setCondition(
            list, ListState::Role::DateRange,
            ReportConditions::between(ListState::qualifiedColumn(list, QStringLiteral("DATAZAKUPU")),
                                      rangeFrom(), rangeTo()));
        s.setCondition(list, ListState::Role::Archive, ListState::archiveCondition(false));
        s.clearCondition(list, ListState::Role::Reserved);
        s.setOrderColumn(list, QStringLiteral("DATAZAKUPU"));
        s.setAscending(list, true);
    }
    // The used computers and equipment within the date range, for this run only.
    Statement& usedComputers = db().statement(QStringLiteral("DBFPracKomp"));
    Statement& usedEquipment = db().statement(QStringLiteral("DBFPracSprz"));
    const QString computersWhere = usedComputers.line(2);
    const QString equipmentWhere = usedEquipment.line(2);
    struct Restore
    {
        Statement& q;
        QString line;
        ~Restore()
        {
            q.close();
            q.setLine(2, line);
        }
    } restoreComputers{usedComputers, computersWhere}, restoreEquipment{usedEquipment, equipmentWhere};
    usedComputers.close();
    usedEquipment.close();
    usedComputers.setLine(
        2, computersWhere + QLatin1Char(' ') +
               ReportConditions::between(QStringLiteral("K.DATAZAKUPU"), rangeFrom(), rangeTo()));
    usedEquipment.setLine(
        2, equipmentWhere + QLatin1Char(' ') +
               ReportConditions::between(QStringLiteral("S.DATAZAKUPU"), rangeFrom(), rangeTo()));

    TDMRaporty::Choices& c = reports().choices();
    c.computers = control<QCheckBox>(QStringLiteral("cbPracKomputery"))->isChecked();
    c.equipment = control<QCheckBox>(QStringLiteral("cbPracSprzet"))->isChecked();
    c.licences = control<QCheckBox>(QStringLiteral("cbPracLicencje"))->isChecked();
    c.uses = control<QCheckBox>(QStringLiteral("cbPracUzytkuje"))->isChecked();
    c.responsible = control<QCheckBox>(QStringLiteral("cbPracOdpowiada"))->isChecked();
    return showReport(QStringLiteral("frReport11"), QStringLiteral("prac_wyposazenie.frf"));
}
