#pragma once

#include "editors/EditorDialog.h"

#include <QStringList>

#include <functional>

class CalendarPicker;
class DateField;
class Lookup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class Statement;
class TfBiblioteka;
class TmyDataBase;

// What the dialogs of an asset's sub-records (deadlines, repairs, documents,
// history) share: the lookups they re-read, filling from a list row, the
// values of their insert and update statements, their print-out, the
// calendars beside the date fields and the "[...]" dictionary shortcut.
class SubRecordDialog : public EditorDialog
{
    Q_OBJECT

public:
    SubRecordDialog(TmyDataBase& db, QWidget* parent);

    // Re-reads the lookup lists (a classification list pointed at the dialog's dictionary).
    virtual void reopenLookups() = 0;
    // An empty record for "Dodaj".
    virtual void prepareNew() = 0;
    virtual void fillFromRow(const Statement& row) = 0;
    // Value lines and parameters of the insert and the update statements.
    virtual void bindInsert(Statement& q, qint64 ownerKey, const QString& ownerKind) const = 0;
    virtual void bindUpdate(Statement& q, qint64 key) const = 0;
    // The record print-out: title and "label: value" lines.
    virtual QString printTitle() const = 0;
    virtual QStringList printLines() const = 0;

    // The dictionary editor behind "[...]" (made on first use when not set).
    void setDictionaryEditor(std::function<TfBiblioteka*()> source)
    {
        m_dictionarySource = std::move(source);
    }

    static QString flag(bool on) { return on ? QStringLiteral("T") : QStringLiteral("N"); }
    static QString yesNo(bool on) { return on ? QStringLiteral("TAK") : QStringLiteral("NIE"); }

protected:
    TmyDataBase& db() const { return m_db; }

    QLabel* makeHeading(const QString& text);
    QLineEdit* textField(const char* name, int maxLength, const QString& hint);
    // A date field with its calendar (named "DTP" + column) beside it.
    DateField* dateField(const char* column, const QString& hint);
    CalendarPicker* calendarOf(DateField* field) const;
    Lookup* lookup(const char* name, const QString& hint);
    QCheckBox* checkBox(const char* name, const QString& caption, const QString& hint);
    QToolButton* toolButton(const char* name, const QString& caption, const QString& hint);
    // The "[...]" button: the dictionary editor on `index`, then the lookup re-read.
    QToolButton* dictionaryButton(Lookup* target, int index, const QString& statement, const QString& code);
    // Controls side by side, the first one stretching.
    QWidget* row(std::initializer_list<QWidget*> widgets, bool stretch = true);
    QLabel* note(const QString& text);
    // The control that takes the focus when the dialog opens.
    void setFirstFocus(QWidget* w) { m_firstFocus = w; }

    static QString dateLine(const DateField* field);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TmyDataBase& m_db;
    std::function<TfBiblioteka*()> m_dictionarySource;
    TfBiblioteka* m_ownDictionary = nullptr;
    QList<CalendarPicker*> m_calendars;
    QList<QToolButton*> m_dictionaryButtons;
    QWidget* m_firstFocus = nullptr;
};
