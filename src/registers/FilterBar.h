#pragma once

#include <QDate>

#include <QWidget>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class Statement;

// The filter bar under the toolbar: the archive selector, the classifier
// lookup with its check box, "Tylko aktywne" and the date range with its two
// calendar pickers. It only holds and reads the controls; the main window
// turns their signals into list conditions and reloads.
class FilterBar : public QWidget
{
    Q_OBJECT

public:
    explicit FilterBar(QWidget* parent = nullptr);

    // A date edit's text as yyyymmdd: characters 7-10, 4-5 and 1-2 of a
    // 10-character text read as one number; 0 for any other text. No calendar
    // check (31-02-2024 gives 20240231).
    static qint64 dateValue(const QString& text);
    qint64 dateFrom() const;
    qint64 dateTo() const; // 0 when the edit gives no date; the caller widens it

    // After login: both edits to the empty mask, the pickers to today, the
    // archive selector to current records, "Tylko aktywne" unticked.
    void resetControls();

    bool liquidated() const;            // "Tylko zlikwidowane rekordy" chosen
    void setActiveOnlyChecked(bool on); // without emitting
    bool activeOnlyChecked() const;
    void setClassifierChecked(bool on); // without emitting
    bool classifierChecked() const;
    // Fills the lookup from an open KOD/OPIS statement; the entry chosen
    // before stays chosen when the new choices still hold it.
    void setClassifierChoices(Statement& choices);
    // The KOD of the chosen entry; false when none is chosen.
    bool chosenClassifier(qint64* kod) const;

    void setDateLabel(const QString& text);
    QString dateLabel() const;
    void setArchiveVisible(bool on);
    void setClassifierVisible(bool on);
    void setActiveOnlyVisible(bool on);
    void setDateRangeVisible(bool on);
    bool isArchiveShown() const;

    // Writes a picked day into the edit in the display format and applies it.
    void pickDate(bool from, const QDate& date);

signals:
    void dateRangeEntered();         // Enter in a date edit or a day picked
    void archiveChanged();           // CBPokazElementy changed
    void classifierClosedUp();       // an entry picked in the lookup
    void classifierClicked(bool on); // filtrUseKlasywikator clicked
    void activeOnlyClicked(bool on); // filtrTylkoAct clicked

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The day typed in the "od" or "do" edit; invalid when none.
    QDate dayIn(bool from) const;
    QWidget* m_archivePanel = nullptr;
    QWidget* m_classifierPanel = nullptr;
    QWidget* m_activePanel = nullptr;
    QWidget* m_datePanel = nullptr;
    QComboBox* m_archive = nullptr;
    QCheckBox* m_useClassifier = nullptr;
    QComboBox* m_classifier = nullptr;
    QCheckBox* m_activeOnly = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QCalendarWidget* m_fromCalendar = nullptr;
    QCalendarWidget* m_toCalendar = nullptr;
};
