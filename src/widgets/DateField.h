#pragma once

#include <QDate>
#include <QLineEdit>

// A date typed as dd-mm-yyyy with the system date separator; the empty date
// is the mask of blanks and separators. Stored as yyyymmdd, 0 for none.
class DateField : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateField(QWidget* parent = nullptr);

    // "  -  -    " with the system separator.
    static QString emptyText();

    // The 10-character text as shown, blanks included.
    QString dateText() const;
    void setDateText(const QString& text);
    bool isEmptyDate() const;
    // Year at least 1000, month 1 to 12, day 1 to 31 (no calendar check).
    bool isValidDate() const;
    // yyyymmdd of a valid text, 0 otherwise.
    qint64 ymd() const;
    // A number that is not 8 digits long shows the empty date.
    void setYmd(qint64 yyyymmdd);
    void clearDate() { setYmd(0); }
    // The day the text names when it is a real calendar day; invalid otherwise.
    QDate date() const;
    void setDate(const QDate& date);
};
