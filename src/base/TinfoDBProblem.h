#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

// Explains a database that the stored password does not open: a wrong
// password or missing rights, the places the program needs, and a link to
// the manual on setting the rights.
class TinfoDBProblem : public QDialog
{
    Q_OBJECT

public:
    explicit TinfoDBProblem(QWidget* parent = nullptr);

    // The database folder named in the list of places; empty when unknown.
    void setDatabaseDir(const QString& databaseDir);

    static QString messageText(const QString& databaseDir);
    // programDir + "/dokumentacja/Konfiguracja-uprawnien-Sprzetnik.pdf"
    static QUrl manualUrl();

private:
    void openManual();

    QLabel* m_text;
};
