#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The information box: a caption, a word-wrapped text and one "OK" button
// that Enter and Esc both press.
class TinfoForm : public QDialog
{
    Q_OBJECT

public:
    explicit TinfoForm(QWidget* parent = nullptr);

    void setMessage(const QString& title, const QString& text);

private:
    QLabel* m_picture;
    QLabel* m_text;
    QPushButton* m_ok;
};
