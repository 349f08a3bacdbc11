#pragma once

#include <QString>

#include <functional>

// The error log "debug/error.log" in the configuration folder and the error
// reporter every caught failure goes through.
namespace ErrorLog {
// Appends "yyyy.mm.dd hh:nn:ss  " + text, Windows-1250, CR LF. Silent when the
// folder "debug" is missing or the file cannot be written.
void writeLine(const QString& text);

// The code left-padded with "0" to 10 characters; longer codes stay as they are.
QString codeText(qint64 code);

// The full path of the log file.
QString logPath();

// What the reporter shows: title and text of the information box.
using Display = std::function<void(const QString& title, const QString& text)>;
// The GUI installs the information box here; without one nothing is shown.
void setDisplay(Display display);

// Shows "Błąd bazy danych" and logs "[code]  message". Never throws. The
// engine's English texts are shown in Polish; the log keeps them as received.
void report(const QString& message, bool prefix, qint64 code);
// The two halves of report(), for long work that logs each failure as it
// happens and shows the box only once its progress box has closed.
void show(const QString& message, bool prefix);
void log(const QString& message, qint64 code);

// The texts the reporter shows, for callers that must show the same.
QString lockedFilesText();
bool isLockedMessage(const QString& message);
} // namespace ErrorLog
