#include "reports/BhpPage.h"

#include "reports/ReportConditions.h"
#include "reports/SavedListState.h"
#include "reports/WaitCursor.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

BhpPage::BhpPage(const Context& context) : ReportPage(context, QStringLiteral("Tab8"))
{
    QGridLayout* g =
        startPage({QStringLiteral("Filrt 1"), QStringLiteral("Filrt 2"), QStringLiteral("Sortowanie")});

    addStatement(g, QStringLiteral("SBZestHistoriaBhp"), QStringLiteral("Historia posiadania środków BHP"));
    addEmployeeFilter(g, QStringLiteral("CBZestHistoriaBhpSeria1"), QStringLiteral("ZestHistoriaBhpSeria1"));
    addNumber(g, QStringLiteral("ZestHistoriaBhpSeria2"), QStringLiteral("środka BHP"));
    addChoice(g, 3, QStringLiteral("ZestHistoriaBhpSort"),
              {QStringLiteral("wg daty"), QStringLiteral("wg środka"), QStringLiteral("wg osoby"),
               QStringLiteral("wg miejsca")});
    addStatement(g, QStringLiteral("SBZestBhp"), QStringLiteral("Zestawienie odzieży i środków BHP"));
    addStatement(g, QStringLiteral("SBZestPracBhp"), QStringLiteral("Stan posiadania środków BHP"));
    addEmployeeFilter(g, QStringLiteral("CBZestPracBhpSeria1"), QStringLiteral("ZestPracBhpSeria1"));
    addStatement(g, QStringLiteral("SBZapotBhp"), QStringLiteral("Zapotrzebowanie na środki BHP"));
    addStatement(g, QStringLiteral("SBZestZakupBhp"), QStringLiteral("Koszty zakupu środków BHP"));
    addNumber(g, QStringLiteral("ZestZakupBhpSeria2"), QStringLiteral("środka BHP"));
    addChoice(g, 3, QStringLiteral("ZestZakupBhpSort"),
              {QStringLiteral("wg daty"), QStringLiteral("wg nr ewid."), QStringLiteral("wg klasyfikatora"),
               QStringLiteral("wg producenta")});
    addStatement(g, QStringLiteral("SBMagazyn"), QStringLiteral("Stany magazynowe"));
    addStatement(g, QStringLiteral("SBZestZalaczniki"), QStringLiteral("Zestawienie załączników"));
    auto* check = new QCheckBox(QStringLiteral("Sprawdź czy plik załącznika istnieje"), this);
    check->setObjectName(QStringLiteral("cbSprawdzCzyZalacznikIstnieje"));
    g->addWidget(check, row(), 1, 1, 2);
    // The number fields of this page stand in the second column.
    for (const char* n : {"ZestHistoriaBhpSeria2", "ZestZakupBhpSeria2"}) {
        QLineEdit* f = number(QLatin1String(n));
        const int index = g->indexOf(f);
        int r = 0, column = 0, rs = 0, cs = 0;
        g->getItemPosition(index, &r, &column, &rs, &cs);
        g->removeWidget(f);
        g->addWidget(f, r, 2);
    }
    g->setRowStretch(row() + 1, 1);
    g->setColumnStretch(4, 1);
}

void BhpPage::addEmployeeFilter(QGridLayout* grid, const QString& box, const QString& lookup)
{
    auto* cell = new QWidget(this);
    auto* l = new QHBoxLayout(cell);
    l->setContentsMargins(0, 0, 0, 0);
    auto* check = new QCheckBox(QStringLiteral("Dla prac.:"), cell);
    check->setObjectName(box);
    l->addWidget(check);
    Lookup* employee = addLookup(cell, lookup, QStringLiteral("DBFPracownicy"), QStringLiteral("NREW"),
                                 QStringLiteral("PRACOWNIK"), check);
    // Room for a name and number, and for the sort column beside it.
    employee->setMinimumContentsLength(22);
    l->addWidget(employee);
    grid->addWidget(cell, row(), 1);
}

bool BhpPage::run(const QString& button)
{
    if (button == QLatin1String("SBZestHistoriaBhp"))
        return runBhpHistory();
    if (button == QLatin1String("SBZestBhp"))
        return showReport(QStringLiteral("frBhp"), QStringLiteral("bhp.frf"));
    if (button == QLatin1String("SBZestPracBhp"))
        return runHoldings();
    if (button == QLatin1String("SBZapotBhp"))
        return runBhpNeeds();
    if (button == QLatin1String("SBZestZakupBhp"))
        return runBhpPurchases();
    if (button == QLatin1String("SBMagazyn"))
        return showReport(QStringLiteral("frReport37"), QStringLiteral("magazyn.frf"));
    if (button == QLatin1String("SBZestZalaczniki"))
        return runAttachments();
    return false;
}

bool BhpPage::employeeMissing(const QString& box, const QString& lookup)
{
    QCheckBox* one = control<QCheckBox>(box);
    if (one->isChecked() && !control<Lookup>(lookup)->hasChoice()) {
        refuse(one, QStringLiteral("Nie wskazano pracownika"));
        return true;
    }
    return false;
}

bool BhpPage::runBhpHistory()
{
    if (employeeMissing(QStringLiteral("CBZestHistoriaBhpSeria1"), QStringLiteral("ZestHistoriaBhpSeria1")))
        return false;
    const bool one = control<QCheckBox>(QStringLiteral("CBZestHistoriaBhpSeria1"))->isChecked();
    const Lookup* employee = control<Lookup>(QStringLiteral("ZestHistoriaBhpSeria1"));
    const QString list = QStringLiteral("DBFHistoria");
    const QString number = takeNumber(this->number(QStringLiteral("ZestHistoriaBhpSeria2")));
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    const QList<int> reserved = ListState::reservedLines(list);
    if (one)
        s.setSlot(list, reserved.value(0),
                  QStringLiteral("AND H.NREW=") + ListState::literal(employee->key().toString()));
    s.setCondition(list, ListState::Role::DateRange, ReportConditions::period(rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::ObjectKind, QStringLiteral("AND KOMPSPRZ='B'"));
    if (!number.isEmpty())
        s.setSlot(list, reserved.value(1),
                  QStringLiteral("AND (B.NREWID=") + ListState::literal(number) + QLatin1Char(')'));
    const QStringList sorts = {QStringLiteral("DATAOD,DATADO"), QStringLiteral("BNREWID"),
                               QStringLiteral("PRACOWNIK"), QStringLiteral("MIEJSCE")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestHistoriaBhpSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport2"), QStringLiteral("historiabhp.frf"));
}

bool BhpPage::runBhpNeeds()
{
    const QString list = QStringLiteral("DBFBhp");
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::Reserved, QStringLiteral("AND ILOSC<=PRZYPOMNIJ"));
    return showReport(QStringLiteral("frBhp"), QStringLiteral("zapot_bhp.frf"));
}

bool BhpPage::runHoldings()
{
    if (employeeMissing(QStringLiteral("CBZestPracBhpSeria1"), QStringLiteral("ZestPracBhpSeria1")))
        return false;
    Statement& q = db().statement(QStringLiteral("DBFPracBhp"));
    q.close();
    QString condition = ReportConditions::period(rangeFrom(), rangeTo());
    if (control<QCheckBox>(QStringLiteral("CBZestPracBhpSeria1"))->isChecked())
        condition +=
            QStringLiteral(" AND R.NREW=") +
            ListState::literal(control<Lookup>(QStringLiteral("ZestPracBhpSeria1"))->key().toString());
    q.setLine(5, condition);
    q.setLine(7, QStringLiteral("PRACOWNIK COLLATE PL,NREW,NREWID COLLATE PL,NAZWA COLLATE PL"));
    {
        const WaitCursor waiting;
        guarded(TmyDataBase::reloadCode(QStringLiteral("DBFPracBhp")), [&] { q.open(); });
    }
    const bool shown = showReport(QStringLiteral("frPracBhp"), QStringLiteral("bhpprac.frf"));
    q.close();
    return shown;
}

bool BhpPage::runBhpPurchases()
{
    const QString list = QStringLiteral("DBFZakupBhp");
    const QString number = takeNumber(this->number(QStringLiteral("ZestZakupBhpSeria2")));
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    const QList<int> reserved = ListState::reservedLines(list);
    s.setSlot(list, reserved.value(0), QString());
    s.setCondition(list, ListState::Role::DateRange,
                   ReportConditions::between(ListState::qualifiedColumn(list, QStringLiteral("DATAZAKUPU")),
                                             rangeFrom(), rangeTo()));
    s.setSlot(list, reserved.value(1),
              number.isEmpty() ? QString()
                               : ReportConditions::equals(
                                     ListState::qualifiedColumn(list, QStringLiteral("NREWID")), number));
    const QStringList sorts = {QStringLiteral("DATAZAKUPU"), QStringLiteral("NREWID"),
                               QStringLiteral("KLASOPIS"), QStringLiteral("PRODUCENT")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestZakupBhpSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frZakupBhp"), QStringLiteral("zakupbhp.frf"));
}

bool BhpPage::runAttachments()
{
    const QString list = QStringLiteral("DBFZalaczniki");
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    s.clearObject(list);
    return showReport(QStringLiteral("frReport3"), QStringLiteral("zalaczniki.frf"),
                      control<QCheckBox>(QStringLiteral("cbSprawdzCzyZalacznikIstnieje"))->isChecked());
}
