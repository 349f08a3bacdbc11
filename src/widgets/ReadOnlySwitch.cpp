#include "widgets/ReadOnlySwitch.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QTabBar>
#include <QWidget>

namespace {
// A control of the form itself: not a part of a composite control (combo
// box, spin box, calendar, tab bar, grid) and not on another window such as
// a child dialog.
bool ownControl(QWidget* w, QWidget* form)
{
    for (QWidget* p = w->parentWidget(); p && p != form; p = p->parentWidget()) {
        if (p->isWindow() || qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
            qobject_cast<QCalendarWidget*>(p) || qobject_cast<QTabBar*>(p) ||
            qobject_cast<QAbstractItemView*>(p))
            return false;
    }
    return !w->isWindow();
}
} // namespace

namespace ReadOnlySwitch {
void setReadOnlyLook(QWidget* field, bool readOnly)
{
    // A field that cannot be typed in shows the window's colour, not white.
    if (readOnly) {
        QPalette p = field->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        field->setPalette(p);
    } else {
        field->setPalette(QPalette());
    }
    field->setProperty("readOnlyLook", readOnly);
}

void apply(QWidget* form, bool readOnly)
{
    const QList<QWidget*> widgets = form->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!ownControl(w, form))
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setReadOnly(readOnly);
            setReadOnlyLook(edit, readOnly);
        } else if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                   qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            w->setEnabled(!readOnly);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            const QString caption = button->text();
            if (readOnly && caption == QLatin1String("&Anuluj")) {
                button->setText(QStringLiteral("&OK"));
                button->setToolTip(QStringLiteral("Zamknij"));
                button->setVisible(true);
            } else if (!readOnly && caption == QLatin1String("&OK")) {
                button->setText(QStringLiteral("&Anuluj"));
                button->setToolTip(QStringLiteral("Anuluj zmiany"));
                button->setVisible(true);
            } else {
                button->setVisible(!readOnly);
            }
        }
    }
}
} // namespace ReadOnlySwitch
