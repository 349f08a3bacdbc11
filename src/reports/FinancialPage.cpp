#include "reports/FinancialPage.h"

#include "reports/ReportConditions.h"
#include "reports/ReportPanel.h"
#include "reports/SavedListState.h"
#include "reports/WaitCursor.h"
#include "store/Guarded.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
using C = ReportConditions;

const QStringList kCostSort = {QStringLiteral("wg daty"), QStringLiteral("wg nr ewid."),
                               QStringLiteral("wg lokalizacji"), QStringLiteral("wg producenta"),
                               QStringLiteral("wg daty likwidacji")};
} // namespace

FinancialPage::FinancialPage(const Context& context) : ReportPage(context, QStringLiteral("Tab2"))
{
    QGridLayout* g = startPage({QStringLiteral("Filrt 1"), QStringLiteral("Filrt 2 (Nr ewid.)"),
                                QStringLiteral("Filrt 3"), QStringLiteral("Sortowanie")});

    const struct
    {
        const char* word;
        const char* caption;
        const char* what;
    } costs[] = {{"Komp", "Koszty zakupu komputerów", "komputera"},
                 {"Sprz", "Koszty zakupu innego sprzętu", "sprzętu"},
                 {"Lic", "Koszty zakupu licencji", "licencji"}};
    for (const auto& c : costs) {
        const QString w = QLatin1String(c.word);
        addStatement(g, QStringLiteral("SBZestFin") + w, QString::fromUtf8(c.caption));
        addChoice(g, 1, QStringLiteral("ZestFin") + w + QStringLiteral("Seria1"), seriesItems());
        addNumber(g, QStringLiteral("ZestFin") + w + QStringLiteral("Seria2"), QString::fromUtf8(c.what));
        addChoice(g, 4, QStringLiteral("ZestFin") + w + QStringLiteral("Sort"),
                  w == QLatin1String("Lic")
                      ? QStringList{QStringLiteral("wg daty"), QStringLiteral("wg nr ewid."),
                                    QStringLiteral("wg dostawcy"), QStringLiteral("wg daty likwidacji")}
                      : kCostSort);
    }

    addStatement(g, QStringLiteral("SBZestFinNapr"), QStringLiteral("Koszty napraw"));
    addChoice(g, 1, QStringLiteral("ZestFinNaprSeria1"),
              {QStringLiteral("Wybierz wg terminu"), QStringLiteral("Wybierz wg daty naprawy")});
    addNumber(g, QStringLiteral("ZestFinNaprSeria2"), QStringLiteral("elementu"));
    addChoice(g, 3, QStringLiteral("ZestFinNaprSeria3"), kindItems());

    addStatement(g, QStringLiteral("RapSpis"), QStringLiteral("Wykaz bieżącego wyposażenia"));
    auto* valueCell = new QWidget(this);
    auto* vl = new QHBoxLayout(valueCell);
    vl->setContentsMargins(0, 0, 0, 0);
    vl->addWidget(new QLabel(QStringLiteral("Wartość początkowa:"), valueCell));
    g->addWidget(valueCell, row(), 1);
    addChoice(g, 1, QStringLiteral("cbWartPocz"), {QStringLiteral("Netto"), QStringLiteral("Brutto")});
    auto* amounts = new QWidget(this);
    auto* al = new QGridLayout(amounts);
    al->setContentsMargins(0, 0, 0, 0);
    m_above = addAmount(amounts, QStringLiteral("cbKwotaOd"), QStringLiteral("O kwocie powyżej:"),
                        QStringLiteral("kwotaOd"), &m_aboveValue);
    m_below = addAmount(amounts, QStringLiteral("cbKwotaDo"), QStringLiteral("O kwocie poniżej:"),
                        QStringLiteral("kwotaDo"), &m_belowValue);
    // Over the number and third filter columns, which this statement does not use otherwise.
    g->addWidget(amounts, row(), 2, 1, 2);

    g->setRowStretch(row() + 1, 1);
    g->setColumnStretch(5, 1);
}

QCheckBox* FinancialPage::addAmount(QWidget* parent, const QString& box, const QString& caption,
                                    const QString& field, QLineEdit** edit)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(box);
    auto* e = new QLineEdit(parent);
    e->setObjectName(field);
    e->setAlignment(Qt::AlignRight);
    // As long as the amounts of the editors, and wide enough to show twelve digits and the grosze.
    e->setMaxLength(18);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("999999999999,99")) + 16);
    connect(e, &QLineEdit::textEdited, this, [check, e](const QString& text) {
        // Typing ticks the box; a point or comma becomes the decimal separator.
        QString fixed = text;
        const QChar sep = AmountFields::decimalSeparator();
        fixed.replace(QLatin1Char('.'), sep).replace(QLatin1Char(','), sep);
        if (fixed != text) {
            const int pos = e->cursorPosition();
            e->setText(fixed);
            e->setCursorPosition(pos);
        }
        check->setChecked(true);
    });
    auto* grid = static_cast<QGridLayout*>(parent->layout());
    const int row = grid->rowCount() == 1 && !grid->itemAtPosition(0, 0) ? 0 : grid->rowCount();
    grid->addWidget(check, row, 0);
    grid->addWidget(e, row, 1);
    *edit = e;
    return check;
}

bool FinancialPage::run(const QString& button)
{
    if (button == QLatin1String("SBZestFinNapr"))
        return runRepairs(QStringLiteral("ZestFinNapr"), true);
    if (button.startsWith(QLatin1String("SBZestFin")))
        return runCosts(button);
    if (button == QLatin1String("RapSpis"))
        return runRegister();
    return false;
}

void FinancialPage::reset()
{
    ReportPage::reset();
    m_aboveValue->setText(QStringLiteral("0"));
    m_belowValue->setText(QStringLiteral("0"));
    m_above->setChecked(false);
    m_below->setChecked(false);
}

void FinancialPage::addChoices(TDMRaporty::Choices& choices) const
{
    choices.grossValue = choice(QStringLiteral("cbWartPocz")) == 1;
}

bool FinancialPage::runCosts(const QString& button)
{
    const QString word = button.mid(9); // Komp, Sprz, Lic
    const QString p = QStringLiteral("ZestFin") + word;
    const bool licences = word == QLatin1String("Lic");
    const QString list = word == QLatin1String("Komp")   ? QStringLiteral("DBFKomputery")
                         : word == QLatin1String("Sprz") ? QStringLiteral("DBFSprzet")
                                                         : QStringLiteral("DBFLicencje");
    const bool archive = choice(p + QStringLiteral("Seria1")) == 1;
    const QString number = takeNumber(this->number(p + QStringLiteral("Seria2")));
    ListState& s = db().listState();
    const QString licProg = QStringLiteral("DBFLicProg");
    SavedListState saved(s, {list, licProg});
    s.setCondition(list, ListState::Role::Archive, ListState::archiveCondition(archive));
    s.setCondition(
        list, ListState::Role::DateRange,
        C::between(ListState::qualifiedColumn(list, panel().dateColumn(archive)), rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::Reserved,
                   number.isEmpty()
                       ? QString()
                       : C::equals(ListState::qualifiedColumn(list, QStringLiteral("NREWID")), number));
    const QStringList sorts =
        licences ? QStringList{QStringLiteral("DATAZAKUPU"), QStringLiteral("NREWID"),
                               QStringLiteral("FIRMA"), QStringLiteral("DATAARCH")}
                 : QStringList{QStringLiteral("DATAZAKUPU"), QStringLiteral("NREWID"), QStringLiteral("LOK"),
                               QStringLiteral("PRODUCENT"), QStringLiteral("DATAARCH")};
    s.setOrderColumn(list, sorts.value(choice(p + QStringLiteral("Sort"))));
    s.setAscending(list, true);
    if (licences)
        s.setCondition(licProg, ListState::Role::ActiveOnly,
                       archive ? QString() : QStringLiteral("AND ACT='T'"));
    const QString report = word == QLatin1String("Komp")   ? QStringLiteral("frReport7")
                           : word == QLatin1String("Sprz") ? QStringLiteral("frReport8")
                                                           : QStringLiteral("frReport9");
    const QString file = word == QLatin1String("Komp")   ? QStringLiteral("fin_komputery.frf")
                         : word == QLatin1String("Sprz") ? QStringLiteral("fin_sprzet.frf")
                                                         : QStringLiteral("fin_licencje.frf");
    return showReport(report, file);
}

bool FinancialPage::runRegister()
{
    const QString column =
        choice(QStringLiteral("cbWartPocz")) == 1 ? QStringLiteral("BRUTTO") : QStringLiteral("NETTO");
    // An amount that does not parse is taken as 0 and shown so.
    const auto limit = [&](QCheckBox* box, QLineEdit* field, const char* op) -> QString {
        if (!box->isChecked())
            return {};
        double value = 0;
        if (!AmountFields::parse(field->text(), &value)) {
            value = 0;
            field->setText(QStringLiteral("0"));
        }
        return QStringLiteral("AND ") + column + QLatin1String(op) + QString::number(value, 'f', 2);
    };
    const QString above = limit(m_above, m_aboveValue, ">=");
    const QString below = limit(m_below, m_belowValue, "<=");
    const QString range = QStringLiteral("AND DATAZAKUPU>=") + QString::number(rangeFrom()) +
                          QStringLiteral(" AND DATAZAKUPU<=") + QString::number(rangeTo());
    const QString arch = QStringLiteral("AND DATAARCH>=") + QString::number(rangeFrom()) +
                         QStringLiteral(" AND DATAARCH<=") + QString::number(rangeTo());
    Statement& current = db().statement(QStringLiteral("DBFSpis1"));
    Statement& liquidated = db().statement(QStringLiteral("DBFSpis2"));
    current.close();
    liquidated.close();
    for (int block = 0; block < 3; ++block) {
        current.setLine(1 + block * 4, range);
        current.setLine(2 + block * 4, above);
        current.setLine(3 + block * 4, below);
        liquidated.setLine(1 + block * 2, arch);
    }
    {
        const WaitCursor waiting;
        guarded(62141, [&] { current.open(); });
        guarded(62142, [&] { liquidated.open(); });
    }
    const bool shown = showReport(QStringLiteral("frReport12"), QStringLiteral("zestawienie.frf"));
    current.close();
    liquidated.close();
    return shown;
}
