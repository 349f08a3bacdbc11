#include "shell/ConnectionLostNotice.h"

#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "store/TmyDataBase.h"
#include "widgets/ListModel.h"

#include <QTimer>

ConnectionLostNotice::ConnectionLostNotice(TmyDataBase& db, ChooseAgain chooseAgain, QObject* parent)
    : QObject(parent), m_db(db), m_chooseAgain(std::move(chooseAgain))
{
    m_db.setConnectionLostHandler([this] {
        // Found inside a read or a write: nothing is reopened under it.
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, &ConnectionLostNotice::tell);
    });
}

ConnectionLostNotice::~ConnectionLostNotice()
{
    m_db.setConnectionLostHandler({});
}

QString ConnectionLostNotice::lostText(const QString& where)
{
    return QStringLiteral("Połączenie z serwerem bazy danych %1 zostało przerwane. Operacja, która była "
                          "w toku, nie została zapisana (serwer wycofał ją w całości).\n\n"
                          "Czy połączyć się ponownie? Wybierz „Nie”, aby wskazać bazę danych jeszcze raz.")
        .arg(where);
}

void ConnectionLostNotice::tell()
{
    QString text = lostText(m_db.connectedTo());
    for (;;) {
        if (!Dialogs::question(QStringLiteral("Błąd bazy danych"), text)) {
            m_pending = false;
            if (m_chooseAgain)
                m_chooseAgain();
            return;
        }
        TmyDataBase::ConnectFailure failure;
        if (m_db.reconnect(&failure)) {
            m_pending = false;
            ListModel::reopenShown();
            Dialogs::info(QStringLiteral("Informacja"),
                          QStringLiteral("Połączenie z serwerem bazy danych zostało przywrócone. Listy "
                                         "pokazują aktualne dane; powtórz operację, która się nie udała."));
            return;
        }
        ErrorLog::log(failure.message, failure.code);
        text = failure.message + QStringLiteral("\n\nCzy spróbować połączyć się ponownie? Wybierz „Nie”, "
                                                "aby wskazać bazę danych jeszcze raz.");
    }
}
