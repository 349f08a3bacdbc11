#include "widgets/DateField.h"

#include "store/AppState.h"
#include "store/TmyDataBase.h"

DateField::DateField(QWidget* parent) : QLineEdit(parent)
{
    const QChar sep = TmyDataBase::dateSeparator();
    // A literal separator that is itself a mask character is escaped.
    const QString s = QStringLiteral("\\") + sep;
    setInputMask(QStringLiteral("99") + s + QStringLiteral("99") + s + QStringLiteral("9999; "));
    setMaxLength(10);
    setText(emptyText());
    const int w = fontMetrics().horizontalAdvance(QStringLiteral("00-00-00000")) + 16;
    setMinimumWidth(w);
    setMaximumWidth(w + 20);
}

QString DateField::emptyText()
{
    const QChar sep = TmyDataBase::dateSeparator();
    return QStringLiteral("  ") + sep + QStringLiteral("  ") + sep + QStringLiteral("    ");
}

QString DateField::dateText() const
{
    QString t = displayText();
    // Without the focus the mask leaves no blanks behind; pad back to 10.
    if (t.size() < 10)
        t = t.leftJustified(10, QLatin1Char(' '));
    return t.left(10);
}

void DateField::setDateText(const QString& text)
{
    setText(text);
}

bool DateField::isEmptyDate() const
{
    const QChar sep = TmyDataBase::dateSeparator();
    QString t = dateText();
    t.remove(sep);
    return t.trimmed().isEmpty();
}

bool DateField::isValidDate() const
{
    return ymd() != 0;
}

qint64 DateField::ymd() const
{
    return DueWindow::parseDateText(dateText());
}

void DateField::setYmd(qint64 yyyymmdd)
{
    const QString text = TmyDataBase::dateText(yyyymmdd);
    setText(text.isEmpty() ? emptyText() : text);
}

QDate DateField::date() const
{
    const qint64 v = ymd();
    return v ? QDate(int(v / 10000), int(v / 100 % 100), int(v % 100)) : QDate();
}

void DateField::setDate(const QDate& date)
{
    setYmd(date.isValid() ? DueWindow::toYmd(date) : 0);
}
