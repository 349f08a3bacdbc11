#pragma once

#include "store/TmyDataBase.h"

#include <QSet>
#include <QString>

// The accounts of program users and their rights, as the login dialog and the
// accounts window use them. Names are stored and compared in upper case.
class UserAccounts
{
public:
    explicit UserAccounts(TmyDataBase& db) : m_db(db) {}

    enum class LoginResult
    {
        LoggedIn,
        Refused,
        DatabaseError
    };
    // Checks name and password (fewer than 3 characters never reach the
    // database); an older cipher text is replaced by a hash on success.
    LoginResult login(const QString& name, const QString& password, QString* description = nullptr);
    // The description (OPIS) of an account; code 222 on a database error.
    QString description(const QString& name);

    enum class AddResult
    {
        Added,
        Exists,
        Failed
    };
    // Inserts the account and grants rights 1 to 29, all in one transaction
    // (code 203). A failed existence check answers Failed, not Exists.
    AddResult add(const QString& name, const QString& password, const QString& description);
    // Updates password and description; an empty password keeps the stored one (code 202).
    bool update(const QString& name, const QString& password, const QString& description);
    // Deletes the account (code 204) and its rights (code 205) together.
    bool remove(const QString& name);

    // The right numbers held by an account (code 210).
    QSet<int> rightsOf(const QString& name);
    // Grants or withdraws one right at once; a failure is reported (code 210)
    // and answered with false, so the page can show what is stored.
    bool setRight(const QString& name, int right, bool held);

    static QString normalized(const QString& name) { return name.trimmed().toUpper(); }

private:
    void grant(const QString& name, int right, bool held); // throws DbError
    TmyDataBase& m_db;
};
