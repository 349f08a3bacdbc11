#include "users/UserAccounts.h"

#include "base/ErrorLog.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/PasswordHash.h"
#include "store/RowGone.h"
#include "store/WriteTransaction.h"

UserAccounts::LoginResult UserAccounts::login(const QString& name, const QString& password,
                                              QString* description)
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

UserAccounts::AddResult UserAccounts::add(const QString& name, const QString& password,
                                          const QString& description)
{
    const QString user = normalized(name);
    // The check, the account and its 29 rights are one write: no second
    // workstation takes the name in between, and a failure leaves no account
    // without its rights.
    AddResult result = AddResult::Failed;
    // The slow hash is made before the write lock is taken.
    const QString hash = QString::fromLatin1(PasswordHash::hash(password));
    const bool ok = guardedWrite(m_db.DatabaseMain(), 203, [&] {
        if (m_db.exists(QStringLiteral("userzy"), QStringLiteral("NAZWA"), user)) {
            // A failed check was reported already; the name is not said to be taken.
            result = m_db.lastCheckFailed() ? AddResult::Failed : AddResult::Exists;
            return;
        }
        Statement& q = m_db.statement(QStringLiteral("DBFInsertUserzy"));
        q.setParam(0, user);
        q.setParam(1, hash);
        q.setParam(2, description);
        q.execSQL();
        for (int right = 1; right <= 29; ++right)
            grant(user, right, true);
        result = AddResult::Added;
    });
    return ok ? result : AddResult::Failed;
}

bool UserAccounts::update(const QString& name, const QString& password, const QString& description)
{
    const QString user = normalized(name);
    const bool keepPassword = password.isEmpty();
    Statement& q = m_db.statement(keepPassword ? QStringLiteral("DBFUpdateUserzyOpis")
                                               : QStringLiteral("DBFUpdateUserzy"));
    try {
        if (!keepPassword)
            q.setParam(0, QString::fromLatin1(PasswordHash::hash(password)));
        q.setParam(1, description);
        q.setParam(2, user);
        RowGone::unlessChanged(q.execSQL());
        return true;
    } catch (const RowGone& e) {
        ErrorLog::report(e.message(), false, 202);
        return false;
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, 202);
        return false;
    }
}

bool UserAccounts::remove(const QString& name)
{
    // The account and its rights go together; each statement keeps its code.
    qint64 code = 204;
    try {
        WriteTransaction transaction(m_db.DatabaseMain());
        Statement& account = m_db.statement(QStringLiteral("DBFDeleteUserzy"));
        account.setParam(0, name);
        account.execSQL();
        code = 205;
        Statement& rights = m_db.statement(QStringLiteral("DBFDeleteAllRights"));
        rights.setParam(0, name);
        rights.execSQL();
        transaction.commit();
        return true;
    } catch (const DbError& e) {
        ErrorLog::report(e.message(), true, code);
        return false;
    }
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

bool UserAccounts::setRight(const QString& name, int right, bool held)
{
    // The look-up and the insert are one write, so two workstations cannot both insert.
    return guardedWrite(m_db.DatabaseMain(), 210, [&] { grant(name, right, held); });
}

void UserAccounts::grant(const QString& name, int right, bool held)
{
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
}
