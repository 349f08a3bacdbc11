#pragma once

#include <QString>

class QLabel;
class QToolButton;
class QWidget;

// Small pieces the cards and dialogs are built from.
namespace DialogParts {
// The bold header line at the top of a dialog (objectName "naglowek").
QLabel* heading(QWidget* parent, const QString& text);
// A flat button beside a field ("X" to clear, "[...]" for the dictionaries);
// it takes no focus, so Enter and Esc keep acting on the field.
QToolButton* flatButton(QWidget* parent, const char* name, const QString& caption, const QString& hint);
} // namespace DialogParts
