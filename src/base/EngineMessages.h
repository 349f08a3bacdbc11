#pragma once

#include <QString>

// The store's own error texts are English; the user is shown a Polish text
// instead and the English one goes only to the error log.
namespace EngineMessages {
// The Polish text for an engine message; an empty text when `message` is not
// one of the engine's (the program's own messages are Polish already).
QString polish(const QString& message);
// Polish for the user in any case: the engine's text translated, any other kept.
QString forUser(const QString& message);
} // namespace EngineMessages
