#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Notatka": one note whose date has come, shown after login.
class TfShowNotatka : public QDialog
{
    Q_OBJECT

public:
    explicit TfShowNotatka(QWidget* parent = nullptr);

    // Shows the text modally; true when the user chose to delete the note.
    bool showNote(const QString& text);
    void SBUsunClick();

    QPlainTextEdit* notatka() const { return m_text; }

private:
    QPlainTextEdit* m_text;
    bool m_delete = false;
};
