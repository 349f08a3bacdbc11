#pragma once

#include <QChar>
#include <QString>

// Numbers as users type them and as the program shows them. Every numeric
// field (amounts, quantities, hours, rates, seats) is read by parse(); every
// amount the program shows, prints or exports is written by amountText(),
// with the program's Polish decimal comma whatever the system's language.
namespace Numbers {
// The decimal separator amounts are typed and shown with.
QChar decimalSeparator();
// Digits with at most one decimal point or comma, an optional sign and
// exponent, blanks around; false for anything else (also for a blank text).
bool parse(const QString& text, double* value);
// As parse(), but a blank text reads as 0.
bool read(const QString& text, double* value);
// A whole number (no separator, or only zeros after it); false otherwise.
bool wholeNumber(const QString& text, qint64* value);
// "0.00": two decimals rounded half away from zero, no thousands separator,
// the decimal comma.
QString amountText(double value);
// The shortest decimal text of a value ("12,5", "7"), in fixed notation.
QString shortest(double value);
// A value as written into SQL text: a point, no grouping.
QString sql(double value);
// Whole cents, rounded half away from zero; 0 when they do not fit 32 bits.
qint32 cents(double value);
} // namespace Numbers
