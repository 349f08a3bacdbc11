#pragma once

// Small helpers of the editor tests: reading one value from the database,
// dates in the system's separator, and finding controls by objectName.
// Header-only: used by GUI tests only.

#include "store/Statement.h"
#include "store/TmyDataBase.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

namespace EditorTest {
// The first column of the first row, empty when there is none.
inline QString scalar(TmyDataBase& db, const QString& sql)
{
    Statement q(&db.DatabaseMain(), QString(), {sql});
    q.open();
    return q.isEmpty() ? QString() : q.textAt(0, 0);
}

// The first column of every row, joined by commas (the same on both backends,
// which have no aggregate for it in common).
inline QString joined(TmyDataBase& db, const QString& sql)
{
    Statement q(&db.DatabaseMain(), QString(), {sql});
    q.open();
    QStringList values;
    for (int r = 0; r < q.recordCount(); ++r)
        values << q.textAt(r, 0);
    return values.join(QLatin1Char(','));
}

// "dd-mm-yyyy" with the system's date separator.
inline QString date(const char* ddmmyyyy)
{
    QString t = QLatin1String(ddmmyyyy);
    t.replace(QLatin1Char('-'), TmyDataBase::dateSeparator());
    return t;
}

template <typename T> T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QLatin1String(name));
    if (!c)
        qWarning("missing control %s", name);
    return c;
}

inline void setText(QWidget* w, const char* name, const QString& text)
{
    child<QLineEdit>(w, name)->setText(text);
}

inline void click(QWidget* w, const char* name)
{
    child<QAbstractButton>(w, name)->click();
}
} // namespace EditorTest
