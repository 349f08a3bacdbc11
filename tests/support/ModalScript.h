#pragma once

// Drives modal dialogs in GUI tests: each step names the dialog it expects
// (objectName) and acts on it once that dialog is the active modal widget.
// A step runs from its own single-shot call, so a step that opens another
// modal dialog does not stop the script. Header-only: used by GUI tests only.

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

class ModalScript
{
public:
    using Step = std::function<void(QWidget*)>;

    ModalScript()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
        m_idle.start();
    }
    ~ModalScript() { m_timer.stop(); }

    void add(const QString& dialog, Step step) { m_steps.push_back({dialog, std::move(step), {}}); }
    // A step for one dialog of several of the same name (two workstations'
    // editors): another one active meanwhile is waited out as a mismatch.
    using Wanted = std::function<bool(QWidget*)>;
    void add(const QString& dialog, Wanted wanted, Step step)
    {
        m_steps.push_back({dialog, std::move(step), std::move(wanted)});
    }
    bool done() const { return m_steps.empty(); }
    int remaining() const { return int(m_steps.size()); }
    // Dialogs that did not match the step, or were left open with no step.
    const QStringList& errors() const { return m_errors; }

private:
    struct Entry
    {
        QString dialog;
        Step step;
        Wanted wanted;
    };

    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_busy) {
            m_idle.restart();
            return;
        }
        if (m_steps.empty()) {
            if (m_idle.elapsed() > 3000) { // nothing scripted: do not hang the test
                m_errors << QStringLiteral("unexpected dialog ") + modal->objectName();
                modal->close();
                m_idle.restart();
            }
            return;
        }
        const auto matches = [modal](const Entry& e) {
            return modal->objectName() == e.dialog && (!e.wanted || e.wanted(modal));
        };
        if (!matches(m_steps.front())) {
            // A dialog that closed and is about to open again (or a child
            // dialog after another) briefly leaves its parent active.
            if (!m_mismatch.isValid())
                m_mismatch.start();
            if (m_mismatch.elapsed() < 200)
                return;
        }
        m_mismatch.invalidate();
        Entry e = std::move(m_steps.front());
        m_steps.pop_front();
        if (!matches(e)) {
            m_errors << QStringLiteral("expected ") + e.dialog + QStringLiteral(", found ") +
                            modal->objectName();
            modal->close();
            return;
        }
        m_busy = true;
        QTimer::singleShot(0, modal, [this, modal, step = std::move(e.step)] {
            m_busy = false;
            step(modal);
        });
    }

    QTimer m_timer;
    QElapsedTimer m_idle;
    QElapsedTimer m_mismatch;
    std::deque<Entry> m_steps;
    QStringList m_errors;
    bool m_busy = false;
};
