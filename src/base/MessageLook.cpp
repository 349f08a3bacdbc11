#include "base/MessageLook.h"

#include <algorithm>

#include <QBoxLayout>
#include <QIcon>
#include <QLabel>

namespace MessageLook {
Picture pictureFor(const QString& title)
{
    if (title == QLatin1String("Uwaga") || title == QLatin1String("Ostrzeżenie"))
        return Picture::Warning;
    if (title.startsWith(QLatin1String("Błąd")))
        return Picture::Error;
    if (title == QLatin1String("Pytanie") || title == QLatin1String("Zdecyduj"))
        return Picture::Question;
    return Picture::Information;
}

void setPicture(QLabel* label, Picture picture)
{
    static const char* const names[] = {"information", "warning", "question", "error"};
    const QIcon icon(QStringLiteral(":/icons/dialog-") + QLatin1String(names[int(picture)]) +
                     QStringLiteral(".png"));
    label->setPixmap(icon.pixmap(48, 48));
}

QLabel* pictureLabel(QWidget* parent, Picture picture)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Ikona"));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    setPicture(label, picture);
    return label;
}

void arrange(QBoxLayout* layout, QLabel* picture, QLabel* text, QBoxLayout* buttons)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    layout->addLayout(row, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

void setText(QLabel* label, const QString& text)
{
    label->setText(text);
    // The widest line of the text, up to a comfortable reading width: a
    // word-wrapped label left to itself wraps far too early.
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    const int limit = label->fontMetrics().averageCharWidth() * 70;
    label->setMinimumWidth(std::min(widest + 4, limit));
}
} // namespace MessageLook
