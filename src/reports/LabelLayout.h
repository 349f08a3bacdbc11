#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Where labels sit on the sheets they are printed on: the A4 sheets of
// ready-cut labels and the 62 mm roll. Millimetres from the paper's top left.
// Labels fill a sheet row by row; the first one may start further on, so that
// a sheet used in part can go through the printer again.
class LabelLayout
{
public:
    enum Kind
    {
        A4_3x8,
        A4_2x7,
        A4_4x10,
        Roll62
    };

    // The layouts in the order the dialog offers them.
    static const QList<LabelLayout>& all();
    // Out of range: the first layout.
    static const LabelLayout& of(int kind);

    Kind kind = A4_3x8;
    QString caption;
    QSizeF page; // the paper
    int columns = 1;
    int rows = 1;
    QSizeF label;   // one label
    QSizeF pitch;   // from one label's corner to the next one's
    QPointF origin; // the first label's top left corner

    bool isRoll() const { return kind == Roll62; }
    int perSheet() const { return columns * rows; }
    // The first label's place on the first sheet, 1-based, brought into 1..perSheet.
    int firstPlace(int offset) const;

    struct Place
    {
        int page = 0;
        QRectF rect;
    };
    // The page and rectangle of label `index` (0-based) when the first one
    // goes to place `offset` of the first sheet.
    Place place(int index, int offset) const;
    // The sheets `count` labels take from that place on; 0 for none.
    int pageCount(int count, int offset) const;
    // Labels on a page and the index of its first one: page 0 holds fewer when
    // the first place is not 1.
    int firstIndexOn(int page, int offset) const;
    int countOn(int page, int count, int offset) const;
};
