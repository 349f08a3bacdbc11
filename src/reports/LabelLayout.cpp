#include "reports/LabelLayout.h"

#include <algorithm>

namespace {
// Ready-cut sheets are sold with the labels centred on the paper.
LabelLayout sheet(LabelLayout::Kind kind, const char* caption, int columns, int rows, QSizeF label)
{
    LabelLayout l;
    l.kind = kind;
    l.caption = QString::fromUtf8(caption);
    l.page = QSizeF(210, 297);
    l.columns = columns;
    l.rows = rows;
    l.label = label;
    l.pitch = label;
    l.origin = QPointF((l.page.width() - columns * label.width()) / 2,
                       (l.page.height() - rows * label.height()) / 2);
    return l;
}
} // namespace

const QList<LabelLayout>& LabelLayout::all()
{
    static const QList<LabelLayout> layouts = [] {
        QList<LabelLayout> list;
        list << sheet(A4_3x8, "A4, 3×8 etykiet 70×37 mm", 3, 8, QSizeF(70, 37));
        list << sheet(A4_2x7, "A4, 2×7 etykiet 105×42 mm", 2, 7, QSizeF(105, 42));
        list << sheet(A4_4x10, "A4, 4×10 etykiet 48,5×25,4 mm", 4, 10, QSizeF(48.5, 25.4));
        LabelLayout roll;
        roll.kind = Roll62;
        roll.caption = QStringLiteral("Rolka 62 mm (etykiety 62×29 mm)");
        roll.page = roll.label = roll.pitch = QSizeF(62, 29);
        list << roll;
        return list;
    }();
    return layouts;
}

const LabelLayout& LabelLayout::of(int kind)
{
    const QList<LabelLayout>& list = all();
    return list.at(kind >= 0 && kind < list.size() ? kind : 0);
}

int LabelLayout::firstPlace(int offset) const
{
    return std::clamp(offset, 1, perSheet());
}

LabelLayout::Place LabelLayout::place(int index, int offset) const
{
    const int slot = firstPlace(offset) - 1 + index;
    const int cell = slot % perSheet();
    const int column = cell % columns;
    const int row = cell / columns;
    return {slot / perSheet(),
            QRectF(QPointF(origin.x() + column * pitch.width(), origin.y() + row * pitch.height()), label)};
}

int LabelLayout::pageCount(int count, int offset) const
{
    if (count <= 0)
        return 0;
    return (firstPlace(offset) - 1 + count - 1) / perSheet() + 1;
}

int LabelLayout::firstIndexOn(int page, int offset) const
{
    if (page <= 0)
        return 0;
    return page * perSheet() - (firstPlace(offset) - 1);
}

int LabelLayout::countOn(int page, int count, int offset) const
{
    if (page < 0 || page >= pageCount(count, offset))
        return 0;
    const int first = firstIndexOn(page, offset);
    const int end = std::min(count, firstIndexOn(page + 1, offset));
    return end - first;
}
