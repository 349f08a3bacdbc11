#include "store/AppState.h"

AppState& AppState::instance()
{
    static AppState state;
    return state;
}

namespace DueWindow {
qint64 toYmd(const QDate& date)
{
    return date.isValid() ? qint64(date.year()) * 10000 + date.month() * 100 + date.day() : 0;
}

QDate fromYmd(qint64 v)
{
    return QDate(int(v / 10000), int(v / 100 % 100), int(v % 100));
}

bool isDue(qint64 date, const QDate& today, int dataWsteczna, int dataWstecznaMin)
{
    const qint64 upper = toYmd(today.addDays(dataWsteczna));
    const qint64 lower = dataWstecznaMin == 0 ? 0 : toYmd(today.addDays(-qint64(dataWstecznaMin) - 1));
    return upper >= date && date > lower;
}

qint64 parseDateText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() != 10)
        return 0;
    bool okD = false, okM = false, okY = false;
    const int d = t.mid(0, 2).toInt(&okD);
    const int m = t.mid(3, 2).toInt(&okM);
    const int y = t.mid(6, 4).toInt(&okY);
    if (!okD || !okM || !okY || y < 1000 || m < 1 || m > 12 || d < 1 || d > 31)
        return 0;
    return qint64(y) * 10000 + m * 100 + d;
}
} // namespace DueWindow
