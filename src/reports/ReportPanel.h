#pragma once

#include <QGroupBox>
#include <QString>

class CalendarPicker;
class DateField;
class QCheckBox;

// The panel under the report pages: the date range every statement reads,
// the issue date printed on the reports, and whether archived data are
// filtered by their liquidation date.
class ReportPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit ReportPanel(QWidget* parent = nullptr);

    // The date limits: 0 and 99999999 for empty or invalid fields.
    qint64 rangeFrom() const;
    qint64 rangeTo() const;

    bool issueDateOn() const;
    // The issue date as typed.
    QString issueDateText() const;
    // "DATAARCH" for archived data when the liquidation-date box is ticked,
    // "DATAZAKUPU" otherwise.
    QString dateColumn(bool archive) const;

    // Each time the view is opened: the issue-date box from the options, today's date.
    void viewEntered();

private:
    void enableIssueDate(bool on);

    DateField* m_from = nullptr;
    DateField* m_to = nullptr;
    QCheckBox* m_issueDateOn = nullptr;
    DateField* m_issueDate = nullptr;
    CalendarPicker* m_issuePicker = nullptr;
    QCheckBox* m_liquidationDate = nullptr;
};
