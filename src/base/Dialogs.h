#pragma once

#include <QList>
#include <QString>
#include <QUrl>

class QWidget;

// Every message box, question, prompt, file picker and shell "open" of the
// program goes through here, so that a test can script the answers and read
// back what would have been shown, without a single window opening.
class Dialogs
{
public:
    enum class Kind
    {
        Info,
        Question,
        Prompt,
        DbProblem,
        OpenFile,
        SaveFile,
        Directory
    };
    struct Shown
    {
        Kind kind;
        QString title;
        // The message; for file pickers the starting folder.
        QString text;
        // Prompts only: the field masked the entry.
        bool password = false;
    };

    Dialogs() = delete;

    // The information box; not shown once the program has started to end.
    static void info(const QString& title, const QString& text);
    // True for "Tak".
    static bool question(const QString& title, const QString& text);
    // value: the initial text in, the entered text out (also when cancelled).
    // True when accepted.
    static bool prompt(const QString& title, const QString& text, QString& value);
    // The next prompt masks its entry; the request lapses after that call.
    static void setNextPromptPassword();
    // The dialog for a database the stored password does not open.
    static void dbProblem(const QString& databaseDir = QString());

    // File pickers; an empty name when cancelled.
    static QString openFileName(QWidget* parent, const QString& caption, const QString& dir = QString(),
                                const QString& filter = QString());
    // `defaultSuffix` is added to a name typed without one before the
    // overwrite question is asked.
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& dir = QString(),
                                const QString& filter = QString(), const QString& defaultSuffix = QString());
    static QString existingDirectory(QWidget* parent, const QString& caption, const QString& dir = QString());

    // The shell "open" of a file or link; when nothing opens it, "Błąd" says
    // so with the file's path (or the link) and false is answered.
    static bool openUrl(const QUrl& url);
    static QString openFailedText(const QUrl& url);

    // Lets the error reporter show its box through info().
    static void install();

    // Tests. From startScript() (or the first setNext...) until stopScript()
    // no dialog is shown and no URL opened: answers come from the queues, in
    // order, and every call is recorded. A question or prompt with no answer
    // queued answers no / cancel; a file picker, an empty name.
    static void startScript();
    static void stopScript();
    static bool isScripted();
    static void setNextAnswer(bool yes);
    static void setNextText(const QString& text);
    static void setNextCancel();
    static void setNextFileName(const QString& fileName);
    // The next shell "open" fails as when no program handles the file.
    static void setNextOpenFails();
    static QList<Shown> shown();
    static QList<QUrl> openedUrls();
    // Questions, prompts and file pickers that found no scripted answer.
    static int unanswered();
};
