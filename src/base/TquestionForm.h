#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The yes/no question: "Tak" accepts, "Nie", Esc and closing the window answer no.
class TquestionForm : public QDialog
{
    Q_OBJECT

public:
    explicit TquestionForm(QWidget* parent = nullptr);

    void setQuestion(const QString& title, const QString& text);
    // Shows the box modally; true for "Tak".
    bool ask();

private:
    QLabel* m_picture;
    QLabel* m_text;
    QPushButton* m_yes;
    QPushButton* m_no;
};
