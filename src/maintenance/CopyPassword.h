#pragma once

#include <QString>

// The password archives and backup copies are keyed with: the database
// password. A database on a server has no key of its own, so the first
// archive or backup asks for one, and it is remembered as the database
// password of a file is.
namespace CopyPassword {
// The remembered password, or one the user gives now, typed twice; empty
// when the user gives none.
QString ensure();
} // namespace CopyPassword
