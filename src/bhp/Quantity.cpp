#include "bhp/Quantity.h"

#include "base/Numbers.h"
#include "widgets/AmountFields.h"

#include <QLineEdit>

namespace Quantity {
QLineEdit* makeEdit(QWidget* parent, const char* objectName, const QString& hint, Unreadable unreadable)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(objectName));
    e->setMaxLength(18);
    e->setToolTip(hint);
    AmountFields::typeDecimalComma(e);
    if (unreadable == Unreadable::BecomesZero)
        QObject::connect(e, &QLineEdit::editingFinished, e, [e] { reformat(e); });
    else
        QObject::connect(e, &QLineEdit::editingFinished, e, [e] { reformatReadable(e); });
    return e;
}

bool read(const QString& text, double* value)
{
    return Numbers::read(text, value);
}

double valueOf(const QLineEdit* edit)
{
    double v = 0;
    return read(edit->text(), &v) ? v : 0;
}

void reformat(QLineEdit* edit)
{
    edit->setText(format(valueOf(edit)));
}

void reformatReadable(QLineEdit* edit)
{
    double v = 0;
    if (read(edit->text(), &v))
        edit->setText(format(v));
}

QString format(double value)
{
    return Numbers::amountText(value);
}

QString sql(double value)
{
    return Numbers::sql(value);
}
} // namespace Quantity
