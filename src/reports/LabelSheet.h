#pragma once

#include "renderer/PageSource.h"
#include "reports/BarcodeImage.h"
#include "reports/LabelLayout.h"

#include <QList>
#include <QString>

#include <memory>

class TextMeasurer;

// One asset's label: what the barcode holds and the name printed under it.
struct LabelRow
{
    QString number;
    QString name;
};

// Sheets of asset labels as pages for the preview, the printer and PDF
// files. A page is made when it is asked for, so a list of any length opens
// at once: its labels are encoded and laid out then, and let go after.
class LabelSheet : public PageSource
{
public:
    LabelSheet(QList<LabelRow> rows, const QString& company, const LabelLayout& layout,
               BarcodeImage::Symbology symbology, int firstPlace = 1);
    ~LabelSheet() override;
    LabelSheet(const LabelSheet&) = delete;
    LabelSheet& operator=(const LabelSheet&) = delete;

    // The first row that cannot be printed in `symbology`, told to the user;
    // empty when every row can.
    static QString refusal(const QList<LabelRow>& rows, BarcodeImage::Symbology symbology);

    PageFormat format() const override;
    int pageCount() const override;
    Page page(int index) const override;

    const LabelLayout& layout() const { return m_layout; }
    int firstPlace() const { return m_first; }
    int labelCount() const { return int(m_rows.size()); }
    const QList<LabelRow>& rows() const { return m_rows; }
    // Where label `index` lies: its page and rectangle (mm), and the box of its barcode.
    LabelLayout::Place placeOf(int index) const { return m_layout.place(index, m_first); }
    QRectF barcodeBox(const QRectF& label) const;

private:
    enum Font
    {
        Company,
        Number,
        Name
    };
    struct Boxes;
    Boxes boxesOf(const QRectF& label) const;
    void addLabel(Page& page, const QRectF& label, const LabelRow& row) const;
    void addText(Page& page, Font font, const QRectF& box, const QString& text, Qt::Alignment align) const;
    // The lines of `text` in `width`, at most `lines`; the last one elided when more would be needed.
    QStringList fit(Font font, const QString& text, double width, int lines) const;
    QString elided(Font font, const QString& text, double width) const;

    QList<LabelRow> m_rows;
    QString m_company;
    LabelLayout m_layout;
    BarcodeImage::Symbology m_symbology;
    int m_first;
    std::shared_ptr<const PageResources> m_resources;
    std::unique_ptr<TextMeasurer> m_measurer;
    double m_padding = 0;
};
