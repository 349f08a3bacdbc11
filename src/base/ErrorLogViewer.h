#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// The error log shown inside the program: the file is Windows-1250 with
// CR LF line ends, which most viewers of other systems do not read.
class ErrorLogViewer : public QDialog
{
    Q_OBJECT

public:
    explicit ErrorLogViewer(QWidget* parent = nullptr);

    // Reads the file; false (and a note in the window) when it cannot be read.
    bool load(const QString& path);
    QString text() const;

private:
    QLabel* m_path;
    QPlainTextEdit* m_text;
};
