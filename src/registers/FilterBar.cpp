#include "registers/FilterBar.h"

#include "base/Clock.h"
#include "store/Statement.h"
#include "store/TmyDataBase.h"
#include "widgets/CalendarPicker.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {
QWidget* panel(QWidget* parent, const char* name, QHBoxLayout** layout)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QLatin1String(name));
    *layout = new QHBoxLayout(w);
    (*layout)->setContentsMargins(0, 0, 0, 0);
    return w;
}
} // namespace

FilterBar::FilterBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("panelFiltry"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 2);

    QHBoxLayout* l = nullptr;
    m_archivePanel = panel(this, "ArchiwumFiltrPanel", &l);
    l->addWidget(new QLabel(QStringLiteral("Pokaż:"), m_archivePanel));
    m_archive = new QComboBox(m_archivePanel);
    m_archive->setObjectName(QStringLiteral("CBPokazElementy"));
    m_archive->addItems(
        {QStringLiteral("Tylko bieżące rekordy"), QStringLiteral("Tylko zlikwidowane rekordy")});
    l->addWidget(m_archive);
    connect(m_archive, &QComboBox::currentIndexChanged, this, &FilterBar::archiveChanged);

    m_classifierPanel = panel(this, "klasyfikatorFiltr", &l);
    m_useClassifier = new QCheckBox(m_classifierPanel);
    m_useClassifier->setObjectName(QStringLiteral("filtrUseKlasywikator"));
    m_classifier = new QComboBox(m_classifierPanel);
    m_classifier->setObjectName(QStringLiteral("filtrIDKlasyfikator"));
    m_classifier->setToolTip(QStringLiteral("Filtruj wg wskazanego klasyfikatora"));
    m_classifier->setMinimumWidth(160);
    l->addWidget(m_useClassifier);
    l->addWidget(m_classifier);
    connect(m_useClassifier, &QCheckBox::clicked, this, &FilterBar::classifierClicked);
    // activated: an entry picked with the mouse or with Enter in the open list.
    connect(m_classifier, &QComboBox::activated, this, &FilterBar::classifierClosedUp);

    m_activePanel = panel(this, "TylkoAktywneFiltrPanel", &l);
    m_activeOnly = new QCheckBox(QStringLiteral("Tylko aktywne"), m_activePanel);
    m_activeOnly->setObjectName(QStringLiteral("filtrTylkoAct"));
    l->addWidget(m_activeOnly);
    connect(m_activeOnly, &QCheckBox::clicked, this, &FilterBar::activeOnlyClicked);

    m_datePanel = panel(this, "filtrData", &l);
    m_dateLabel = new QLabel(QStringLiteral("Data zakupu:"), m_datePanel);
    m_dateLabel->setObjectName(QStringLiteral("filtrDataLab"));
    l->addWidget(m_dateLabel);
    const QString sep = QString(TmyDataBase::dateSeparator());
    const QString mask = QStringLiteral("99") + sep + QStringLiteral("99") + sep + QStringLiteral("9999; ");
    for (const bool from : {true, false}) {
        auto* edit = new QLineEdit(m_datePanel);
        edit->setObjectName(from ? QStringLiteral("filtrOd") : QStringLiteral("filtrDo"));
        edit->setInputMask(mask);
        edit->setToolTip(QStringLiteral("Dane z okresu (od-do). Wybór zatwierdź klawiszem ENTER"));
        edit->setFixedWidth(96);
        // Enter applies whatever is typed: a half-typed date is no bound.
        edit->installEventFilter(this);
        l->addWidget(edit);

        auto* picker = new CalendarPicker([this, from] { return dayIn(from); }, m_datePanel);
        picker->setObjectName(from ? QStringLiteral("DTPFiltrOd") : QStringLiteral("DTPFiltrDo"));
        QCalendarWidget* calendar = picker->calendar();
        connect(picker, &CalendarPicker::dayPicked, this,
                [this, from](const QDate& day) { pickDate(from, day); });
        l->addWidget(picker);
        if (from) {
            m_from = edit;
            m_fromCalendar = calendar;
            auto* dash = new QLabel(QStringLiteral(" - "), m_datePanel);
            dash->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
            l->addWidget(dash);
        } else {
            m_to = edit;
            m_toCalendar = calendar;
        }
    }

    layout->addWidget(m_archivePanel);
    layout->addWidget(m_classifierPanel);
    layout->addWidget(m_activePanel);
    layout->addStretch();
    layout->addWidget(m_datePanel);
    m_archivePanel->hide();
    m_classifierPanel->hide();
    m_activePanel->hide();
}

qint64 FilterBar::dateValue(const QString& text)
{
    if (text.size() != 10)
        return 0;
    const QString joined = text.mid(6, 4) + text.mid(3, 2) + text.left(2);
    // Only plain digits: no sign, no blanks.
    for (const QChar c : joined)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    return joined.toLongLong();
}

QDate FilterBar::dayIn(bool from) const
{
    const qint64 v = from ? dateFrom() : dateTo();
    return v ? QDate(int(v / 10000), int(v / 100 % 100), int(v % 100)) : QDate();
}

qint64 FilterBar::dateFrom() const
{
    return dateValue(m_from->text());
}

qint64 FilterBar::dateTo() const
{
    return dateValue(m_to->text());
}

void FilterBar::resetControls()
{
    m_from->clear();
    m_to->clear();
    m_fromCalendar->setSelectedDate(Clock::today());
    m_toCalendar->setSelectedDate(Clock::today());
    const QSignalBlocker block(m_archive);
    m_archive->setCurrentIndex(0);
    setActiveOnlyChecked(false);
}

bool FilterBar::liquidated() const
{
    return m_archive->currentIndex() == 1;
}

void FilterBar::setActiveOnlyChecked(bool on)
{
    const QSignalBlocker block(m_activeOnly);
    m_activeOnly->setChecked(on);
}

bool FilterBar::activeOnlyChecked() const
{
    return m_activeOnly->isChecked();
}

void FilterBar::setClassifierChecked(bool on)
{
    const QSignalBlocker block(m_useClassifier);
    m_useClassifier->setChecked(on);
}

bool FilterBar::classifierChecked() const
{
    return m_useClassifier->isChecked();
}

void FilterBar::setClassifierChoices(Statement& choices)
{
    qint64 before = 0;
    const bool had = chosenClassifier(&before);
    const QSignalBlocker block(m_classifier);
    m_classifier->clear();
    if (choices.isOpen()) {
        const int kod = choices.fieldIndex(QStringLiteral("KOD"));
        const int opis = choices.fieldIndex(QStringLiteral("OPIS"));
        for (int row = 0; row < choices.recordCount(); ++row)
            m_classifier->addItem(choices.textAt(row, opis), choices.integerAt(row, kod));
    }
    m_classifier->setCurrentIndex(had ? m_classifier->findData(before) : -1);
}

bool FilterBar::chosenClassifier(qint64* kod) const
{
    if (m_classifier->currentIndex() < 0)
        return false;
    bool ok = false;
    const qint64 value = m_classifier->currentData().toLongLong(&ok);
    if (ok && kod)
        *kod = value;
    return ok;
}

void FilterBar::setDateLabel(const QString& text)
{
    m_dateLabel->setText(text);
}

QString FilterBar::dateLabel() const
{
    return m_dateLabel->text();
}

void FilterBar::setArchiveVisible(bool on)
{
    m_archivePanel->setVisible(on);
}

void FilterBar::setClassifierVisible(bool on)
{
    m_classifierPanel->setVisible(on);
}

void FilterBar::setActiveOnlyVisible(bool on)
{
    m_activePanel->setVisible(on);
}

void FilterBar::setDateRangeVisible(bool on)
{
    m_datePanel->setVisible(on);
}

bool FilterBar::isArchiveShown() const
{
    return !m_archivePanel->isHidden();
}

void FilterBar::pickDate(bool from, const QDate& date)
{
    const qint64 ymd = qint64(date.year()) * 10000 + date.month() * 100 + date.day();
    (from ? m_from : m_to)->setText(TmyDataBase::dateText(ymd));
    (from ? m_fromCalendar : m_toCalendar)->setSelectedDate(date);
    emit dateRangeEntered();
}

bool FilterBar::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_from || watched == m_to) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit dateRangeEntered();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
