#pragma once

#include "shell/ProgramWindows.h"

#include <QList>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QWidget;

// The program as a user sees it after the first start on the sample
// database: a temporary configuration folder, a new copy of the "demo"
// database made from data/demo, the main window wired as at start-up and
// ADMIN logged in through the login window. The clock is fixed so the
// pictures do not change from day to day.
class PictureSession : public QObject
{
    Q_OBJECT

public:
    PictureSession();
    ~PictureSession() override;

    // Makes the database and logs in; the reason when that failed.
    bool start(QString* error);

    // The program's windows and commands, built by start() as the program builds them.
    ProgramWindows& program() const { return *m_program; }
    QString databaseDir() const { return m_root + QStringLiteral("/baza"); }
    QString attachmentsDir() const { return m_root + QStringLiteral("/zalaczniki"); }

    // Runs `step` once on the first window of class `className` shown from
    // now on, from its own event-loop turn (inside the window's exec() when
    // it is modal).
    void whenShown(const QString& className, std::function<void(QWidget*)> step);
    // Forgets the steps that found no window.
    void clearSteps() { m_steps.clear(); }

    static const QString kPassword;
    static const QString kUser;
    static const QString kUserPassword;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Step
    {
        QString className;
        std::function<void(QWidget*)> run;
    };

    // The configuration, database and attachment folders live here: one
    // fixed folder so the paths the windows show stay the same, a temporary
    // one while another run holds it.
    QString m_root;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QTemporaryDir> m_temporary;
    QList<Step> m_steps;
    std::unique_ptr<ProgramWindows> m_program;
};
