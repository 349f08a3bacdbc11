#include "widgets/CalendarPicker.h"

#include "shell/Clock.h"
#include "widgets/DateField.h"

CalendarPicker::CalendarPicker(DateField* field, QWidget* parent) : QDateEdit(parent), m_field(field)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    setToolTip(QStringLiteral("Wybierz datę z kalendarza"));
    setDate(Clock::today());
    connect(this, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (!m_syncing && m_field)
            m_field->setDate(date);
    });
}

void CalendarPicker::syncFromField()
{
    m_syncing = true;
    const QDate d = m_field ? m_field->date() : QDate();
    setDate(d.isValid() ? d : Clock::today());
    m_syncing = false;
}
