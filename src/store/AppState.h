#pragma once

#include "store/TmyDataBase.h"

#include <QDate>
#include <QString>

// What the shell keeps for the whole program: who is logged in and what he
// may do.
struct AppState
{
    static AppState& instance();

    static QString version() { return QStringLiteral("2.8"); }
    static QString caption() { return QStringLiteral("Sprzetnik ") + version(); }

    QString currentUser; // upper case, empty when nobody is logged in
    QString userDescription;
    Rights rights{};
    bool startup = true; // set at start and at logout, cleared by the first paint

    bool has(int right) const { return right >= 0 && right <= 100 && rights[size_t(right)]; }
    void logout()
    {
        currentUser.clear();
        userDescription.clear();
        rights.fill(false);
    }
};

// The note reminder window: a note is due when
// lower < date <= today + dataWsteczna, where lower is 0 when dataWstecznaMin
// is 0 and today - dataWstecznaMin - 1 days otherwise. Dates are yyyymmdd.
namespace DueWindow {
qint64 toYmd(const QDate& date);
QDate fromYmd(qint64 yyyymmdd);
bool isDue(qint64 date, const QDate& today, int dataWsteczna, int dataWstecznaMin);
// A typed dd-mm-yyyy text (any separator) as yyyymmdd; 0 when it is not a
// valid date text (year at least 1000, month 1-12, day 1-31).
qint64 parseDateText(const QString& text);
} // namespace DueWindow
