#pragma once

#include <QString>

class QBoxLayout;
class QLabel;
class QWidget;

// The common look of the program's message boxes: the picture that fits the
// box's caption on the left and a text wide enough not to leave one word
// such as "pole." on a line of its own.
namespace MessageLook {
enum class Picture
{
    Information,
    Warning,
    Question,
    Error
};
// "Uwaga" warns, "Błąd" reports an error, other captions inform.
Picture pictureFor(const QString& title);
// A label showing the picture, named "Ikona".
QLabel* pictureLabel(QWidget* parent, Picture picture);
void setPicture(QLabel* label, Picture picture);
// Picture beside the text, above the buttons.
void arrange(QBoxLayout* layout, QLabel* picture, QLabel* text, QBoxLayout* buttons);
// Sets the text and a width at which it wraps only where it must.
void setText(QLabel* label, const QString& text);
} // namespace MessageLook
