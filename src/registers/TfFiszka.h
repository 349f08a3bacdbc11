#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QPlainTextEdit;

// The scratch card for temporary notes: its text lives while the program
// runs, is reset after every login and is never saved.
class TfFiszka : public QDialog
{
    Q_OBJECT

public:
    explicit TfFiszka(QWidget* parent = nullptr);

    void resetText(const QStringList& lines);
    QString text() const;
    QPlainTextEdit* memo() const { return m_memo; }
    QCheckBox* onTop() const { return m_top; }

private:
    void cbTopClick(bool checked);

    QPlainTextEdit* m_memo;
    QCheckBox* m_top;
};
