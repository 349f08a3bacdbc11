#pragma once

#include <QString>

// The deletion question, asked only while the option pytajPrzedKasowaniem
// is on. True when the deletion may go ahead.
namespace ConfirmDelete {
bool ask(const QString& text = QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
} // namespace ConfirmDelete
