#include "reports/ReportPage.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "reports/ReportConditions.h"
#include "reports/ReportPanel.h"
#include "reports/SavedListState.h"
#include "store/TmyDataBase.h"
#include "widgets/Lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
QString hintFor(const QString& what)
{
    return QStringLiteral("Numer ewidencyjny ") + what +
           QStringLiteral(
               " Pozostaw to pole puste jeśli chcesz otrzymać pełne zestawienie wszystkich elementów");
}
} // namespace

ReportPage::ReportPage(const Context& context, const QString& name) : m_context(context), m_name(name)
{
    setObjectName(name + QStringLiteral("Strona"));
}

void ReportPage::reset()
{
    for (QComboBox* c : std::as_const(m_combos))
        c->setCurrentIndex(0);
    for (QLineEdit* n : std::as_const(m_numbers))
        n->clear();
}

void ReportPage::viewEntered()
{
    for (Lookup* lookup : findChildren<Lookup*>()) {
        lookup->refill();
        lookup->setCurrentIndex(lookup->count() > 0 ? 0 : -1);
    }
}

void ReportPage::addChoices(TDMRaporty::Choices& choices) const
{
    Q_UNUSED(choices);
}

QScrollArea* ReportPage::scrolled()
{
    auto* scroll = new QScrollArea;
    scroll->setObjectName(m_name);
    scroll->setWidget(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

QString ReportPage::takeNumber(QLineEdit* field)
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

QString ReportPage::templatePath(const QString& file)
{
    return QDir(AppPaths::programDir()).filePath(QStringLiteral("raporty/") + file);
}

qint64 ReportPage::rangeFrom() const
{
    return panel().rangeFrom();
}

qint64 ReportPage::rangeTo() const
{
    return panel().rangeTo();
}

bool ReportPage::checked(const QString& name) const
{
    const QCheckBox* box = control<QCheckBox>(name);
    return box && box->isEnabled() && box->isChecked();
}

int ReportPage::choice(const QString& name) const
{
    const QComboBox* c = m_combos.value(name);
    return c ? c->currentIndex() : 0;
}

QLineEdit* ReportPage::number(const QString& name) const
{
    return m_numbers.value(name);
}

void ReportPage::keepChoice(QComboBox* box)
{
    m_combos.insert(box->objectName(), box);
}

void ReportPage::keepNumber(QLineEdit* field)
{
    m_numbers.insert(field->objectName(), field);
}

QGridLayout* ReportPage::startPage(const QStringList& heads)
{
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (int c = 0; c < heads.size(); ++c) {
        auto* head = new QLabel(heads.at(c), this);
        QFont f = head->font();
        f.setBold(true);
        head->setFont(f);
        grid->addWidget(head, 0, c + 1);
    }
    m_row = 0;
    return grid;
}

QPushButton* ReportPage::addStatement(QGridLayout* grid, const QString& button, const QString& caption)
{
    ++m_row;
    QPushButton* b = statementButton(grid->parentWidget(), button, caption);
    connect(b, &QPushButton::clicked, this, [this, button] { run(button); });
    grid->addWidget(b, m_row, 0);
    return b;
}

QComboBox* ReportPage::addChoice(QGridLayout* grid, int column, const QString& name, const QStringList& items,
                                 const QString& hint)
{
    auto* box = new QComboBox(grid->parentWidget());
    box->setObjectName(name);
    box->addItems(items);
    box->setToolTip(hint);
    box->setMaximumWidth(220);
    // Full width when there is room; in a narrow window the first filter,
    // whose longest choice is rarely the one shown, gives way before a
    // column is pushed out of sight.
    if (column == 1)
        box->setMinimumWidth(qMin(150, box->sizeHint().width()));
    keepChoice(box);
    // Choices that share a cell stand one under the other, so the page keeps
    // every column, "Sortowanie" too, within the width of the main window.
    if (QLayoutItem* item = grid->itemAtPosition(m_row, column)) {
        item->widget()->layout()->addWidget(box);
    } else {
        auto* cell = new QWidget(grid->parentWidget());
        auto* l = new QVBoxLayout(cell);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(box);
        grid->addWidget(cell, m_row, column);
    }
    return box;
}

QLineEdit* ReportPage::addNumber(QGridLayout* grid, const QString& name, const QString& what)
{
    auto* field = new QLineEdit(grid->parentWidget());
    field->setObjectName(name);
    field->setToolTip(hintFor(what));
    field->setMaxLength(50);
    field->setMinimumWidth(110);
    keepNumber(field);
    grid->addWidget(field, m_row, 2);
    return field;
}

QPushButton* ReportPage::statementButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
    return b;
}

Lookup* ReportPage::addLookup(QWidget* parent, const QString& name, const QString& statement,
                              const QString& key, const QString& display, QCheckBox* box)
{
    auto* lookup = new Lookup(parent);
    lookup->setObjectName(name);
    lookup->setMinimumContentsLength(28);
    lookup->bind(&db().statement(statement), key, display);
    if (box)
        connect(lookup, &QComboBox::activated, box, [box] { box->setChecked(true); });
    return lookup;
}

void ReportPage::enableByLookup(const QString& box, const QString& lookup)
{
    const bool any = control<Lookup>(lookup)->count() > 0;
    QCheckBox* check = control<QCheckBox>(box);
    check->setEnabled(any);
    if (!any)
        check->setChecked(false);
}

QString ReportPage::employeeNumber(const Lookup* lookup)
{
    return lookup->key().toString().replace(QLatin1Char('"'), QLatin1Char(' '));
}

void ReportPage::refuse(QCheckBox* box, const QString& message)
{
    Dialogs::info(QStringLiteral("Informacja"), message);
    box->setChecked(false);
}

const QStringList& ReportPage::seriesItems()
{
    static const QStringList items = {QStringLiteral("Dane bieżące"),
                                      QStringLiteral("Dane archiwalne / zlikwidowane")};
    return items;
}

const QStringList& ReportPage::kindItems()
{
    static const QStringList items = {QStringLiteral("Wszystkie"), QStringLiteral("Tylko komputery"),
                                      QStringLiteral("Tylko inny sprzęt")};
    return items;
}

const QStringList& ReportPage::activityItems()
{
    static const QStringList items = {QStringLiteral("Wszystkie terminy"), QStringLiteral("Tylko aktywne"),
                                      QStringLiteral("Tylko nieaktywne")};
    return items;
}

bool ReportPage::showReport(const QString& report, const QString& file, bool checkAttachments)
{
    return showReportAt(report, templatePath(file), checkAttachments);
}

bool ReportPage::showReportAt(const QString& report, const QString& path, bool checkAttachments)
{
    return m_context.show(report, path, checkAttachments);
}

bool ReportPage::runRepairs(const QString& prefix, bool costs)
{
    const QString list = QStringLiteral("DBFNaprawy");
    const QString number = takeNumber(this->number(prefix + QStringLiteral("Seria2")));
    ListState& s = db().listState();
    SavedListState saved(s, {list});
    const bool byRepairDate = choice(prefix + QStringLiteral("Seria1")) == 1;
    const QString column = byRepairDate ? QStringLiteral("DATANAPRAWY") : QStringLiteral("TERMIN");
    s.setCondition(list, ListState::Role::DateRange,
                   ReportConditions::between(column, rangeFrom(), rangeTo()));
    s.setCondition(
        list, ListState::Role::ObjectKind,
        ReportConditions::kindOf(QStringLiteral("KOMPSPRZ"), choice(prefix + QStringLiteral("Seria3"))));
    s.setCondition(list, ListState::Role::Reserved,
                   ReportConditions::numberOfObject(number, QStringLiteral("KOMPSPRZ"),
                                                    {QStringLiteral("K"), QStringLiteral("S")}));
    s.setCondition(list, ListState::Role::ActiveOnly,
                   costs ? QString() : ReportConditions::activity(choice(prefix + QStringLiteral("Seria4"))));
    s.clearCondition(list, ListState::Role::ObjectKey);
    s.setOrderColumn(list, column);
    s.setAscending(list, true);
    return showReport(QStringLiteral("frReport4"),
                      costs ? QStringLiteral("fin_naprawy.frf") : QStringLiteral("naprawy.frf"));
}
