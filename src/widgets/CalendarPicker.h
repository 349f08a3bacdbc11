#pragma once

#include <QDate>
#include <QToolButton>

#include <functional>

class DateField;
class QCalendarWidget;
class QFrame;

// The calendar button beside a date field: a click opens a calendar on the
// field's day (today when the field holds none) and the day chosen there is
// written into the field. The calendar is named after the button with
// "Kalendarz" appended.
class CalendarPicker : public QToolButton
{
    Q_OBJECT

public:
    explicit CalendarPicker(DateField* field, QWidget* parent = nullptr);
    // For an edit that is not a DateField: `day` gives the day to open on.
    explicit CalendarPicker(std::function<QDate()> day, QWidget* parent = nullptr);

    DateField* field() const { return m_field; }
    QCalendarWidget* calendar() const { return m_calendar; }
    bool isCalendarShown() const;
    void showCalendar();
    // Puts the calendar on the field's day, today when the field holds none.
    void syncFromField();
    // Puts the calendar on a day (an edit that is not a DateField).
    void setDate(const QDate& day);

signals:
    void dayPicked(const QDate& day);

private:
    void pick(const QDate& day);

    DateField* m_field = nullptr;
    std::function<QDate()> m_day;
    QFrame* m_popup;
    QCalendarWidget* m_calendar;
};
