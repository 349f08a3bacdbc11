#include "reports/RaportyTab.h"

#include "renderer/ReportPreview.h"
#include "reports/SavedListState.h"
#include "reports/TDMRaporty.h"
#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/Config.h"
#include "store/Guarded.h"
#include "store/PolishCollation.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/AmountFields.h"
#include "widgets/CalendarPicker.h"
#include "widgets/DateField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QStringList kSeries = {QStringLiteral("Dane bieżące"),
                             QStringLiteral("Dane archiwalne / zlikwidowane")};
const QStringList kKinds = {QStringLiteral("Wszystkie"), QStringLiteral("Tylko komputery"),
                            QStringLiteral("Tylko inny sprzęt")};
const QStringList kActivity = {QStringLiteral("Wszystkie terminy"), QStringLiteral("Tylko aktywne"),
                               QStringLiteral("Tylko nieaktywne")};
const QStringList kAssetSort = {QStringLiteral("wg nazwy"),        QStringLiteral("wg nr ewid."),
                                QStringLiteral("wg daty zakupu"),  QStringLiteral("wg daty likwidacji"),
                                QStringLiteral("wg lokalizacji"),  QStringLiteral("wg producenta"),
                                QStringLiteral("wg klasyfikacji"), QStringLiteral("wg osoby odpow.")};
const QStringList kOrderSort = {QStringLiteral("wg daty"),         QStringLiteral("wg sprzętu"),
                                QStringLiteral("wg nr dokumentu"), QStringLiteral("wg osoby"),
                                QStringLiteral("wg firmy"),        QStringLiteral("wg rodzaju prac")};
const QStringList kCostSort = {QStringLiteral("wg daty"), QStringLiteral("wg nr ewid."),
                               QStringLiteral("wg lokalizacji"), QStringLiteral("wg producenta"),
                               QStringLiteral("wg daty likwidacji")};

// Condition texts of the catalogue. A typed number reaches SQL only as a
// quoted literal.
QString equals(const QString& column, const QString& value)
{
    return QStringLiteral("AND ") + column + QLatin1Char('=') + ListState::literal(value);
}

QString between(const QString& column, qint64 from, qint64 to)
{
    return QStringLiteral("AND ") + column + QStringLiteral(" >= ") + QString::number(from) +
           QStringLiteral(" AND ") + column + QStringLiteral(" <= ") + QString::number(to);
}

// "AND ((KIND='K' AND K.NREWID='n') OR ...)" over the aliases of a sub-record
// list. The list joins every kind of object by key alone and keys of
// different kinds overlap, so each number is tied to its kind.
QString numberOfObject(const QString& number, const QString& kindColumn, const QStringList& aliases)
{
    if (number.isEmpty())
        return {};
    QStringList terms;
    for (const QString& alias : aliases)
        terms << QStringLiteral("(") + kindColumn + QStringLiteral("='") + alias + QStringLiteral("' AND ") +
                     alias + QStringLiteral(".NREWID=") + ListState::literal(number) + QLatin1Char(')');
    return QStringLiteral("AND (") + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

QString activity(int choice)
{
    return choice == 1   ? QStringLiteral("AND ACT='T'")
           : choice == 2 ? QStringLiteral("AND ACT='N'")
                         : QString();
}

QString kindOf(const QString& column, int choice)
{
    return choice == 1   ? QStringLiteral("AND ") + column + QStringLiteral("='K'")
           : choice == 2 ? QStringLiteral("AND ") + column + QStringLiteral("='S'")
                         : QString();
}

QString hintFor(const QString& what)
{
    return QStringLiteral("Numer ewidencyjny ") + what +
           QStringLiteral(
               " Pozostaw to pole puste jeśli chcesz otrzymać pełne zestawienie wszystkich elementów");
}
} // namespace

RaportyTab::RaportyTab(TmyDataBase& db, TDMRaporty& reports, QWidget* parent)
    : QWidget(parent), m_db(db), m_reports(reports)
{
    setObjectName(QStringLiteral("RaportyWidok"));
    m_runner = [this](const QString& path, TDMRaporty& data) {
        return ReportPreview::showReport(path, data, window());
    };
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("RaportyTab"));
    m_tabs->addTab(buildGeneral(), QStringLiteral("Ogólne"));
    m_tabs->addTab(buildFinancial(), QStringLiteral("Finansowe"));
    m_tabs->addTab(buildProtocol(0), QStringLiteral("Protokół przyjęcia"));
    m_tabs->addTab(buildProtocol(1), QStringLiteral("Protokół wydania"));
    m_tabs->addTab(buildProtocol(2), QStringLiteral("Protokół likwidacji"));
    m_tabs->addTab(buildLocations(), QStringLiteral("Wg lokalizacji"));
    m_tabs->addTab(buildEmployees(), QStringLiteral("Wg pracowników"));
    m_tabs->addTab(buildBhp(), QStringLiteral("BHP i inne"));
    m_tabs->addTab(buildAdditional(), QStringLiteral("Raporty dodatkowe"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buildPanel());
    resetPages();
}

QGridLayout* RaportyTab::startPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    const char* heads[] = {"Filrt 1", "Filrt 2 (Nr ewid.)", "Filrt 3", "Sortowanie"};
    for (int c = 0; c < 4; ++c) {
        auto* head = new QLabel(QString::fromUtf8(heads[c]), page);
        QFont f = head->font();
        f.setBold(true);
        head->setFont(f);
        grid->addWidget(head, 0, c + 1);
    }
    m_row = 0;
    return grid;
}

QPushButton* RaportyTab::addStatement(QGridLayout* grid, const QString& button, const QString& caption)
{
    ++m_row;
    auto* b = new QPushButton(caption, grid->parentWidget());
    b->setObjectName(button);
    b->setMinimumWidth(250);
    b->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
    connect(b, &QPushButton::clicked, this, [this, button] { run(button); });
    grid->addWidget(b, m_row, 0);
    return b;
}

QComboBox* RaportyTab::addChoice(QGridLayout* grid, int column, const QString& name, const QStringList& items,
                                 const QString& hint)
{
    auto* box = new QComboBox(grid->parentWidget());
    box->setObjectName(name);
    box->addItems(items);
    box->setToolTip(hint);
    box->setMaximumWidth(240);
    m_combos.insert(name, box);
    if (QLayoutItem* item = grid->itemAtPosition(m_row, column)) {
        // Several choices share the "Filrt 3" cell.
        item->widget()->layout()->addWidget(box);
    } else {
        auto* cell = new QWidget(grid->parentWidget());
        auto* l = new QHBoxLayout(cell);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(box);
        grid->addWidget(cell, m_row, column);
    }
    return box;
}

QLineEdit* RaportyTab::addNumber(QGridLayout* grid, const QString& name, const QString& what)
{
    auto* field = new QLineEdit(grid->parentWidget());
    field->setObjectName(name);
    field->setToolTip(hintFor(what));
    field->setMaxLength(50);
    field->setMinimumWidth(110);
    m_numbers.insert(name, field);
    grid->addWidget(field, m_row, 2);
    return field;
}

QWidget* RaportyTab::buildGeneral()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Tab1"));
    QGridLayout* g = startPage(page);

    addStatement(g, QStringLiteral("SBZestKomp"), QStringLiteral("Zestawienie komputerów"));
    addChoice(g, 1, QStringLiteral("ZestKompSeria1"), kSeries);
    addNumber(g, QStringLiteral("ZestKompSeria2"), QStringLiteral("komputera"));
    addChoice(g, 4, QStringLiteral("ZestKompSort"), kAssetSort);

    addStatement(g, QStringLiteral("SBZestSprz"), QStringLiteral("Zestawienie innego sprzętu"));
    addChoice(g, 1, QStringLiteral("ZestSprzSeria1"), kSeries);
    addNumber(g, QStringLiteral("ZestSprzSeria2"), QStringLiteral("sprzętu"));
    addChoice(g, 4, QStringLiteral("ZestSprzSort"), kAssetSort);

    addStatement(g, QStringLiteral("SBZestOpr"), QStringLiteral("Zestawienie oprogramowania"));
    addChoice(g, 1, QStringLiteral("ZestOprSeria1"), kSeries);
    addNumber(g, QStringLiteral("ZestOprSeria2"), QStringLiteral("licencji"));
    m_showPasswords = new QCheckBox(QStringLiteral("Pokaż hasła"), page);
    m_showPasswords->setObjectName(QStringLiteral("ZestOprSeria3"));
    m_showPasswords->setToolTip(QStringLiteral("Zaznacz aby dołączyć hasła licencji na raporcie"));
    g->addWidget(m_showPasswords, m_row, 3);
    addChoice(g, 4, QStringLiteral("ZestOprSort"),
              {QStringLiteral("wg programu"), QStringLiteral("wg nr ewid. progr."),
               QStringLiteral("wg klasyfik. progr."), QStringLiteral("wg nr licencji"),
               QStringLiteral("wg nr ewid. lic."), QStringLiteral("typ licencji"),
               QStringLiteral("daty zakupu lic.")});

    addStatement(g, QStringLiteral("SBZestNapraw"), QStringLiteral("Zestawienie napraw"));
    addChoice(g, 1, QStringLiteral("ZestNaprawSeria1"),
              {QStringLiteral("Wybierz wg terminu"), QStringLiteral("Wybierz wg daty naprawy")});
    addNumber(g, QStringLiteral("ZestNaprawSeria2"), QStringLiteral("elementu"));
    addChoice(g, 3, QStringLiteral("ZestNaprawSeria3"), kKinds);
    addChoice(g, 3, QStringLiteral("ZestNaprawSeria4"), kActivity);

    addStatement(g, QStringLiteral("SBZaplZdarz"), QStringLiteral("Zaplanowane zdarzenia (terminarz)"));
    addChoice(g, 1, QStringLiteral("ZaplZdarzSeria1"), kActivity);
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
    addChoice(g, 3, QStringLiteral("ZestDokSeria3"), kKinds);
    addChoice(g, 3, QStringLiteral("ZestDokSeria4"), kActivity);

    addStatement(g, QStringLiteral("SBZestHistoria"), QStringLiteral("Historia użytkowania sprzętu"));
    addNumber(g, QStringLiteral("ZestHistoriaSeria2"), QStringLiteral("elementu"));
    addChoice(g, 3, QStringLiteral("ZestHistoriaSeria3"), kKinds);
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

    g->setRowStretch(m_row + 1, 1);
    g->setColumnStretch(5, 1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("Tab1"));
    page->setObjectName(QStringLiteral("Tab1Strona"));
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

QWidget* RaportyTab::buildFinancial()
{
    auto* page = new QWidget;
    QGridLayout* g = startPage(page);

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
        addChoice(g, 1, QStringLiteral("ZestFin") + w + QStringLiteral("Seria1"), kSeries);
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
    addChoice(g, 3, QStringLiteral("ZestFinNaprSeria3"), kKinds);

    addStatement(g, QStringLiteral("RapSpis"), QStringLiteral("Wykaz bieżącego wyposażenia"));
    auto* valueCell = new QWidget(page);
    auto* vl = new QHBoxLayout(valueCell);
    vl->setContentsMargins(0, 0, 0, 0);
    vl->addWidget(new QLabel(QStringLiteral("Wartość początkowa:"), valueCell));
    g->addWidget(valueCell, m_row, 1);
    addChoice(g, 1, QStringLiteral("cbWartPocz"), {QStringLiteral("Netto"), QStringLiteral("Brutto")});
    auto* amounts = new QWidget(page);
    auto* al = new QHBoxLayout(amounts);
    al->setContentsMargins(0, 0, 0, 0);
    const auto amountField = [&](const char* box, const char* caption, const char* field, QCheckBox** check,
                                 QLineEdit** edit) {
        *check = new QCheckBox(QString::fromUtf8(caption), amounts);
        (*check)->setObjectName(QLatin1String(box));
        *edit = new QLineEdit(amounts);
        (*edit)->setObjectName(QLatin1String(field));
        (*edit)->setMaximumWidth(90);
        (*edit)->setAlignment(Qt::AlignRight);
        QCheckBox* c = *check;
        QLineEdit* e = *edit;
        connect(e, &QLineEdit::textEdited, this, [c, e](const QString& text) {
            // Typing ticks the box; a point or comma becomes the decimal separator.
            QString fixed = text;
            const QChar sep = AmountFields::decimalSeparator();
            fixed.replace(QLatin1Char('.'), sep).replace(QLatin1Char(','), sep);
            if (fixed != text) {
                const int pos = e->cursorPosition();
                e->setText(fixed);
                e->setCursorPosition(pos);
            }
            c->setChecked(true);
        });
        al->addWidget(*check);
        al->addWidget(*edit);
    };
    amountField("cbKwotaOd", "O kwocie powyżej:", "kwotaOd", &m_above, &m_aboveValue);
    amountField("cbKwotaDo", "O kwocie poniżej:", "kwotaDo", &m_below, &m_belowValue);
    g->addWidget(amounts, m_row, 3);

    g->setRowStretch(m_row + 1, 1);
    g->setColumnStretch(5, 1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("Tab2"));
    page->setObjectName(QStringLiteral("Tab2Strona"));
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

QWidget* RaportyTab::buildPanel()
{
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("RapPanel"));
    auto* l = new QHBoxLayout(panel);
    l->addWidget(new QLabel(QStringLiteral("Zakres dat:"), panel));
    m_from = new DateField(panel);
    m_from->setObjectName(QStringLiteral("RapDTOD"));
    m_to = new DateField(panel);
    m_to->setObjectName(QStringLiteral("RapDTDO"));
    for (DateField* f : {m_from, m_to})
        f->setToolTip(QStringLiteral("Dane z okresu (od-do)"));
    auto* fromPicker = new CalendarPicker(m_from, panel);
    fromPicker->setObjectName(QStringLiteral("DTPRapDTOD"));
    auto* toPicker = new CalendarPicker(m_to, panel);
    toPicker->setObjectName(QStringLiteral("DTPRapDTDO"));
    l->addWidget(m_from);
    l->addWidget(fromPicker);
    l->addWidget(new QLabel(QStringLiteral(" - "), panel));
    l->addWidget(m_to);
    l->addWidget(toPicker);
    l->addSpacing(20);

    m_issueDateOn = new QCheckBox(QStringLiteral("Data wyst.:"), panel);
    m_issueDateOn->setObjectName(QStringLiteral("dataNaRaporcie"));
    m_issueDateOn->setToolTip(QStringLiteral("Umieść na raportach datę wystawienia"));
    m_issueDate = new DateField(panel);
    m_issueDate->setObjectName(QStringLiteral("dataRap"));
    m_issueDate->setToolTip(QStringLiteral("Wprowadź datę wystawienia raportu"));
    m_issuePicker = new CalendarPicker(m_issueDate, panel);
    m_issuePicker->setObjectName(QStringLiteral("DTPDataRap"));
    connect(m_issueDateOn, &QCheckBox::toggled, this, [this](bool on) {
        m_issueDate->setEnabled(on);
        m_issuePicker->setEnabled(on);
    });
    l->addWidget(m_issueDateOn);
    l->addWidget(m_issueDate);
    l->addWidget(m_issuePicker);
    l->addSpacing(20);

    m_liquidationDate =
        new QCheckBox(QStringLiteral("Dla danych zarchiwizowanych zastosuj filtr do daty likwidacji"), panel);
    m_liquidationDate->setObjectName(QStringLiteral("cbDataLikwidacji"));
    m_liquidationDate->setChecked(true);
    l->addWidget(m_liquidationDate);
    l->addStretch(1);
    return panel;
}

void RaportyTab::resetPages()
{
    for (QComboBox* c : std::as_const(m_combos))
        c->setCurrentIndex(0);
    for (QLineEdit* n : std::as_const(m_numbers))
        n->clear();
    m_showPasswords->setChecked(false);
    m_aboveValue->setText(QStringLiteral("0"));
    m_belowValue->setText(QStringLiteral("0"));
    m_above->setChecked(false);
    m_below->setChecked(false);
    for (const char* box : {"cbLokKomputery", "cbLokSprzet", "cbPracKomputery", "cbPracSprzet",
                            "cbPracLicencje", "cbPracUzytkuje", "cbPracOdpowiada"})
        control<QCheckBox>(QLatin1String(box))->setChecked(true);
}

void RaportyTab::viewEntered()
{
    const bool on = Config::global().flag(QStringLiteral("cbRapData"));
    m_issueDateOn->setChecked(on);
    m_issueDate->setEnabled(on);
    m_issuePicker->setEnabled(on);
    m_issueDate->setDate(Clock::today());
    presetLookups();
}

void RaportyTab::showTab(int tab)
{
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

QComboBox* RaportyTab::combo(const QString& name) const
{
    return m_combos.value(name);
}

QLineEdit* RaportyTab::number(const QString& name) const
{
    return m_numbers.value(name);
}

int RaportyTab::choice(const QString& name) const
{
    const QComboBox* c = combo(name);
    return c ? c->currentIndex() : 0;
}

qint64 RaportyTab::rangeFrom() const
{
    return m_from->isValidDate() ? m_from->ymd() : 0;
}

qint64 RaportyTab::rangeTo() const
{
    return m_to->isValidDate() ? m_to->ymd() : ListState::kNoUpperBound;
}

QString RaportyTab::takeNumber(QLineEdit* field)
{
    if (!field)
        return {};
    const QString trimmed = field->text().trimmed();
    if (trimmed.isEmpty())
        return {};
    if (trimmed.contains(QLatin1Char('"'))) {
        field->setText(QString(field->text()).replace(QLatin1Char('"'), QLatin1Char('`')));
        return QString(trimmed).replace(QLatin1Char('"'), QLatin1Char('`'));
    }
    return trimmed;
}

QString RaportyTab::templatePath(const QString& file)
{
    return QDir(AppPaths::programDir()).filePath(QStringLiteral("raporty/") + file);
}

bool RaportyTab::showReport(const QString& report, const QString& file, bool checkAttachments)
{
    return showReportAt(report, templatePath(file), checkAttachments);
}

bool RaportyTab::showReportAt(const QString& report, const QString& path, bool checkAttachments)
{
    m_reports.setReport(report);
    TDMRaporty::Choices& c = m_reports.choices();
    c.issueDateOn = m_issueDateOn->isChecked();
    c.issueDate = m_issueDate->dateText();
    c.showPasswords = m_showPasswords->isChecked();
    c.grossValue = choice(QStringLiteral("cbWartPocz")) == 1;
    c.attachmentCheck = checkAttachments;
    return m_runner(path, m_reports);
}

bool RaportyTab::run(const QString& button)
{
    if (button == QLatin1String("SBZestKomp") || button == QLatin1String("SBZestSprz") ||
        button == QLatin1String("SBZestOpr"))
        return runAssetReport(button);
    if (button == QLatin1String("SBZestNapraw"))
        return runRepairs(false);
    if (button == QLatin1String("SBZestFinNapr"))
        return runRepairs(true);
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
    if (button.startsWith(QLatin1String("SBZestFin")))
        return runCosts(button);
    if (button == QLatin1String("RapSpis"))
        return runRegister();
    if (button == QLatin1String("DPDrukuj"))
        return runProtocol(0);
    if (button == QLatin1String("DWDrukuj"))
        return runProtocol(1);
    if (button == QLatin1String("PLDrukuj"))
        return runProtocol(2);
    if (button == QLatin1String("SBLokWyposazenie"))
        return runLocations();
    if (button == QLatin1String("SBPracWyposazenie"))
        return runByEmployee();
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
    if (button == QLatin1String("SBOtworzRaport"))
        return runAdditional();
    if (button == QLatin1String("SBDormak"))
        return runDormak();
    if (button == QLatin1String("dormakButtonToCSV"))
        return runDormakCsv();
    return false;
}

// The computers, equipment and software statements read report queries of
// their own; the lists of the main window are not touched.
bool RaportyTab::runAssetReport(const QString& button)
{
    const QString word = button.mid(6); // Komp, Sprz, Opr
    const QString prefix = QStringLiteral("Zest") + word;
    const bool archive = choice(prefix + QStringLiteral("Seria1")) == 1;
    const QString number = takeNumber(this->number(prefix + QStringLiteral("Seria2")));
    const int sort = choice(prefix + QStringLiteral("Sort"));
    const bool software = word == QLatin1String("Opr");
    const QString alias = software ? QStringLiteral("L.") : QStringLiteral("K.");
    const QString dateColumn =
        archive && m_liquidationDate->isChecked() ? QStringLiteral("DATAARCH") : QStringLiteral("DATAZAKUPU");
    const QString date = between(alias + dateColumn, rangeFrom(), rangeTo());
    const QString arch = QStringLiteral("AND ") + alias +
                         (archive ? QStringLiteral("ARCHIWUM='T'") : QStringLiteral("ARCHIWUM='N'"));
    const QString numberCondition =
        number.isEmpty() ? QString() : equals(alias + QStringLiteral("NREWID"), number);

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

    Statement& q = m_db.statement(statement);
    q.close();
    q.setLine(dateLine, date);
    q.setLine(dateLine + 1, arch);
    q.setLine(dateLine + 2, numberCondition);
    q.setLine(sortLine, sorts.value(sort, sorts.first()) + PolishCollation::clause());
    guarded(code, [&] { q.open(); });
    // The equipment of each computer is read from the equipment list.
    SavedListState saved(m_db.listState(), {QStringLiteral("DBFSprzet")});
    const bool shown = showReport(report, file);
    q.close();
    return shown;
}

bool RaportyTab::runRepairs(bool costs)
{
    const QString p = costs ? QStringLiteral("ZestFinNapr") : QStringLiteral("ZestNapraw");
    const QString list = QStringLiteral("DBFNaprawy");
    const QString number = takeNumber(this->number(p + QStringLiteral("Seria2")));
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    const bool byRepairDate = choice(p + QStringLiteral("Seria1")) == 1;
    const QString column = byRepairDate ? QStringLiteral("DATANAPRAWY") : QStringLiteral("TERMIN");
    s.setCondition(list, ListState::Role::DateRange, between(column, rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::ObjectKind,
                   kindOf(QStringLiteral("KOMPSPRZ"), choice(p + QStringLiteral("Seria3"))));
    s.setCondition(
        list, ListState::Role::Reserved,
        numberOfObject(number, QStringLiteral("KOMPSPRZ"), {QStringLiteral("K"), QStringLiteral("S")}));
    s.setCondition(list, ListState::Role::ActiveOnly,
                   costs ? QString() : activity(choice(p + QStringLiteral("Seria4"))));
    s.clearCondition(list, ListState::Role::ObjectKey);
    s.setOrderColumn(list, column);
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport4"),
                      costs ? QStringLiteral("fin_naprawy.frf") : QStringLiteral("naprawy.frf"));
}

bool RaportyTab::runDeadlines()
{
    const QString list = QStringLiteral("DBFTerminy");
    const QString number = takeNumber(this->number(QStringLiteral("ZaplZdarzSeria2")));
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    s.setCondition(list, ListState::Role::ActiveOnly, activity(choice(QStringLiteral("ZaplZdarzSeria1"))));
    s.setCondition(list, ListState::Role::DateRange,
                   QStringLiteral("AND DATAOD >= ") + QString::number(rangeFrom()) +
                       QStringLiteral(" AND DATADO <= ") + QString::number(rangeTo()));
    const char* kinds[] = {"", "K", "L", "S", "B"};
    const int kind = choice(QStringLiteral("ZaplZdarzSeria3"));
    s.setCondition(list, ListState::Role::ObjectKind,
                   kind > 0
                       ? QStringLiteral("AND CZEGODOTYCZY='") + QLatin1String(kinds[kind]) + QLatin1Char('\'')
                       : QString());
    // Numbers of BHP items are not matched.
    s.setCondition(list, ListState::Role::Reserved,
                   numberOfObject(number, QStringLiteral("CZEGODOTYCZY"),
                                  {QStringLiteral("K"), QStringLiteral("S"), QStringLiteral("L")}));
    s.clearCondition(list, ListState::Role::ObjectKey);
    s.setOrderColumn(list, QStringLiteral("DATAOD, DATADO"));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport5"), QStringLiteral("terminy.frf"));
}

bool RaportyTab::runFreeLicences()
{
    Statement& q = m_db.statement(QStringLiteral("DBFWolneLic"));
    q.close();
    guarded(81141, [&] { q.open(); });
    const bool shown = showReport(QStringLiteral("frReportLic"), QStringLiteral("wolnelic.frf"));
    q.close();
    return shown;
}

bool RaportyTab::runDocuments()
{
    const QString list = QStringLiteral("DBFDokumenty");
    const QString number = takeNumber(this->number(QStringLiteral("ZestDokSeria2")));
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    const QString column =
        choice(QStringLiteral("ZestDokSeria1")) == 1 ? QStringLiteral("DATADOK") : QStringLiteral("TERMIN");
    s.setCondition(list, ListState::Role::DateRange, between(column, rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::ObjectKind,
                   kindOf(QStringLiteral("CZEGODOTYCZY"), choice(QStringLiteral("ZestDokSeria3"))));
    s.setCondition(
        list, ListState::Role::Reserved,
        numberOfObject(number, QStringLiteral("CZEGODOTYCZY"), {QStringLiteral("K"), QStringLiteral("S")}));
    s.setCondition(list, ListState::Role::ActiveOnly, activity(choice(QStringLiteral("ZestDokSeria4"))));
    s.clearCondition(list, ListState::Role::ObjectKey);
    s.setOrderColumn(list, column);
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport1"), QStringLiteral("dokumenty.frf"));
}

bool RaportyTab::runHistory()
{
    const QString list = QStringLiteral("DBFHistoria");
    const QString number = takeNumber(this->number(QStringLiteral("ZestHistoriaSeria2")));
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::DateRange,
                   QStringLiteral("AND DATAOD >= ") + QString::number(rangeFrom()) +
                       QStringLiteral(" AND DATADO <= ") + QString::number(rangeTo()));
    // BHP history never belongs here.
    QString kind = kindOf(QStringLiteral("KOMPSPRZ"), choice(QStringLiteral("ZestHistoriaSeria3")));
    kind += (kind.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("AND KOMPSPRZ<>'B'");
    s.setCondition(list, ListState::Role::ObjectKind, kind);
    s.setCondition(
        list, ListState::Role::Reserved,
        numberOfObject(number, QStringLiteral("KOMPSPRZ"), {QStringLiteral("K"), QStringLiteral("S")}));
    const QStringList sorts = {QStringLiteral("DATAOD,DATADO"), QStringLiteral("KNREWID,SNREWID"),
                               QStringLiteral("PRACOWNIK"), QStringLiteral("MIEJSCE")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestHistoriaSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport2"), QStringLiteral("historia.frf"));
}

bool RaportyTab::runOrders(const QString& list, const QString& seria, const QString& sort,
                           const QString& report, const QString& file)
{
    const QString number = takeNumber(this->number(seria));
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    s.setCondition(list, ListState::Role::DateRange,
                   QStringLiteral("AND DATAOD >= ") + QString::number(rangeFrom()) +
                       QStringLiteral(" AND DATADO <= ") + QString::number(rangeTo()));
    s.setCondition(list, ListState::Role::Reserved,
                   number.isEmpty() ? QString() : equals(QStringLiteral("S.NREWID"), number));
    const QStringList sorts = {QStringLiteral("DATAOD,DATADO"), QStringLiteral("SNREWID"),
                               QStringLiteral("NRDOKUMENTU"),   QStringLiteral("PRACOWNIK"),
                               QStringLiteral("FIRMA"),         QStringLiteral("RODZAJPRACO")};
    s.setOrderColumn(list, sorts.value(choice(sort)));
    s.setAscending(list, true);
    return showReport(report, file);
}

bool RaportyTab::runEmployees()
{
    const QString list = QStringLiteral("DBFosobowa");
    ListState& s = m_db.listState();
    SavedListState saved(s, {list});
    for (int line : ListState::slotLines(list))
        s.setSlot(list, line, QString());
    const QStringList sorts = {QStringLiteral("NREW"), QStringLiteral("NAZWISKO"), QStringLiteral("DZIAL_O"),
                               QStringLiteral("NRPOKOJU"), QStringLiteral("STANOWISKO_O")};
    s.setOrderColumn(list, sorts.value(choice(QStringLiteral("ZestPracSort"))));
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport6"), QStringLiteral("osobowa.frf"));
}

bool RaportyTab::runCosts(const QString& button)
{
    const QString word = button.mid(9); // Komp, Sprz, Lic
    const QString p = QStringLiteral("ZestFin") + word;
    const bool licences = word == QLatin1String("Lic");
    const QString list = word == QLatin1String("Komp")   ? QStringLiteral("DBFKomputery")
                         : word == QLatin1String("Sprz") ? QStringLiteral("DBFSprzet")
                                                         : QStringLiteral("DBFLicencje");
    const bool archive = choice(p + QStringLiteral("Seria1")) == 1;
    const QString number = takeNumber(this->number(p + QStringLiteral("Seria2")));
    ListState& s = m_db.listState();
    const QString licProg = QStringLiteral("DBFLicProg");
    SavedListState saved(s, {list, licProg});
    s.setCondition(list, ListState::Role::Archive, ListState::archiveCondition(archive));
    const QString dateColumn =
        archive && m_liquidationDate->isChecked() ? QStringLiteral("DATAARCH") : QStringLiteral("DATAZAKUPU");
    s.setCondition(list, ListState::Role::DateRange,
                   between(ListState::qualifiedColumn(list, dateColumn), rangeFrom(), rangeTo()));
    s.setCondition(list, ListState::Role::Reserved,
                   number.isEmpty()
                       ? QString()
                       : equals(ListState::qualifiedColumn(list, QStringLiteral("NREWID")), number));
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

bool RaportyTab::runRegister()
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
    Statement& current = m_db.statement(QStringLiteral("DBFSpis1"));
    Statement& liquidated = m_db.statement(QStringLiteral("DBFSpis2"));
    current.close();
    liquidated.close();
    for (int part = 0; part < 3; ++part) {
        current.setLine(1 + part * 4, range);
        current.setLine(2 + part * 4, above);
        current.setLine(3 + part * 4, below);
        liquidated.setLine(1 + part * 2, arch);
    }
    guarded(62141, [&] { current.open(); });
    guarded(62142, [&] { liquidated.open(); });
    const bool shown = showReport(QStringLiteral("frReport12"), QStringLiteral("zestawienie.frf"));
    current.close();
    liquidated.close();
    return shown;
}
