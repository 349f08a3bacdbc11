#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// Quantities of BHP items, holdings and resources: typed with a point or a
// comma, shown "0.00" with the decimal separator, written into SQL text
// with a point.
namespace Quantity {
// A line edit of at most 18 characters that reformats its value as "0.00"
// when left (an unreadable value becomes "0.00").
QLineEdit* makeEdit(QWidget* parent, const char* objectName, const QString& hint);
// A blank text counts as 0; false for anything that is not a number.
bool read(const QString& text, double* value);
// The edit's value, 0 when unreadable.
double valueOf(const QLineEdit* edit);
void reformat(QLineEdit* edit);
QString format(double value);
QString sql(double value);
} // namespace Quantity
