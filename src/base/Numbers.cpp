#include "base/Numbers.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace Numbers {
QChar decimalSeparator()
{
    return QLatin1Char(',');
}

bool parse(const QString& text, double* value)
{
    // Digits with one point or comma, an optional sign and exponent; no blanks inside.
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)([eE][+-]?\\d+)?$"));
    QString t = text.trimmed();
    if (!number.match(t).hasMatch())
        return false;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool read(const QString& text, double* value)
{
    if (text.trimmed().isEmpty()) {
        *value = 0;
        return true;
    }
    return parse(text, value);
}

bool wholeNumber(const QString& text, qint64* value)
{
    double v = 0;
    if (!parse(text, &v) || v != std::floor(v) || std::fabs(v) > 9.0e15)
        return false;
    *value = qint64(v);
    return true;
}

QString amountText(double value)
{
    if (!std::isfinite(value))
        value = 0;
    // Half away from zero on the decimal value: 0.125 gives 0.13, -0.125 gives -0.13.
    const double rounded = std::round(value * 100.0) / 100.0;
    QString text = QString::number(std::isfinite(rounded) ? rounded : value, 'f', 2);
    if (text == QLatin1String("-0.00"))
        text = QStringLiteral("0.00");
    text.replace(QLatin1Char('.'), decimalSeparator());
    return text;
}

QString shortest(double value)
{
    QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    text.replace(QLatin1Char('.'), decimalSeparator());
    return text;
}

QString sql(double value)
{
    // Always the C locale's point; SQL reads "1e+20" too.
    return QString::number(value, 'g', 15);
}

qint32 cents(double value)
{
    const long double c = std::round(static_cast<long double>(value) * 100.0L);
    if (c > std::numeric_limits<qint32>::max() || c < std::numeric_limits<qint32>::min())
        return 0;
    return qint32(c);
}
} // namespace Numbers
