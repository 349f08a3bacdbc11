#pragma once

#include "store/TmyDataBase.h"

#include <QDate>
#include <QString>

// The ring of automatic backups, folders "backup_1" ... "backup_N" of the
// database directory, governed by the backup parameters of table system.
namespace BackupRing {
// The first login after the interval has fully passed: last + interval days < today.
bool isDue(const SystemParams& params, const QDate& today);
// The slot after the last one, back to 1 past the number kept.
int nextSlot(const SystemParams& params);
QString folder(const QString& databaseDirectory, int slot);

// The check run after every login. `hasRight0`: the user holds right 0.
// Every failure is reported (code 24021111) and the start-up goes on.
void automaticBackupCheck(TmyDataBase& db, const QString& password, bool hasRight0);
} // namespace BackupRing
