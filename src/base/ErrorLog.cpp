#include "base/ErrorLog.h"

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "base/EngineMessages.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

namespace {
ErrorLog::Display g_display;
}

namespace ErrorLog {
QString logPath()
{
    return AppPaths::configDir() + QStringLiteral("/debug/error.log");
}

void writeLine(const QString& text)
{
    try {
        const QString path = logPath();
        if (!QDir(QFileInfo(path).absolutePath()).exists())
            return;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        const QString line =
            Clock::now().toString(QStringLiteral("yyyy.MM.dd HH:mm:ss")) + QStringLiteral("  ") + text;
        QStringEncoder encoder("windows-1250");
        QByteArray bytes = encoder.isValid() ? QByteArray(encoder.encode(line)) : line.toLocal8Bit();
        bytes.append("\r\n");
        file.write(bytes);
    } catch (...) {
        // A log that cannot be written is simply not written.
    }
}

QString codeText(qint64 code)
{
    QString text = QString::number(code);
    while (text.size() <= 9)
        text.prepend(QLatin1Char('0'));
    return text;
}

void setDisplay(Display display)
{
    g_display = std::move(display);
}

QString lockedFilesText()
{
    return QStringLiteral("Pliki bazy danych są zablokowane przez inny program. Odczekaj chwilę i spróbuj "
                          "ponownie. Jeśli sytuacja powtórzy się spróbuj uruchomić program ponownie lub "
                          "zrestartuj komputer.");
}

bool isLockedMessage(const QString& message)
{
    // The old engine's text and SQLite's answer for a file locked by another program.
    return message.contains(QLatin1String("Directory is controlled by other .NET file")) ||
           message.contains(QLatin1String("database is locked")) ||
           message.contains(QLatin1String("database table is locked"));
}

void report(const QString& message, bool prefix, qint64 code)
{
    show(message, prefix);
    log(message, code);
}

void show(const QString& message, bool prefix)
{
    const QString title = QStringLiteral("Błąd bazy danych");
    try {
        if (g_display) {
            if (isLockedMessage(message))
                g_display(title, lockedFilesText());
            else if (prefix)
                g_display(title, QStringLiteral("Wystąpił nieoczekiwany błąd. Orginalny komunikat: ") +
                                     EngineMessages::forUser(message));
            else
                g_display(title, EngineMessages::forUser(message));
        }
    } catch (...) {
        // Errors raised while showing the box are ignored.
    }
}

void log(const QString& message, qint64 code)
{
    writeLine(QStringLiteral("[") + codeText(code) + QStringLiteral("]  ") + message);
}
} // namespace ErrorLog
