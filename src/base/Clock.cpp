#include "base/Clock.h"

#include <QLocale>

namespace {
QDateTime g_fixed;
}

namespace Clock {
QDate today()
{
    return now().date();
}

QDateTime now()
{
    return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime();
}

void setFixed(const QDateTime& moment)
{
    g_fixed = moment;
}
} // namespace Clock

QChar Clock::dateSeparator()
{
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    for (const QChar c : format)
        if (!c.isLetter())
            return QStringLiteral("-./").contains(c) ? c : QLatin1Char('-');
    return QLatin1Char('-');
}
