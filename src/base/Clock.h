#pragma once

#include <QDate>
#include <QDateTime>

// The one source of "today" and "now": due-date logic never asks the system
// directly, so tests can set the day.
namespace Clock {
QDate today();
QDateTime now();
// Fix the clock at the given moment; an invalid value returns to the system clock.
void setFixed(const QDateTime& moment);
// The first separator of the system's short date; locales that write dates
// with blanks or words get the hyphen of the typed mask.
QChar dateSeparator();
} // namespace Clock
