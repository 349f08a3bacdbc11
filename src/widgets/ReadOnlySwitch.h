#pragma once

class QWidget;

// Turns any form into a preview and back: single-line text and date fields
// become read-only, lists, check boxes and calendars are disabled, push and
// tool buttons are hidden, and the button captioned "&Anuluj" stays visible
// as "&OK" with the hint "Zamknij". Multi-line fields stay editable.
namespace ReadOnlySwitch {
void apply(QWidget* form, bool readOnly);
// The grey background of a field that cannot be typed in.
void setReadOnlyLook(QWidget* field, bool readOnly);
} // namespace ReadOnlySwitch
