#pragma once

#include <QObject>

#include <functional>

class TmyDataBase;

// What the program does when the connection to the database server is lost
// in the middle of the work: once the operation that found it has failed and
// gone back to the event loop, the user is told that nothing of it was kept
// and chooses to connect again (the lists shown are then read afresh) or to
// choose the database again (back to the start: database test and login).
class ConnectionLostNotice : public QObject
{
    Q_OBJECT

public:
    using ChooseAgain = std::function<void()>;
    ConnectionLostNotice(TmyDataBase& db, ChooseAgain chooseAgain, QObject* parent = nullptr);
    ~ConnectionLostNotice() override;

    static QString lostText(const QString& where);

private:
    void tell();

    TmyDataBase& m_db;
    ChooseAgain m_chooseAgain;
    bool m_pending = false;
};
