#include "widgets/DatabaseReplacedNotice.h"

#include "base/Dialogs.h"
#include "store/TmyDataBase.h"
#include "widgets/ListModel.h"

#include <QTimer>

DatabaseReplacedNotice::DatabaseReplacedNotice(TmyDataBase& db, QObject* parent) : QObject(parent), m_db(db)
{
    m_db.setReplacedHandler([this] {
        // Found in the middle of a read or a write: the lists are not reset
        // under it, and one replacement is told once.
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, &DatabaseReplacedNotice::tell);
    });
}

DatabaseReplacedNotice::~DatabaseReplacedNotice()
{
    m_db.setReplacedHandler({});
}

void DatabaseReplacedNotice::tell()
{
    m_pending = false;
    ListModel::reopenShown();
    Dialogs::info(QStringLiteral("Informacja"), TmyDataBase::restoredElsewhereText());
}
