#pragma once

#include <QDialog>
#include <QLabel>

class QCheckBox;
class QLabel;
class QPushButton;
class QHBoxLayout;

// What the two check windows share: the heading, "Zawsze na wierzchu",
// "&Ok" closing the window (Escape too), and saving text to a file.
class CheckWindow : public QDialog
{
    Q_OBJECT

public:
    CheckWindow(const QString& objectName, const QString& caption, const QString& heading, QWidget* parent);

    QCheckBox* alwaysOnTop() const { return m_top; }
    QPushButton* okButton() const { return m_ok; }

protected:
    // The bar with "Zawsze na wierzchu" on the left and `buttons` + "&Ok" on the right.
    QHBoxLayout* makeBar(const QList<QPushButton*>& buttons);
    QPushButton* makeButton(const char* objectName, const QString& caption, const QString& hint);
    QLabel* heading() const { return m_heading; }
    // The save dialog for a text file preset to `name`; empty when cancelled.
    QString askTextFile(const QString& name);
    // Writes the lines as the text exports are written (Windows-1250, CR LF);
    // false on any failure.
    static bool writeLines(const QString& fileName, const QStringList& lines);

private:
    void topToggled(bool on);

    QLabel* m_heading;
    QCheckBox* m_top;
    QPushButton* m_ok;
};
