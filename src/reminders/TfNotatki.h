#pragma once

#include "store/TmyDataBase.h"

#include <QDialog>

class CalendarPicker;
class DateField;
class QLineEdit;
class QPlainTextEdit;

// "Notatki": the thirty dated notes, edited one at a time.
class TfNotatki : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kMaxText = 250;

    TfNotatki(std::array<NoteSlot, 30>& notes, QWidget* parent = nullptr);

    // Shows note 1; the notes are stored into the array as the user leaves each.
    int exec() override;
    void done(int result) override;

    void SBPoprzedniaClick();
    void SBNastepnaClick();
    void SBWyczyscClick();

    int current() const { return m_current; }
    DateField* termin() const { return m_termin; }
    QPlainTextEdit* notatka() const { return m_text; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showNote(int number);
    void storeNote();

    std::array<NoteSlot, 30>& m_notes;
    int m_current = 1;
    QLineEdit* m_number;
    DateField* m_termin;
    CalendarPicker* m_picker;
    QPlainTextEdit* m_text;
};
