#include "base/Dialogs.h"

#include "base/ErrorLog.h"
#include "base/FileAssociation.h"
#include "base/SprzetnikApplication.h"
#include "base/TinfoDBProblem.h"
#include "base/TinfoForm.h"
#include "base/TpromptForm.h"
#include "base/TquestionForm.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QQueue>

#include <optional>
#include <utility>

namespace {
struct Script
{
    bool active = false;
    QQueue<bool> answers;
    QQueue<std::optional<QString>> texts;
    QQueue<QString> fileNames;
    QList<Dialogs::Shown> shown;
    QList<QUrl> urls;
    int failingOpens = 0;
    int unanswered = 0;
};

Script g_script;
bool g_nextPromptPassword = false;

QWidget* dialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void record(Dialogs::Kind kind, const QString& title, const QString& text, bool password = false)
{
    g_script.shown.append({kind, title, text, password});
}

void noAnswer(const QString& title)
{
    ++g_script.unanswered;
    qWarning("Dialogs: no scripted answer for \"%s\"", qUtf8Printable(title));
}

QString scriptedFileName(Dialogs::Kind kind, const QString& caption, const QString& dir)
{
    record(kind, caption, dir);
    if (g_script.fileNames.isEmpty()) {
        noAnswer(caption);
        return QString();
    }
    return g_script.fileNames.dequeue();
}
} // namespace

void Dialogs::info(const QString& title, const QString& text)
{
    if (SprzetnikApplication::isClosing())
        return;
    if (g_script.active) {
        record(Kind::Info, title, text);
        return;
    }
    TinfoForm form(dialogParent());
    form.setMessage(title, text);
    form.exec();
}

bool Dialogs::question(const QString& title, const QString& text)
{
    if (g_script.active) {
        record(Kind::Question, title, text);
        if (g_script.answers.isEmpty()) {
            noAnswer(title);
            return false;
        }
        return g_script.answers.dequeue();
    }
    TquestionForm form(dialogParent());
    form.setQuestion(title, text);
    return form.ask();
}

bool Dialogs::prompt(const QString& title, const QString& text, QString& value)
{
    const bool password = std::exchange(g_nextPromptPassword, false);
    if (g_script.active) {
        record(Kind::Prompt, title, text, password);
        if (g_script.texts.isEmpty()) {
            noAnswer(title);
            return false;
        }
        const std::optional<QString> answer = g_script.texts.dequeue();
        if (!answer)
            return false;
        value = *answer;
        return true;
    }
    TpromptForm form(dialogParent());
    form.setPrompt(title, text, value, password);
    const bool accepted = form.exec() == QDialog::Accepted;
    value = form.value();
    return accepted;
}

void Dialogs::setNextPromptPassword()
{
    g_nextPromptPassword = true;
}

void Dialogs::dbProblem(const QString& databaseDir)
{
    if (g_script.active) {
        record(Kind::DbProblem, QStringLiteral("Informacja"), TinfoDBProblem::messageText(databaseDir));
        return;
    }
    TinfoDBProblem form(dialogParent());
    form.setDatabaseDir(databaseDir);
    form.exec();
}

QString Dialogs::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                              const QString& filter)
{
    if (g_script.active)
        return scriptedFileName(Kind::OpenFile, caption, dir);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString Dialogs::saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                              const QString& filter, const QString& defaultSuffix)
{
    if (g_script.active)
        return scriptedFileName(Kind::SaveFile, caption, dir);
    if (defaultSuffix.isEmpty())
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString Dialogs::existingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    if (g_script.active)
        return scriptedFileName(Kind::Directory, caption, dir);
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

bool Dialogs::openUrl(const QUrl& url)
{
    bool opened = true;
    if (g_script.active) {
        g_script.urls.append(url);
        if (g_script.failingOpens > 0) {
            --g_script.failingOpens;
            opened = false;
        }
    } else {
        // A file type without a program would otherwise open nothing and say nothing.
        opened = FileAssociation::handlerFor(url) != FileAssociation::Answer::None &&
                 QDesktopServices::openUrl(url);
    }
    // Never silent: the user learns what could not be opened and where it is.
    if (!opened)
        info(QStringLiteral("Błąd"), openFailedText(url));
    return opened;
}

QString Dialogs::openFailedText(const QUrl& url)
{
    if (url.isLocalFile())
        return QStringLiteral(
                   "Nie udało się otworzyć pliku - w systemie nie ma programu, który otwiera pliki "
                   "tego rodzaju:\n") +
               QDir::toNativeSeparators(url.toLocalFile());
    return QStringLiteral(
               "Nie udało się otworzyć odnośnika - w systemie nie ma programu, który go obsługuje:\n") +
           url.toString();
}

void Dialogs::setNextOpenFails()
{
    startScript();
    ++g_script.failingOpens;
}

void Dialogs::install()
{
    ErrorLog::setDisplay([](const QString& title, const QString& text) { info(title, text); });
}

void Dialogs::startScript()
{
    g_script.active = true;
}

void Dialogs::stopScript()
{
    g_script = Script();
    g_nextPromptPassword = false;
}

bool Dialogs::isScripted()
{
    return g_script.active;
}

void Dialogs::setNextAnswer(bool yes)
{
    startScript();
    g_script.answers.enqueue(yes);
}

void Dialogs::setNextText(const QString& text)
{
    startScript();
    g_script.texts.enqueue(text);
}

void Dialogs::setNextCancel()
{
    startScript();
    g_script.texts.enqueue(std::nullopt);
}

void Dialogs::setNextFileName(const QString& fileName)
{
    startScript();
    g_script.fileNames.enqueue(fileName);
}

QList<Dialogs::Shown> Dialogs::shown()
{
    return g_script.shown;
}

QList<QUrl> Dialogs::openedUrls()
{
    return g_script.urls;
}

int Dialogs::unanswered()
{
    return g_script.unanswered;
}
