#include "bhp/Quantity.h"

#include "widgets/AmountFields.h"

#include <QLineEdit>

namespace Quantity {
QLineEdit* makeEdit(QWidget* parent, const char* objectName, const QString& hint)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(objectName));
    e->setMaxLength(18);
    e->setToolTip(hint);
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] { reformat(e); });
    return e;
}

bool read(const QString& text, double* value)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *value = 0;
        return true;
    }
    return AmountFields::parse(t, value);
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

QString format(double value)
{
    return AmountFields::format(value);
}

QString sql(double value)
{
    // The C locale's point whatever the user's separator; SQL reads "1e+20" too.
    return QString::number(value, 'g', 15);
}
} // namespace Quantity
