#pragma once

#include "store/DatabaseTarget.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class TmyDataBase;

// The login dialog. Accepted after a successful login; rejected after the
// third failure, Esc in the user field or a database that cannot be found
// (the start-up then ends the program).
class TfLogin : public QDialog
{
    Q_OBJECT

public:
    explicit TfLogin(TmyDataBase& db, QWidget* parent = nullptr);

    // The database the login connects to.
    void setDatabase(const DatabaseTarget& target) { m_target = target; }
    // A database file.
    void setDatabase(const QString& directory, const QString& password);
    // Shows the default credentials while the first-login option is on.
    void setFirstLogin(bool on);
    // "Konfiguruj bazę": shows the database dialog and answers whether the
    // database test with password check then passes; it also hands back the
    // new location and password.
    using ConfigureDatabase = std::function<bool(DatabaseTarget& target)>;
    void setConfigureDatabase(ConfigureDatabase configure) { m_configure = std::move(configure); }
    // "OK" on a database that refuses the connection: finds out why and shows
    // it with the database dialog. The database is first opened with its key
    // here, not before the login is shown.
    enum class DatabaseFault
    {
        Fixed,   // the dialog gave a database that opens: handed back
        GivenUp, // the user gave up, told so: the program ends
        Passing  // the database opens now: the refusal is reported as any other
    };
    using RefusedDatabase = std::function<DatabaseFault(DatabaseTarget& target)>;
    void setRefusedDatabase(RefusedDatabase refused) { m_refused = std::move(refused); }

    // The show steps: clears fields and the failure counter.
    void prepare();
    QString user() const { return m_user; }
    QString description() const { return m_description; }
    int failures() const { return m_failures; }

    void OKClick();
    void KonfigurujClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void countFailure();
    bool openDatabase();

    TmyDataBase& m_db;
    DatabaseTarget m_target;
    QString m_user;
    QString m_description;
    int m_failures = 0;
    ConfigureDatabase m_configure;
    RefusedDatabase m_refused;

    QLineEdit* m_userEdit;
    QLineEdit* m_pwdEdit;
    QLabel* m_info;
    QLabel* m_info1;
    QLabel* m_info2;
    QPushButton* m_ok;
    QPushButton* m_konfiguruj;
};
