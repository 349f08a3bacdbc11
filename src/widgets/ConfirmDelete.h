#pragma once

#include <QString>

#include <functional>

// The deletion question, asked only while the option pytajPrzedKasowaniem
// is on (on by default). True when the deletion may go ahead.
namespace ConfirmDelete
{
bool ask(const QString& text = QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
// Where the option is read; the start-up wires the configuration here.
void setOptionSource(std::function<bool()> source);
} // namespace ConfirmDelete
