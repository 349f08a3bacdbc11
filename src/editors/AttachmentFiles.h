#pragma once

#include <QString>

// The shared attachments folder (option lokalizacjaZalacznikow) and the
// files stored in it: an attachment's file lies directly in the folder
// under its key, an underscore and the chosen file's name, so that two
// files of the same name never meet.
namespace AttachmentFiles {
QString folder();
// folder + separator + stored name.
QString path(const QString& storedName);
// key text + "_" + the file name of `source`, shortened in its stem (the
// extension kept) to fit the 254 characters of NAZWAPLIKU and the file
// systems' 255-byte names.
QString storedName(const QString& keyText, const QString& source);
// A bare file name: not empty, no folder part, not "." or "..".
bool isPlainName(const QString& name);

// Copies `source` over the stored file, through a temporary file in the
// folder so that a failed copy never spoils a file already there. False with
// the system's text of the failure.
bool store(const QString& source, const QString& storedName, QString* error);
// Deletes a stored file; a file that is not there is no failure.
bool remove(const QString& storedName, QString* error = nullptr);

// "Błąd" with the copy-failure text, and the log line made of the caller's
// prefix ("[0000022123]  " and the like) and the system's text.
void reportCopyFailure(const QString& logPrefix, const QString& systemText);

// "Otwórz załącznik": the folder and the file are checked ("Błąd" messages)
// and the file is opened with the program the system associates with it.
// When no program opens the file, "Błąd" says so with the file's path.
bool open(const QString& storedName);
} // namespace AttachmentFiles
