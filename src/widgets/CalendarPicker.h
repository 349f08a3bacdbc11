#pragma once

#include <QDateEdit>

class DateField;

// The calendar beside a date field: a day chosen here is written into the
// field; opening the form sets the calendar to the field's day (today when
// the field holds no valid day).
class CalendarPicker : public QDateEdit
{
    Q_OBJECT

public:
    explicit CalendarPicker(DateField* field, QWidget* parent = nullptr);

    DateField* field() const { return m_field; }
    void syncFromField();

private:
    DateField* m_field;
    bool m_syncing = false;
};
