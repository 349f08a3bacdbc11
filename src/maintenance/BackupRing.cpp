#include "maintenance/BackupRing.h"

#include "base/Clock.h"
#include "base/Dialogs.h"
#include "base/EngineMessages.h"
#include "base/ErrorLog.h"
#include "maintenance/DatabaseSnapshot.h"
#include "store/AppState.h"
#include "store/DbError.h"
#include "store/TableList.h"

#include <QDir>

namespace BackupRing {
bool isDue(const SystemParams& params, const QDate& today)
{
    const QDate last = DueWindow::fromYmd(params.lastBackupDate);
    if (!last.isValid())
        return true; // no usable date of a last backup: one is owed
    return DueWindow::toYmd(last.addDays(params.intervalDays)) < DueWindow::toYmd(today);
}

int nextSlot(const SystemParams& params)
{
    const int slot = params.lastSlot + 1;
    return slot > params.slotsKept || slot < 1 ? 1 : slot;
}

QString folder(const QString& databaseDirectory, int slot)
{
    return QDir(databaseDirectory).filePath(QStringLiteral("backup_") + QString::number(slot));
}

void automaticBackupCheck(TmyDataBase& db, const QString& password, bool hasRight0)
{
    int steps = 0;
    try {
        SystemParams params = db.loadSystemParams();
        ++steps;
        if (!params.enabled || (params.adminsOnly && !hasRight0))
            return;
        if (!isDue(params, Clock::today()))
            return;
        if (params.askFirst &&
            !Dialogs::question(
                QStringLiteral("Pytanie"),
                QStringLiteral("Baza danych nie posiada aktualnej kopii zapasowej, która mogłaby być "
                               "wykorzystana do odzyskania danych w przypadku awarii. Czy stworzyć "
                               "kopię zapasową bazy danych teraz?")))
            return;
        params = db.loadSystemParams();
        ++steps;
        params.lastSlot = nextSlot(params);
        // The slot moves on even when the copy below fails.
        if (!db.saveSystemParams(params))
            return; // reported by the data module
        ++steps;
        const QString target = folder(db.directory(), params.lastSlot);
        if (!QDir(target).exists() && !QDir().mkdir(target)) {
            Dialogs::info(QStringLiteral("Informacja"),
                          QStringLiteral("Nie udało się utworzyć folderu z kopią zapasową bazy danych. Brak "
                                         "uprawnień do zapisu do folderu? ") +
                              target);
            return;
        }
        ++steps;
        try {
            DatabaseSnapshot::write(db.DatabaseMain(), password, QDir(target).filePath(kDatabaseFileName));
        } catch (const DbError& e) {
            // The engine's reason goes to the log; the user sees the notice and why in Polish.
            ErrorLog::log(e.message() +
                              (e.detail().isEmpty() ? QString()
                                                    : QStringLiteral(" (") + e.detail() + QLatin1Char(')')) +
                              QStringLiteral(", ") + QString::number(steps),
                          24021111);
            Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Nie udało się stworzyć archiwum. ") +
                                                            EngineMessages::forUser(e.message()));
            return;
        }
        ++steps;
        params.lastBackupDate = int(DueWindow::toYmd(Clock::today()));
        if (!db.saveSystemParams(params))
            return;
        ++steps;
        if (params.askFirst)
            Dialogs::info(QStringLiteral("Informacja"),
                          QStringLiteral("Kopia zapasowa utworzona poprawnie w folderze: ") + target);
    } catch (const DbError& e) {
        ErrorLog::report(e.message() + QStringLiteral(", ") + QString::number(steps), true, 24021111);
    } catch (const std::exception& e) {
        ErrorLog::report(QString::fromLocal8Bit(e.what()) + QStringLiteral(", ") + QString::number(steps),
                         true, 24021111);
    }
}
} // namespace BackupRing
