#include "users/TfLogin.h"

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "store/DbError.h"
#include "store/TmyDataBase.h"
#include "users/UserAccounts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfLogin::TfLogin(TmyDataBase& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfLogin"));
    setWindowTitle(QStringLiteral("Sprzetnik"));

    auto* heading = new QLabel(QStringLiteral("Zaloguj się ..."), this);
    heading->setObjectName(QStringLiteral("naglowek"));
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    heading->setFont(font);

    m_userEdit = new QLineEdit(this);
    m_userEdit->setObjectName(QStringLiteral("user"));
    m_pwdEdit = new QLineEdit(this);
    m_pwdEdit->setObjectName(QStringLiteral("pwd"));
    m_pwdEdit->setEchoMode(QLineEdit::Password);
    m_info = new QLabel(QStringLiteral("Niepoprawny login lub hasło"), this);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setStyleSheet(QStringLiteral("color: red;"));
    m_info1 = new QLabel(QStringLiteral("domyślnie: ADMIN"), this);
    m_info1->setObjectName(QStringLiteral("info1"));
    m_info2 = new QLabel(QStringLiteral("domyślnie: kubol"), this);
    m_info2->setObjectName(QStringLiteral("info2"));

    m_ok = new QPushButton(QStringLiteral("    &OK       "), this);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setDefault(true);
    m_konfiguruj = new QPushButton(QStringLiteral("Konfiguruj bazę"), this);
    m_konfiguruj->setObjectName(QStringLiteral("konfiguruj"));
    m_konfiguruj->setAutoDefault(false);

    auto* form = new QFormLayout;
    auto* userRow = new QHBoxLayout;
    userRow->addWidget(m_userEdit);
    userRow->addWidget(m_info1);
    auto* pwdRow = new QHBoxLayout;
    pwdRow->addWidget(m_pwdEdit);
    pwdRow->addWidget(m_info2);
    form->addRow(QStringLiteral("Użytkownik"), userRow);
    form->addRow(QStringLiteral("Hasło"), pwdRow);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_konfiguruj);
    buttons->addStretch();
    buttons->addWidget(m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(m_info);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &TfLogin::OKClick);
    connect(m_konfiguruj, &QPushButton::clicked, this, &TfLogin::KonfigurujClick);
    connect(m_userEdit, &QLineEdit::textEdited, m_info, &QLabel::hide);
    connect(m_pwdEdit, &QLineEdit::textEdited, m_info, &QLabel::hide);
    // Enter in either field reaches the default button "OK".
    m_userEdit->installEventFilter(this);
    m_info->hide();
}

void TfLogin::setDatabase(const QString& directory, const QString& password)
{
    m_target = DatabaseTarget{directory, password, std::nullopt};
}

void TfLogin::setFirstLogin(bool on)
{
    m_info1->setVisible(on);
    m_info2->setVisible(on);
}

void TfLogin::prepare()
{
    // The old engine needed a shared lock-control folder here; SQLite locks
    // the database file itself.
    TmyDataBase::removeLockFile(m_target.directory);
    m_description.clear();
    m_user.clear();
    m_userEdit->clear();
    m_pwdEdit->clear();
    m_info->hide();
    m_failures = 0;
    m_userEdit->setFocus();
}

void TfLogin::countFailure()
{
    m_info->show();
    m_pwdEdit->clear();
    ++m_failures;
}

void TfLogin::OKClick()
{
    const QString name = m_userEdit->text();
    const QString password = m_pwdEdit->text();
    if (name.isEmpty() || password.size() < 3) {
        countFailure();
    } else {
        if (openDatabase()) {
            UserAccounts accounts(m_db);
            QString description;
            switch (accounts.login(name, password, &description)) {
            case UserAccounts::LoginResult::LoggedIn:
                m_user = name.toUpper();
                m_description = description;
                accept();
                return;
            case UserAccounts::LoginResult::Refused:
                countFailure();
                break;
            case UserAccounts::LoginResult::DatabaseError:
                break; // reported with code 222, not counted
            }
        }
    }
    m_userEdit->selectAll();
    m_userEdit->setFocus();
    if (m_failures >= 3)
        reject();
}

bool TfLogin::openDatabase()
{
    TmyDataBase::removeLockFile(m_target.directory);
    m_db.closeAll();
    TmyDataBase::ConnectFailure failure;
    if (!m_refused) {
        if (m_db.connectTo(m_target, &failure))
            return true;
        ErrorLog::report(failure.message, true, failure.code);
        return false;
    }
    if (m_db.connectTo(m_target, &failure)) {
        // The first table read as the database test reads it: a file damaged
        // past its first pages shows here, not somewhere in the work after login.
        try {
            Statement& probe = m_db.mySQL();
            probe.clear();
            probe.add(QStringLiteral("SELECT * FROM firmy LIMIT 1"));
            probe.open();
            probe.close();
            return true;
        } catch (const DbError& e) {
            failure = {e.message(), 566};
            m_db.disconnect();
        }
    }
    DatabaseTarget target = m_target;
    switch (m_refused(target)) {
    case DatabaseFault::Fixed:
        // The login starts again on the database the dialog gave.
        m_db.closeAll();
        setDatabase(target);
        prepare();
        break;
    case DatabaseFault::GivenUp:
        reject();
        break;
    case DatabaseFault::Passing:
        ErrorLog::report(failure.message, true, failure.code);
        break;
    }
    return false;
}

void TfLogin::KonfigurujClick()
{
    DatabaseTarget target = m_target;
    if (m_configure && m_configure(target)) {
        m_db.closeAll();
        setDatabase(target);
        prepare();
        return;
    }
    Dialogs::info(QStringLiteral("Informacja"),
                  QStringLiteral(
                      "Nie udało się określić lokalizacji i hasła bazy danych. Program zostanie zamknięty."));
    reject();
}

bool TfLogin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_userEdit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject(); // Esc in the user field ends the program
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
