#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;

// The database dialog's page for bringing a database of the previous version
// over: its folder and password, and the folder and password of the new
// database (the old password by default).
class OldTablesPage : public QWidget
{
    Q_OBJECT

public:
    explicit OldTablesPage(QWidget* parent = nullptr);

    // Brings the tables over with a progress dialog; on success the new
    // database becomes the program's database and the summary is shown.
    // Every failure is shown and leaves nothing written.
    bool bringOver();

private:
    void chooseOldFolder();
    void chooseNewFolder();
    void samePasswordToggled(bool same);

    QLineEdit* m_oldDir;
    QLineEdit* m_oldPassword;
    QLineEdit* m_newDir;
    QCheckBox* m_samePassword;
    QLineEdit* m_newPassword;
};
