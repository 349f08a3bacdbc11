#pragma once

#include <QString>

// "Otwórz log błędów error.log": writes where the database, the configuration
// and the program lie, then opens the log in the system's text viewer.
void openErrorLog(const QString& databaseDir);
