#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The find dialog of the lists: the text to find and "find next", nothing
// else (no direction, whole-word or case options). It does not block the
// main window; Escape or "Anuluj" hides it.
class FindTextDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindTextDialog(QWidget* parent = nullptr);

    QString findText() const;
    void setFindText(const QString& text);
    // Shows the dialog (again) with the text selected.
    void open();

signals:
    void findNext();

private:
    QLineEdit* m_text;
    QPushButton* m_next;
};
