#include "base/ErrorLogCommand.h"

#include "base/AppPaths.h"
#include "base/Dialogs.h"
#include "base/ErrorLog.h"
#include "base/ErrorLogViewer.h"

#include <QApplication>

#include <QDir>
#include <QFile>

void openErrorLog(const QString& databaseDir)
{
    const QString info = QStringLiteral("[9999999999]  ");
    ErrorLog::writeLine(info + QStringLiteral("db location=") + QDir::toNativeSeparators(databaseDir));
    ErrorLog::writeLine(info + QStringLiteral("Config dir=") +
                        QDir::toNativeSeparators(AppPaths::configDir()));
    const QString programDir = AppPaths::programDir();
    if (!programDir.isEmpty())
        ErrorLog::writeLine(info + QStringLiteral("Install dir=") + QDir::toNativeSeparators(programDir));

    const QString path = ErrorLog::logPath();
    if (!QFile::exists(path)) {
        Dialogs::info(QStringLiteral("Informacja"), QStringLiteral("Log błędów jest pusty."));
        return;
    }
    // Shown here rather than by the system: its viewers rarely read Windows-1250.
    ErrorLogViewer viewer(QApplication::activeWindow());
    viewer.load(path);
    viewer.exec();
}
