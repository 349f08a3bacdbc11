#pragma once

#include <QList>
#include <QRectF>
#include <QString>

// An inventory number as a barcode, drawn by zint: the dark modules as
// rectangles (zint's vector output), quiet zones included, so that a label
// can scale them to its box and print sharp at any resolution.
class BarcodeImage
{
public:
    enum class Symbology
    {
        Code128,
        Qr
    };

    // Why `number` cannot be printed in `symbology`, said to the user; empty
    // when it can.
    static QString refusal(Symbology symbology, const QString& number);

    // Encodes `text`; false with *error when zint refuses it.
    bool encode(Symbology symbology, const QString& text, QString* error = nullptr);

    Symbology symbology() const { return m_symbology; }
    // The symbol with its quiet zones, in zint's units.
    QSizeF size() const { return m_size; }
    const QList<QRectF>& bars() const { return m_bars; }
    // The bars placed in `box` (any unit): a QR code square and centred, a
    // Code 128 stretched over the whole box.
    QList<QRectF> fitted(const QRectF& box) const;

private:
    Symbology m_symbology = Symbology::Code128;
    QSizeF m_size;
    QList<QRectF> m_bars;
};
