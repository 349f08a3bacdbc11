#include "shell/Clock.h"

namespace
{
QDateTime g_fixed;
}

namespace Clock
{
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
