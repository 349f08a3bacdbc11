#include "reports/GeneralPage.h"

#include "reports/ReportConditions.h"
#include "reports/ReportPanel.h"
#include "reports/SavedListState.h"
#include "reports/WaitCursor.h"
#include "store/Guarded.h"
#include "store/PolishCollation.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>

namespace {
using C = ReportConditions;

const QStringList kAssetSort = {QStringLiteral("wg nazwy"),        QStringLiteral("wg nr ewid."),
                                QStringLiteral("wg daty zakupu"),  QStringLiteral("wg daty likwidacji"),
                                QStringLiteral("wg lokalizacji"),  QStringLiteral("wg producenta"),
                                QStringLiteral("wg klasyfikacji"), QStringLiteral("wg osoby odpow.")};
const QStringList kOrderSort = {QStringLiteral("wg daty"),         QStringLiteral("wg sprzętu"),
                                QStringLiteral("wg nr dokumentu"), QStringLiteral("wg osoby"),
                                QStringLiteral("wg firmy"),        QStringLiteral("wg rodzaju prac")};
} // namespace

GeneralPage::GeneralPage(const Context& context) : ReportPage(context, QStringLiteral("Tab1"))
{
    QGridLayout* g = startPage({QStringLiteral("Filrt 1"), QStringLiteral("Filrt 2 (Nr ewid.)"),
                                QStringLiteral("Filrt 3"), QStringLiteral("Sortowanie")});

    addStatement(g, QStringLiteral("SBZestKomp"), QStringLiteral("Zestawienie komputerów"));
    addChoice(g, 1, QStringLiteral("ZestKompSeria1"), seriesItems());
    addNumber(g, QStringLiteral("ZestKompSeria2"), QStringLiteral("komputera"));
    addChoice(g, 4, QStringLiteral("ZestKompSort"), kAssetSort);

    addStatement(g, QStringLiteral("SBZestSprz"), QStringLiteral("Zestawienie innego sprzętu"));
    addChoice(g, 1, QStringLiteral("ZestSprzSeria1"), seriesItems());
    addNumber(g, QStringLiteral("ZestSprzSeria2"), QStringLiteral("sprzętu"));
    addChoice(g, 4, QStringLiteral("ZestSprzSort"), kAssetSort);

    addStatement(g, QStringLiteral("SBZestOpr"), QStringLiteral("Zestawienie oprogramowania"));
    addChoice(g, 1, QStringLiteral("ZestOprSeria1"), seriesItems());
    addNumber(g, QStringLiteral("ZestOprSeria2"), QStringLiteral("licencji"));
    m_showPasswords = new QCheckBox(QStringLiteral("Pokaż hasła"), this);
    m_showPasswords->setObjectName(QStringLiteral("ZestOprSeria3"));
    m_showPasswords->setToolTip(QStringLiteral("Zaznacz aby dołączyć hasła licencji na raporcie"));
    g->addWidget(m_showPasswords, row(), 3);
    addChoice(g, 4, QStringLiteral("ZestOprSort"),
              {QStringLiteral("wg programu"), QStringLiteral("wg nr ewid. progr."),
               QStringLiteral("wg klasyfik. progr."), QStringLiteral("wg nr licencji"),
               QStringLiteral("wg nr ewid. lic."), QStringLiteral("typ licencji"),
               QStringLiteral("daty zakupu lic.")});

    addStatement(g, QStringLiteral("SBZestNapraw"), QStringLiteral("Zestawienie napraw"));
    addChoice(g, 1, QStringLiteral("ZestNaprawSeria1"),
              {QStringLiteral("Wybierz wg terminu"), QStringLiteral("Wybierz wg daty naprawy")});
    addNumber(g, QStringLiteral("ZestNaprawSeria2"), QStringLiteral("elementu"));
    addChoice(g, 3, QStringLiteral("ZestNaprawSeria3"), kindItems());
    addChoice(g, 3, QStringLiteral("ZestNaprawSeria4"), activityItems());

    addStatement(g, QStringLiteral("SBZaplZdarz"), QStringLiteral("Zaplanowane zdarzenia (terminarz)"));
    addChoice(g, 1, QStringLiteral("ZaplZdarzSeria1"), activityItems());
    addNumber(g, QStringLiteral("ZaplZdarzSeria2"), QStringLiteral("elementu"));
    addChoice(g, 3, QStringLiteral("ZaplZdarzSeria3"),
              {QStringLiteral("Wszystkie"), QStringLiteral("Tylko komputery"),
               QStringLiteral("Tylko licencje"), QStringLiteral("Tylko inny sprzęt"),
               QStringLiteral("Tylko środki BHP")});

    addStatement(g, QStringLiteral("SBWolneLic"), QStringLiteral("Wolne licencje (niezainstalowane)"));

    addStatement(g, QStringLiteral("SBZestDok"), QStringLiteral("Zestawienie dokumentów"));
    addChoice(g, 1, QStringLiteral("ZestDokSeria1"),
              {QStringLiteral("Wybierz wg terminu"), QStringLiteral("Wybierz wg daty dokumentu")});
    addNumber(g, QStringLiteral("ZestDokSeria2"), QStringLiteral("elementu"));
    addChoice(g, 3, QStringLiteral("ZestDokSeria3"), kindItems());
    addChoice(g, 3, QStringLiteral("ZestDokSeria4"), activityItems());

    addStatement(g, QStringLiteral("SBZestHistoria"), QStringLiteral("Historia użytkowania sprzętu"));
    addNumber(g, QStringLiteral("ZestHistoriaSeria2"), QStringLiteral("elementu"));
    addChoice(g, 3, QStringLiteral("ZestHistoriaSeria3"), kindItems());
    addChoice(g, 4, QStringLiteral("ZestHistoriaSort"),
              {QStringLiteral("wg daty"), QStringLiteral("wg sprzętu"), QStringLiteral("wg osoby"),
               QStringLiteral("wg miejsca")});

    addStatement(g, QStringLiteral("SBZestZlecenia"), QStringLiteral("Zestawienie zleceń"));
    addNumber(g, QStringLiteral("ZestZleceniaSeria2"), QStringLiteral("sprzętu"));
    addChoice(g, 4, QStringLiteral("ZestZleceniaSort"), kOrderSort);

    addStatement(g, QStringLiteral("SBZestRozliczenia"), QStringLiteral("Zestawienie rozliczeń"));
    addNumber(g, QStringLiteral("ZestRozliczeniaSeria2"), QStringLiteral("sprzętu"));
    addChoice(g, 4, QStringLiteral("ZestRozliczeniaSort"), kOrderSort);

    addStatement(g, QStringLiteral("SBZestPrac"), QStringLiteral("Zestawienie pracowników"));
    addChoice(g, 4, QStringLiteral("ZestPracSort"),
              {QStringLiteral("wg nr ewid."), QStringLiteral("wg nazwiska"), QStringLiteral("wg działu"),
               QStringLiteral("wg nr pokoju"), QStringLiteral("wg stanowiska ")});

    g->setRowStretch(row() + 1, 1);
    g->setColumnStretch(5, 1);
}

bool GeneralPage::run(const QString& button)
{
    if (button == QLatin1String("SBZestKomp") || button == QLatin1String("SBZestSprz") ||
        button == QLatin1String("SBZestOpr"))
        return runAssetReport(button);
    if (button == QLatin1String("SBZestNapraw"))
        return runRepairs(QStringLiteral("ZestNapraw"), false);
    if (button == QLatin1String("SBZaplZdarz"))
        return runDeadlines();
    if (button == QLatin1String("SBWolneLic"))
        return runFreeLicences();
    if (button == QLatin1String("SBZestDok"))
        return runDocuments();
    if (button == QLatin1String("SBZestHistoria"))
        return runHistory();
    if (button == QLatin1String("SBZestZlecenia"))
        return runOrders(QStringLiteral("DBFZlecenia"), QStringLiteral("ZestZleceniaSeria2"),
                         QStringLiteral("ZestZleceniaSort"), QStringLiteral("frReport13"),
                         QStringLiteral("zlecenia.frf"));
    if (button == QLatin1String("SBZestRozliczenia"))
        return runOrders(QStringLiteral("DBFRozliczenia"), QStringLiteral("ZestRozliczeniaSeria2"),
                         QStringLiteral("ZestRozliczeniaSort"), QStringLiteral("frReport14"),
                         QStringLiteral("rozliczenia.frf"));
    if (button == QLatin1String("SBZestPrac"))
        return runEmployees();
    return false;
}

void GeneralPage::reset()
{
    ReportPage::reset();
    m_showPasswords->setChecked(false);
}

void GeneralPage::addChoices(TDMRaporty::Choices& choices) const
{
    choices.showPasswords = m_showPasswords->isChecked();
}

// The computers, equipment and software statements read report queries of
// their own; the lists of the main window are not touched.
bool GeneralPage::runAssetReport(const QString& button)
{
    const QString word = button.mid(6); // Komp, Sprz, Opr
    const QString prefix = QStringLiteral("Zest") + word;
    const bool archive = choice(prefix + QStringLiteral("Seria1")) == 1;
    const QString number = takeNumber(this->number(prefix + QStringLiteral("Seria2")));
    const int sort = choice(prefix + QStringLiteral("Sort"));
    const bool software = word == QLatin1String("Opr");
    const QString alias = software ? QStringLiteral("L.") : QStringLiteral("K.");
    const QString date = C::between(alias + panel().dateColumn(archive), rangeFrom(), rangeTo());
    const QString arch = QStringLiteral("AND ") + alias +
                         (archive ? QStringLiteral("ARCHIWUM='T'") : QStringLiteral("ARCHIWUM='N'"));
    const QString numberCondition =
        number.isEmpty() ? QString() : C::equals(alias + QStringLiteral("NREWID"), number);

    QString statement, report, file;
    qint64 code = 0;
    QStringList sorts;
    int dateLine = 6, sortLine = 10;
    if (word == QLatin1String("Komp")) {
        statement = QStringLiteral("DBFRapKomp");
        report = QStringLiteral("frRKompDetails");
        file = QStringLiteral("komputery.frf");
        code = 62111;
    } else if (word == QLatin1String("Sprz")) {
        statement = QStringLiteral("DBFRapSprzet");
        report = QStringLiteral("frRSprzetDetails");
        file = QStringLiteral("sprzet.frf");
        code = 62131;
    } else {
        statement = QStringLiteral("DBFRapOprog");
        report = QStringLiteral("frROprogDetails");
        file = QStringLiteral("oprogramowanie.frf");
        code = 81131;
        dateLine = 5;
        sortLine = 9;
    }
    if (software)
        sorts = {QStringLiteral("NAZWA"),      QStringLiteral("PNREWID"), QStringLiteral("KLAS"),
                 QStringLiteral("NRLICENCJI"), QStringLiteral("LNREWID"), QStringLiteral("TYPL"),
                 QStringLiteral("DATAZAKUPU")};
    else
        sorts = {QStringLiteral("NAZWA"),    QStringLiteral("NREWID"), QStringLiteral("DATAZAKUPU"),
                 QStringLiteral("DATAARCH"), QStringLiteral("LOK"),    QStringLiteral("PRODUCENT"),
                 QStringLiteral("KLA"),      QStringLiteral("NRE")};

    Statement& q = db().statement(statement);
    q.close();
    q.setLine(dateLine, date);
    q.setLine(dateLine + 1, arch);
    q.setLine(dateLine + 2, numberCondition);
    q.setLine(sortLine, sorts.value(sort, sorts.first()) + PolishCollation::clause());
    {
        const WaitCursor waiting;
        guarded(code, [&] { q.open(); });
    }
    // The equipment of each computer is read from the equipment list.
    SavedListState saved(db().listState(), {QStringLiteral("DBFSprzet")});
    const bool shown = showReport(report, file);
    q.close();
    return shown;
}

bool GeneralPage::runDeadlines()
{
    const QString list = QStringLiteral("DBFTerminy");
    const QString number = takeNumber(this->number(QStringLiteral("ZaplZdarzSeria2")));
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    s.setCondition(list, ListState::Role::ActiveOnly, C::activity(choice(QStringLiteral("ZaplZdarzSeria1"))));
    s.setCondition(list, ListState::Role::DateRange, C::period(rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::ObjectKind,
                   C::deadlineKind(choice(QStringLiteral("ZaplZdarzSeria3"))));
    // Numbers of BHP items are not matched.
    s.setCondition(list, ListState::Role::Reserved,
                   C::numberOfObject(number, QStringLiteral("CZEGODOTYCZY"),
                                     {QStringLiteral("K"), QStringLiteral("S"), QStringLiteral("L")}));
    s.clearCondition(list, ListState::Role::ObjectKey);
    s.setOrderColumn(list, QStringLiteral("DATAOD, DATADO"));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport5"), QStringLiteral("terminy.frf"));
}

bool GeneralPage::runFreeLicences()
{
    Statement& q = db().statement(QStringLiteral("DBFWolneLic"));
    q.close();
    {
        const WaitCursor waiting;
        guarded(81141, [&] { q.open(); });
    }
    const bool shown = showReport(QStringLiteral("frReportLic"), QStringLiteral("wolnelic.frf"));
    q.close();
    return shown;
}

bool GeneralPage::runDocuments()
{
    const QString list = QStringLiteral("DBFDokumenty");
    const QString number = takeNumber(this->number(QStringLiteral("ZestDokSeria2")));
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    const QString column =
        choice(QStringLiteral("ZestDokSeria1")) == 1 ? QStringLiteral("DATADOK") : QStringLiteral("TERMIN");
    s.setCondition(list, ListState::Role::DateRange, C::between(column, rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::ObjectKind,
                   C::kindOf(QStringLiteral("CZEGODOTYCZY"), choice(QStringLiteral("ZestDokSeria3"))));
    s.setCondition(list, ListState::Role::Reserved,
                   C::numberOfObject(number, QStringLiteral("CZEGODOTYCZY"),
                                     {QStringLiteral("K"), QStringLiteral("S")}));
    s.setCondition(list, ListState::Role::ActiveOnly, C::activity(choice(QStringLiteral("ZestDokSeria4"))));
    s.clearCondition(list, ListState::Role::ObjectKey);
    s.setOrderColumn(list, column);
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport1"), QStringLiteral("dokumenty.frf"));
}

bool GeneralPage::runHistory()
{
    const QString list = QStringLiteral("DBFHistoria");
    const QString number = takeNumber(this->number(QStringLiteral("ZestHistoriaSeria2")));
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::DateRange, C::period(rangeFrom(), rangeTo()));
    // BHP history never belongs here.
    QString kind = C::kindOf(QStringLiteral("KOMPSPRZ"), choice(QStringLiteral("ZestHistoriaSeria3")));
    kind += (kind.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("AND KOMPSPRZ<>'B'");
    s.setCondition(list, ListState::Role::ObjectKind, kind);
    s.setCondition(
        list, ListState::Role::Reserved,
        C::numberOfObject(number, QStringLiteral("KOMPSPRZ"), {QStringLiteral("K"), QStringLiteral("S")}));
    const QStringList sorts = {QStringLiteral("DATAOD,DATADO"), QStringLiteral("KNREWID,SNREWID"),
                               QStringLiteral("PRACOWNIK"), QStringLiteral("MIEJSCE")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestHistoriaSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport2"), QStringLiteral("historia.frf"));
}

bool GeneralPage::runOrders(const QString& list, const QString& seria, const QString& sort,
                            const QString& report, const QString& file)
{
    const QString number = takeNumber(this->number(seria));
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::DateRange, C::period(rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::Reserved,
                   number.isEmpty() ? QString() : C::equals(QStringLiteral("S.NREWID"), number));
    const QStringList sorts = {QStringLiteral("DATAOD,DATADO"), QStringLiteral("SNREWID"),
                               QStringLiteral("NRDOKUMENTU"),   QStringLiteral("PRACOWNIK"),
                               QStringLiteral("FIRMA"),         QStringLiteral("RODZAJPRACO")};
    s.setOrderColumn(list, sorts.value(choice(sort)));
    s.setAscending(list, true);
    return showReport(report, file);
}

bool GeneralPage::runEmployees()
{
    const QString list = QStringLiteral("DBFosobowa");
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    const QStringList sorts = {QStringLiteral("NREW"), QStringLiteral("NAZWISKO"), QStringLiteral("DZIAL_O"),
                               QStringLiteral("NRPOKOJU"), QStringLiteral("STANOWISKO_O")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestPracSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport6"), QStringLiteral("osobowa.frf"));
}
