#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// Quantities of BHP items, holdings and resources: typed with a point or a
// comma, shown "0.00" with the decimal comma, written into SQL text with a
// point (base/Numbers.h reads and writes them).
namespace Quantity {
// What leaving the field does with a text that does not read as a number.
enum class Unreadable
{
    Stays,      // left as typed, for the save check to refuse with its message
    BecomesZero // "0.00" without a word (the resource store, Part 5.3)
};
// A line edit of at most 18 characters that reformats its value as "0.00"
// when left.
QLineEdit* makeEdit(QWidget* parent, const char* objectName, const QString& hint,
                    Unreadable unreadable = Unreadable::Stays);
// A blank text counts as 0; false for anything that is not a number.
bool read(const QString& text, double* value);
// The edit's value, 0 when unreadable.
double valueOf(const QLineEdit* edit);
// Shows the value as "0.00"; an unreadable text becomes "0.00".
void reformat(QLineEdit* edit);
// Shows the value as "0.00" when it reads; an unreadable text stays.
void reformatReadable(QLineEdit* edit);
QString format(double value);
QString sql(double value);
} // namespace Quantity
