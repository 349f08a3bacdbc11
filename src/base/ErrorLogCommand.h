#pragma once

#include <QString>

// "Otwórz log błędów error.log": writes where the database, the configuration
// and the program lie, then shows the log in the program's
// own viewer.
void openErrorLog(const QString& databaseDir);
