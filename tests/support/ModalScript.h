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

    void add(const QString& dialog, Step step) { m_steps.push_back({dialog, std::move(step)}); }
    bool done() const { return m_steps.empty(); }
    int remaining() const { return int(m_steps.size()); }
    // Dialogs that did not match the step, or were left open with no step.
    const QStringList& errors() const { return m_errors; }

private:
    struct Entry
    {
        QString dialog;
        Step step;
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
        if (modal->objectName() != m_steps.front().dialog) {
            // A dialog just closed leaves its owner active until the next one
            // opens: only a stranger that stays is an error.
            if (modal != m_stranger) {
                m_stranger = modal;
                m_strangerSince.start();
                return;
            }
            if (m_strangerSince.elapsed() < 500)
                return;
            m_errors << QStringLiteral("expected ") + m_steps.front().dialog + QStringLiteral(", found ") +
                            modal->objectName();
            m_steps.pop_front();
            m_stranger = nullptr;
            modal->close();
            return;
        }
        m_stranger = nullptr;
        Entry e = std::move(m_steps.front());
        m_steps.pop_front();
        m_busy = true;
        QTimer::singleShot(0, modal, [this, modal, step = std::move(e.step)] {
            m_busy = false;
            step(modal);
        });
    }

    QTimer m_timer;
    QElapsedTimer m_idle;
    std::deque<Entry> m_steps;
    QStringList m_errors;
    QWidget* m_stranger = nullptr; // compared only, never used
    QElapsedTimer m_strangerSince;
    bool m_busy = false;
};
