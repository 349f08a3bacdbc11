#include "reports/BarcodeImage.h"

#include <zint.h>

#include <algorithm>
#include <memory>

namespace {
struct SymbolDeleter
{
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

bool isAscii(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() > 0x7f)
            return false;
    return true;
}

QString symbologyName(BarcodeImage::Symbology symbology)
{
    return symbology == BarcodeImage::Symbology::Qr ? QStringLiteral("QR") : QStringLiteral("Code 128");
}
} // namespace

QString BarcodeImage::refusal(Symbology symbology, const QString& number)
{
    if (number.trimmed().isEmpty())
        return QStringLiteral("Pozycja bez numeru ewidencyjnego nie może dostać etykiety z kodem. "
                              "Uzupełnij numer ewidencyjny albo zaznacz inne pozycje.");
    if (symbology == Symbology::Code128) {
        // Code 128 holds Latin-1 letters only through its FNC4 shift, which
        // common scanners read as a different letter ("É" as "I"): plain ASCII only.
        for (const QChar c : number)
            if (c.unicode() > 0x7f)
                return QStringLiteral("Numer ewidencyjny „%1” zawiera znak „%2”, którego nie da się zapisać "
                                      "w kodzie kreskowym Code 128 tak, by czytniki go odczytały. Wybierz "
                                      "kod QR, który zapisuje wszystkie znaki.")
                    .arg(number, QString(c));
    }
    return {};
}

bool BarcodeImage::encode(Symbology symbology, const QString& text, QString* error)
{
    m_symbology = symbology;
    m_size = {};
    m_bars.clear();
    const QString refused = refusal(symbology, text);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        if (error)
            *error = QStringLiteral("Brak pamięci na kod kreskowy.");
        return false;
    }
    symbol->symbology = symbology == Symbology::Qr ? BARCODE_QRCODE : BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    // Scanners need the blank margins; the label keeps nothing else in them.
    symbol->output_options |= BARCODE_QUIET_ZONES;
    symbol->show_hrt = 0; // the label prints the number in its own font
    if (symbology == Symbology::Qr) {
        symbol->option_1 = 2; // error correction M: a scuffed label still reads
        // Plain ASCII reads on every scanner; anything else is declared UTF-8.
        if (!isAscii(text))
            symbol->eci = 26;
    }
    const QByteArray data = text.toUtf8();
    const int encoded = ZBarcode_Encode(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()));
    if (encoded >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector) {
        if (error)
            *error = QStringLiteral("Numeru ewidencyjnego „%1” nie da się zapisać w kodzie %2.")
                         .arg(text, symbologyName(symbology));
        return false;
    }
    m_size = QSizeF(symbol->vector->width, symbol->vector->height);
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        if (r->colour <= 0 || r->colour == 7) // the foreground (black)
            m_bars.append(QRectF(r->x, r->y, r->width, r->height));
    return true;
}

QList<QRectF> BarcodeImage::fitted(const QRectF& box) const
{
    QList<QRectF> out;
    if (m_size.isEmpty() || box.isEmpty())
        return out;
    double sx = box.width() / m_size.width();
    double sy = box.height() / m_size.height();
    QPointF corner = box.topLeft();
    if (m_symbology == Symbology::Qr) {
        const double s = std::min(sx, sy);
        sx = sy = s;
        corner += QPointF((box.width() - m_size.width() * s) / 2, (box.height() - m_size.height() * s) / 2);
    }
    out.reserve(m_bars.size());
    for (const QRectF& r : m_bars)
        out.append(QRectF(corner.x() + r.x() * sx, corner.y() + r.y() * sy, r.width() * sx, r.height() * sy));
    return out;
}
