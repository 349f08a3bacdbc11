#pragma once

// Small builders of the editors' controls: a named lookup, a flat tool button
// beside a field, and a row of controls for a form.

#include "widgets/Lookup.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QWidget>

#include <initializer_list>

namespace FieldBuilders {
inline Lookup* lookup(QWidget* parent, const char* name, const QString& hint)
{
    auto* l = new Lookup(parent);
    l->setObjectName(QLatin1String(name));
    l->setToolTip(hint);
    return l;
}

inline QToolButton* toolButton(QWidget* parent, const char* name, const QString& caption, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// The first control stretches unless `stretch` is off; then the row ends in space.
inline QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets, bool stretch = true)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    bool first = true;
    for (QWidget* w : widgets) {
        layout->addWidget(w, first && stretch ? 1 : 0);
        first = false;
    }
    if (!stretch)
        layout->addStretch();
    return holder;
}
} // namespace FieldBuilders
