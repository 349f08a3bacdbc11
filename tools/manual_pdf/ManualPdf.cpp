#include "ManualPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

namespace {
constexpr int kResolution = 300;
constexpr double kScreenDpi = 96.0;
const QColor kHeadingColour(0x1f, 0x3a, 0x5f);
const QColor kRuleColour(0x9a, 0xa5, 0xb1);

// Lengths on the page (the painter works in printer pixels).
double points(double pt)
{
    return pt * kResolution / 72.0;
}
// Lengths in text formats (margins, borders, padding): the layout takes them
// as screen pixels and scales them to the printer itself.
double formatPoints(double pt)
{
    return pt * kScreenDpi / 72.0;
}
double millimetres(double mm)
{
    return mm * kResolution / 25.4;
}

QFont bodyFont(double pointSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    // No ligatures: "fi" stays two letters, so searching the PDF finds "firmy".
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

bool hasImage(const QTextBlock& block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat())
            return true;
    return false;
}

// Headings and captions carry no inline formatting of their own, so their
// character format is replaced; the reader's relative heading sizes would
// otherwise win over the sizes set here.
void formatBlock(QTextBlock block, const QTextBlockFormat& blockFormat, const QTextCharFormat* charFormat)
{
    QTextCursor cursor(block);
    cursor.mergeBlockFormat(blockFormat);
    if (charFormat) {
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(*charFormat);
        cursor.setBlockCharFormat(*charFormat);
    }
}

void styleTables(QTextFrame* frame)
{
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(kRuleColour);
            format.setBorderCollapse(true);
            format.setCellSpacing(0);
            format.setCellPadding(formatPoints(3));
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            format.setTopMargin(formatPoints(4));
            format.setBottomMargin(formatPoints(8));
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat cellFormat = cell.format();
                cellFormat.setBackground(QColor(0xe8, 0xec, 0xf1));
                cell.setFormat(cellFormat);
            }
        }
        styleTables(child);
    }
}

int pageOf(QTextDocument& doc, const QTextBlock& block)
{
    const QRectF rect = doc.documentLayout()->blockBoundingRect(block);
    return int(rect.top() / doc.pageSize().height());
}

// The page where the first two lines of a block have been laid out: a
// heading followed by a single line at the foot of a page reads as cut off.
int pageOfOpening(QTextDocument& doc, const QTextBlock& block)
{
    const QRectF rect = doc.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    double bottom = rect.top();
    if (layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineAt(std::min(1, layout->lineCount() - 1));
        bottom = rect.top() + line.y() + line.height() - 1;
    }
    return int(bottom / doc.pageSize().height());
}

void drawDocumentPage(QPainter& painter, QTextDocument& doc, int page, const QRectF& body)
{
    painter.save();
    painter.translate(body.left(), body.top() - page * body.height());
    const QRectF clip(0, page * body.height(), body.width(), body.height());
    painter.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}
} // namespace

bool ManualPdf::write(const ManualSource& source, const ManualLook& look, const QString& pdfPath)
{
    m_error.clear();
    m_contents.clear();
    m_pageCount = 0;
    if (!source.errors.isEmpty()) {
        m_error = source.errors.join(QLatin1Char('\n'));
        return false;
    }

    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = pdfPath + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kResolution);
    writer.setTitle(look.title);
    writer.setCreator(QStringLiteral("Sprzetnik"));
    const QRectF paper(0, 0, writer.width(), writer.height());
    const QRectF body = paper.adjusted(millimetres(22), millimetres(24), -millimetres(20), -millimetres(22));

    // The chapters.
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDefaultFont(bodyFont(10));
    doc.setDocumentMargin(0);
    doc.setMarkdown(source.markdown, QTextDocument::MarkdownDialectGitHub);

    // Pictures: at their screen size where they fit, else the width of the page.
    struct Picture
    {
        int position;
        int length;
        QTextImageFormat format;
    };
    QList<Picture> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                pictures.append({it.fragment().position(), it.fragment().length(),
                                 it.fragment().charFormat().toImageFormat()});
    for (Picture& picture : pictures) {
        const QString name = picture.format.name();
        const QString path = QFileInfo(name).isAbsolute() ? name : look.baseDir + QLatin1Char('/') + name;
        const QImage image(path);
        if (image.isNull()) {
            m_error = QStringLiteral("Nie można wczytać rysunku ") + path;
            return false;
        }
        // Picture sizes are in screen pixels; the layout scales them to the printer.
        const double toDevice = kResolution / kScreenDpi;
        const double scale = std::min({1.0, body.width() / (image.width() * toDevice),
                                       body.height() * 0.75 / (image.height() * toDevice)});
        const double width = image.width() * scale;
        const double height = image.height() * scale;
        doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        picture.format.setWidth(width);
        picture.format.setHeight(height);
        QTextCursor cursor(&doc);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }

    // Headings, pictures, captions and paragraphs.
    QList<QTextBlock> headingBlocks;
    QList<QTextBlock> keepWithNext;
    bool previousWasPicture = false;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        QTextBlockFormat blockFormat;
        if (level > 0) {
            static const double sizes[] = {19, 14, 11.5};
            QTextCharFormat charFormat;
            charFormat.setFont(bodyFont(10));
            charFormat.setFontPointSize(sizes[std::min(level, 3) - 1]);
            charFormat.setFontWeight(QFont::Bold);
            charFormat.setForeground(kHeadingColour);
            blockFormat.setTopMargin(formatPoints(level == 1 ? 0 : level == 2 ? 16 : 10));
            blockFormat.setBottomMargin(formatPoints(level == 1 ? 14 : 6));
            if (level == 1 && !headingBlocks.isEmpty())
                blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            formatBlock(block, blockFormat, &charFormat);
            headingBlocks.append(block);
            keepWithNext.append(block);
            previousWasPicture = false;
            continue;
        }
        if (hasImage(block)) {
            blockFormat.setAlignment(Qt::AlignHCenter);
            blockFormat.setTopMargin(formatPoints(6));
            blockFormat.setBottomMargin(formatPoints(2));
            formatBlock(block, blockFormat, nullptr);
            keepWithNext.append(block);
            previousWasPicture = true;
            continue;
        }
        if (previousWasPicture && block.text().startsWith(QLatin1String("Rys. "))) {
            QTextCharFormat charFormat;
            charFormat.setFont(bodyFont(9));
            charFormat.setFontItalic(true);
            blockFormat.setAlignment(Qt::AlignHCenter);
            blockFormat.setBottomMargin(formatPoints(10));
            formatBlock(block, blockFormat, &charFormat);
        } else if (block.blockFormat().hasProperty(QTextFormat::BlockCodeFence)) {
            // Commands: one shaded block, its lines close together.
            const bool first = !block.previous().blockFormat().hasProperty(QTextFormat::BlockCodeFence);
            const bool last = !block.next().blockFormat().hasProperty(QTextFormat::BlockCodeFence);
            blockFormat.setBackground(QColor(0xf1, 0xf3, 0xf6));
            blockFormat.setLeftMargin(formatPoints(block.textList() ? 0 : 8));
            blockFormat.setTopMargin(first ? formatPoints(2) : 0);
            blockFormat.setBottomMargin(last ? formatPoints(6) : 0);
            blockFormat.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
            formatBlock(block, blockFormat, nullptr);
        } else if (!block.textList()) {
            blockFormat.setTopMargin(0);
            blockFormat.setBottomMargin(formatPoints(5));
            blockFormat.setLineHeight(112, QTextBlockFormat::ProportionalHeight);
            formatBlock(block, blockFormat, nullptr);
        }
        previousWasPicture = false;
    }
    styleTables(doc.rootFrame());
    if (headingBlocks.size() != source.headings.size()) {
        m_error = QStringLiteral("Liczba nagłówków w dokumencie (%1) różni się od źródeł (%2)")
                      .arg(headingBlocks.size())
                      .arg(source.headings.size());
        return false;
    }

    doc.setPageSize(body.size());
    // A heading or a picture never ends a page: it moves on with what follows.
    // Found in document order: a fix moves only what follows it. A run of
    // headings (and a picture after them) moves as a whole, from its first
    // block, and the breaks set inside the run before are taken back.
    auto hasBreak = [](const QTextBlock& block) {
        return bool(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    };
    auto setBreak = [](const QTextBlock& block, bool on) {
        QTextBlockFormat format;
        format.setPageBreakPolicy(on ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        QTextCursor(block).mergeBlockFormat(format);
    };
    for (qsizetype i = 0, fixes = 0; i < keepWithNext.size() && fixes < 1000;) {
        const QTextBlock block = keepWithNext.at(i);
        const QTextBlock next = block.next();
        if (!next.isValid() || hasBreak(block) || pageOf(doc, block) == pageOfOpening(doc, next)) {
            ++i;
            continue;
        }
        qsizetype head = i;
        while (head > 0 && keepWithNext.at(head - 1).next() == keepWithNext.at(head))
            --head;
        if (hasBreak(keepWithNext.at(head))) {
            ++i; // the run already opens a page: it is longer than a page can hold
            continue;
        }
        setBreak(keepWithNext.at(head), true);
        for (qsizetype j = head + 1; j <= i; ++j)
            if (keepWithNext.at(j).blockFormat().headingLevel() != 1)
                setBreak(keepWithNext.at(j), false);
        // The layout's own update after a format change leaves later blocks
        // unpositioned once a page break is added; lay out again from the run.
        const int from = keepWithNext.at(head).position();
        doc.markContentsDirty(from, doc.characterCount() - from);
        ++fixes;
        i = head + 1;
    }
    const int contentPages = doc.pageCount();
    // The table of contents; its length does not depend on the page numbers.
    QTextDocument toc;
    toc.documentLayout()->setPaintDevice(&writer);
    toc.setDefaultFont(bodyFont(10));
    toc.setDocumentMargin(0);
    toc.setPageSize(body.size());
    auto fillContents = [&](int firstContentPage) {
        toc.clear();
        QTextCursor cursor(&toc);
        QTextCharFormat titleFormat;
        titleFormat.setFontPointSize(19);
        titleFormat.setFontWeight(QFont::Bold);
        titleFormat.setForeground(kHeadingColour);
        QTextBlockFormat titleBlock;
        titleBlock.setBottomMargin(formatPoints(14));
        cursor.setBlockFormat(titleBlock);
        cursor.insertText(QStringLiteral("Spis treści"), titleFormat);
        m_contents.clear();
        QList<const ManualHeading*> listed;
        for (const ManualHeading& heading : source.headings)
            if (heading.level <= 2)
                listed.append(&heading);
        // Two columns, the page numbers flush right; a table keeps long
        // titles from running into the numbers.
        QTextTableFormat tableFormat;
        tableFormat.setBorder(0);
        tableFormat.setCellSpacing(0);
        tableFormat.setCellPadding(formatPoints(1.5));
        tableFormat.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tableFormat.setColumnWidthConstraints(
            {QTextLength(QTextLength::PercentageLength, 92), QTextLength(QTextLength::PercentageLength, 8)});
        cursor.insertBlock();
        QTextTable* table = cursor.insertTable(int(listed.size()), 2, tableFormat);
        int row = 0;
        for (int i = 0; i < source.headings.size(); ++i) {
            const ManualHeading& heading = source.headings.at(i);
            if (heading.level > 2)
                continue;
            const int page = firstContentPage + pageOf(doc, headingBlocks.at(i));
            const QString text = heading.number + QLatin1Char(' ') + heading.title;
            m_contents.append({text, page});
            QTextCharFormat entryFormat;
            entryFormat.setFont(bodyFont(heading.level == 1 ? 10.5 : 10));
            entryFormat.setFontWeight(heading.level == 1 ? QFont::Bold : QFont::Normal);
            QTextBlockFormat entry;
            entry.setLeftMargin(heading.level == 1 ? 0 : formatPoints(16));
            entry.setTopMargin(formatPoints(heading.level == 1 && row > 0 ? 6 : 0));
            QTextCursor title = table->cellAt(row, 0).firstCursorPosition();
            title.setBlockFormat(entry);
            title.insertText(text, entryFormat);
            QTextBlockFormat number;
            number.setAlignment(Qt::AlignRight);
            number.setTopMargin(entry.topMargin());
            QTextCursor pageCell = table->cellAt(row, 1).firstCursorPosition();
            pageCell.setBlockFormat(number);
            pageCell.insertText(QString::number(page), entryFormat);
            ++row;
        }
    };
    fillContents(0);
    const int tocPages = toc.pageCount();
    const int firstContentPage = 2 + tocPages;
    fillContents(firstContentPage);
    m_pageCount = 1 + tocPages + contentPages;

    QList<ManualPage> chapterStarts; // the running head from each chapter's first page on
    for (int i = 0; i < source.headings.size(); ++i)
        if (const ManualHeading& heading = source.headings.at(i); heading.level == 1)
            chapterStarts.append({heading.number + QLatin1Char(' ') + heading.title,
                                  firstContentPage + pageOf(doc, headingBlocks.at(i))});

    QPainter painter;
    if (!painter.begin(&writer)) {
        m_error = QStringLiteral("Nie można utworzyć pliku PDF ") + pdfPath;
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    // Title page.
    double y = paper.height() * 0.22;
    if (!look.iconPath.isEmpty()) {
        const QImage icon(look.iconPath);
        if (!icon.isNull()) {
            const double side = millimetres(38);
            painter.drawImage(QRectF((paper.width() - side) / 2, y, side, side), icon);
            y += side + millimetres(14);
        }
    }
    auto centred = [&](const QString& text, const QFont& font, const QColor& colour, double height) {
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QRectF(body.left(), y, body.width(), height), Qt::AlignHCenter | Qt::TextWordWrap,
                         text);
        y += height;
    };
    QFont titleFont = bodyFont(28);
    titleFont.setBold(true);
    centred(look.title, titleFont, kHeadingColour, points(44));
    centred(look.subtitle, bodyFont(14), Qt::black, points(60));
    y = paper.height() - millimetres(45);
    centred(look.edition, bodyFont(11), Qt::darkGray, points(20));

    int physical = 1;
    auto furniture = [&](const QString& right) {
        const QFont small = bodyFont(8);
        painter.setFont(small);
        painter.setPen(Qt::darkGray);
        const double headY = body.top() - millimetres(10);
        const QRectF head(body.left(), headY, body.width(), points(12));
        painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, look.runningTitle);
        painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, right);
        painter.setPen(QPen(kRuleColour, points(0.5)));
        painter.drawLine(QPointF(body.left(), head.bottom() + points(2)),
                         QPointF(body.right(), head.bottom() + points(2)));
        painter.setPen(Qt::darkGray);
        const QRectF foot(body.left(), body.bottom() + millimetres(8), body.width(), points(12));
        painter.drawText(foot, Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("Strona %1 z %2").arg(physical).arg(m_pageCount));
    };
    for (int page = 0; page < tocPages; ++page) {
        writer.newPage();
        ++physical;
        furniture(QStringLiteral("Spis treści"));
        drawDocumentPage(painter, toc, page, body);
    }
    for (int page = 0; page < contentPages; ++page) {
        writer.newPage();
        ++physical;
        QString chapter;
        for (const ManualPage& start : chapterStarts)
            if (start.page <= physical)
                chapter = start.heading;
        furniture(chapter);
        drawDocumentPage(painter, doc, page, body);
    }
    painter.end();
    if (!file.commit()) {
        m_error = pdfPath + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}
