#include "widgets/CalendarPicker.h"

#include "base/Clock.h"
#include "widgets/DateField.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

CalendarPicker::CalendarPicker(DateField* field, QWidget* parent)
    : CalendarPicker([field] { return field ? field->date() : QDate(); }, parent)
{
    m_field = field;
}

CalendarPicker::CalendarPicker(std::function<QDate()> day, QWidget* parent)
    : QToolButton(parent), m_day(std::move(day))
{
    setIcon(QIcon(QStringLiteral(":/icons/calendar.png")));
    if (icon().isNull())
        setText(QStringLiteral("…"));
    setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
    setFocusPolicy(Qt::TabFocus);
    setAutoRaise(false);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::StyledPanel);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);

    connect(this, &QObject::objectNameChanged, this,
            [this](const QString& name) { m_calendar->setObjectName(name + QStringLiteral("Kalendarz")); });
    connect(this, &QToolButton::clicked, this, &CalendarPicker::showCalendar);
    // A click on a day, or Enter on the selected one, chooses it.
    connect(m_calendar, &QCalendarWidget::clicked, this, &CalendarPicker::pick);
    connect(m_calendar, &QCalendarWidget::activated, this, &CalendarPicker::pick);
}

bool CalendarPicker::isCalendarShown() const
{
    return m_popup->isVisible();
}

void CalendarPicker::showCalendar()
{
    syncFromField();
    m_popup->adjustSize();
    // Below the button, kept on the screen.
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        if (at.y() + m_popup->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - m_popup->width())));
    }
    m_popup->move(at);
    m_popup->show();
    m_calendar->setFocus();
}

void CalendarPicker::syncFromField()
{
    const QDate day = m_day ? m_day() : QDate();
    setDate(day.isValid() ? day : Clock::today());
}

void CalendarPicker::setDate(const QDate& day)
{
    m_calendar->setLocale(QLocale());
    m_calendar->setFirstDayOfWeek(QLocale().firstDayOfWeek());
    m_calendar->setSelectedDate(day);
}

void CalendarPicker::pick(const QDate& day)
{
    m_popup->hide();
    if (m_field)
        m_field->setDate(day);
    emit dayPicked(day);
}
