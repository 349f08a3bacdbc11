#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The one-line prompt: the field `wynik` comes preset, selected and focused;
// Enter accepts, Esc cancels.
class TpromptForm : public QDialog
{
    Q_OBJECT

public:
    explicit TpromptForm(QWidget* parent = nullptr);

    void setPrompt(const QString& title, const QString& text, const QString& value, bool password);
    QString value() const;

private:
    QLabel* m_text;
    QLineEdit* m_value;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
