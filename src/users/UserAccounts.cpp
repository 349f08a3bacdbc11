#include "users/UserAccounts.h"

#include "shell/ErrorLog.h"
#include "store/DbError.h"
#include "users/PasswordHash.h"

UserAccounts::LoginResult UserAccounts::login(const QString& name, const QString& password, QString* description)
{
    if (name.isEmpty() || password.size() < 3)
        return LoginResult::Refused;
    const QString user = name.toUpper();
    Statement& q = m_db.statement(QStringLiteral("DBFLogin"));
    try {
        q.close();
        q.setParam(0, user);
        q.open();
        if (q.eof() || !PasswordHash::verify(password, q.bytes(QStringLiteral("HASLO")))) {
            q.close();
            return LoginResult::Refused;
        }
        const bool legacy = !PasswordHash::isHash(q.bytes(QStringLiteral("HASLO")));
        if (description)
            *description = q.text(QStringLiteral("OPIS"));
        q.close();
        if (legacy) {
            // Older databases kept a reversible cipher text: replace it by a hash now.
            Statement& u = m_db.mySQL();
            u.clear();
            u.add(QStringLiteral("UPDATE userzy SET HASLO=:PARAM0 WHERE NAZWA=:PARAM1"));
            u.setParam(0, QString::fromLatin1(PasswordHash::hash(password)));
            u.setParam(1, user);
            u.execSQL();
        }
        return LoginResult::LoggedIn;
    } catch (const DbError& e) {
        q.close();
        ErrorLog::report(e.message(), true, 222);
        return LoginResult::DatabaseError;
    }
}

QString UserAccounts::description(const QString& name)
{
    Statement& q = m_db.statement(QStringLiteral("DBFUser"));
    QString text;
    try {
        q.close();
        q.setParam(0, name);
        q.open();
        if (!q.eof())
            text = q.text(QStringLiteral("OPIS"));
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 222);
    }
    q.close();
    return text;
}

UserAccounts::AddResult UserAccounts::add(const QString& name, const QString& password, const QString& description)
{
    const QString user = normalized(name);
    if (m_db.exists(QStringLiteral("userzy"), QStringLiteral("NAZWA"), user))
        return AddResult::Exists;
    Statement& q = m_db.statement(QStringLiteral("DBFInsertUserzy"));
    try {
        q.setParam(0, user);
        q.setParam(1, QString::fromLatin1(PasswordHash::hash(password)));
        q.setParam(2, description);
        q.execSQL();
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 203);
        return AddResult::Failed;
    }
    for (int right = 1; right <= 29; ++right)
        setRight(user, right, true);
    return AddResult::Added;
}

bool UserAccounts::update(const QString& name, const QString& password, const QString& description)
{
    const QString user = normalized(name);
    const bool keepPassword = password.isEmpty();
    Statement& q = m_db.statement(keepPassword ? QStringLiteral("DBFUpdateUserzyOpis") : QStringLiteral("DBFUpdateUserzy"));
    try {
        if (!keepPassword)
            q.setParam(0, QString::fromLatin1(PasswordHash::hash(password)));
        q.setParam(1, description);
        q.setParam(2, user);
        q.execSQL();
        return true;
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 202);
        return false;
    }
}

bool UserAccounts::remove(const QString& name)
{
    try {
        Statement& q = m_db.statement(QStringLiteral("DBFDeleteUserzy"));
        q.setParam(0, name);
        q.execSQL();
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 204);
        return false;
    }
    try {
        Statement& q = m_db.statement(QStringLiteral("DBFDeleteAllRights"));
        q.setParam(0, name);
        q.execSQL();
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 205);
        return false;
    }
    return true;
}

QSet<int> UserAccounts::rightsOf(const QString& name)
{
    QSet<int> rights;
    Statement& q = m_db.statement(QStringLiteral("DBFRights"));
    try {
        q.close();
        q.setParam(0, name);
        q.open();
        for (; !q.eof(); q.next()) {
            bool ok = false;
            const int n = q.text(QStringLiteral("UPR")).trimmed().toInt(&ok);
            if (ok)
                rights.insert(n);
        }
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 210);
    }
    q.close();
    return rights;
}

void UserAccounts::setRight(const QString& name, int right, bool held)
{
    try {
        if (held) {
            Statement& find = m_db.statement(QStringLiteral("DBFFindRights"));
            find.setParam(0, name);
            find.setParam(1, QString::number(right));
            find.open();
            const bool present = !find.isEmpty();
            find.close();
            if (present)
                return;
            Statement& insert = m_db.statement(QStringLiteral("DBFInsertRights"));
            insert.setParam(0, name);
            insert.setParam(1, QString::number(right));
            insert.execSQL();
        } else {
            Statement& del = m_db.statement(QStringLiteral("DBFDeleteRights"));
            del.setParam(0, name);
            del.setParam(1, QString::number(right));
            del.execSQL();
        }
    } catch (const DbError&) {
        // A box the store could not follow is set again when the page is reloaded.
    }
}
