#pragma once

#include <QtGlobal>

class Statement;
class WorkEntryDialog;

// The value lines and text parameters of the order and settlement inserts
// and updates, from the dialog's fields. Lookups with nothing chosen write 0,
// empty dates 0, hours and rates their decimal text with a point.
namespace WorkEntryWrites {
void bindInsert(Statement& q, const WorkEntryDialog& e, bool settlement);
void bindUpdate(Statement& q, const WorkEntryDialog& e, bool settlement, qint64 key);
} // namespace WorkEntryWrites
