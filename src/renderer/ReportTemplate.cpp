#include "renderer/ReportTemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QXmlStreamReader>

namespace {
const QString kDefaultFamily = QStringLiteral("DejaVu Sans");
constexpr double kDefaultFontSize = 9.0;

QString quoted(const QString& text)
{
    return QStringLiteral("„") + text + QStringLiteral("”");
}

// Reads one template; the first fault stops it.
class Parser
{
public:
    Parser(ReportTemplate& target, const QString& baseDir) : m_t(target), m_baseDir(baseDir) {}

    bool parse(const QByteArray& text);
    QString fault() const { return m_fault; }
    qint64 faultLine() const { return m_faultLine; }

private:
    bool fail(const QString& fault)
    {
        if (m_fault.isEmpty()) {
            m_fault = fault;
            m_faultLine = m_xml.lineNumber();
        }
        return false;
    }
    bool checkAttributes(const QStringList& allowed);
    bool number(const QString& name, double& value, bool required, double min = 0);
    bool flag(const QString& name, bool& value);
    bool color(const QString& name, QColor& value);

    bool readReport();
    bool readPage();
    bool readData(DataBlock& block, bool nested);
    bool readBand(std::unique_ptr<TemplateBand>& slot);
    bool readObject(TemplateBand& band);
    bool readText(TemplateObject& object);
    bool readFont(QFont& font);
    bool parseSegments(const QString& text, QList<TextSegment>& segments);
    // Gives every object the index of its font and picture in the template's lists.
    void index();
    void indexBand(TemplateBand* band);
    void indexBlock(DataBlock& block);

    ReportTemplate& m_t;
    QString m_baseDir;
    QXmlStreamReader m_xml;
    QFont m_defaultFont;
    QString m_fault;
    qint64 m_faultLine = 0;
};

bool Parser::checkAttributes(const QStringList& allowed)
{
    for (const QXmlStreamAttribute& a : m_xml.attributes()) {
        if (!allowed.contains(a.name().toString()))
            return fail(QStringLiteral("nieznany atrybut %1 elementu <%2>")
                            .arg(quoted(a.name().toString()), m_xml.name().toString()));
    }
    return true;
}

bool Parser::number(const QString& name, double& value, bool required, double min)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name)) {
        if (required)
            return fail(QStringLiteral("brak atrybutu %1 elementu <%2>").arg(quoted(name), m_xml.name()));
        return true;
    }
    bool ok = false;
    const double parsed = attributes.value(name).toString().trimmed().toDouble(&ok);
    if (!ok || parsed < min || parsed > 10000)
        return fail(QStringLiteral("niepoprawna liczba %1 w atrybucie %2")
                        .arg(quoted(attributes.value(name).toString()), quoted(name)));
    value = parsed;
    return true;
}

bool Parser::flag(const QString& name, bool& value)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name))
        return true;
    const QString text = attributes.value(name).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        value = true;
    } else if (text == QLatin1String("false") || text == QLatin1String("0")) {
        value = false;
    } else {
        return fail(QStringLiteral("atrybut %1 przyjmuje wartości true albo false, a nie %2")
                        .arg(quoted(name), quoted(text)));
    }
    return true;
}

bool Parser::color(const QString& name, QColor& value)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name))
        return true;
    const QString text = attributes.value(name).toString().trimmed();
    QColor parsed = QColor::fromString(text);
    if (!parsed.isValid())
        return fail(QStringLiteral("niepoprawny kolor %1 w atrybucie %2").arg(quoted(text), quoted(name)));
    value = parsed;
    return true;
}

bool Parser::parse(const QByteArray& text)
{
    m_xml.addData(text);
    while (!m_xml.atEnd()) {
        m_xml.readNext();
        if (m_xml.isStartElement()) {
            if (m_xml.name() != QLatin1String("report"))
                return fail(
                    QStringLiteral("główny element musi być <report>, a jest <%1>").arg(m_xml.name()));
            if (!readReport())
                return false;
        }
    }
    if (m_xml.hasError())
        return fail(m_xml.errorString());
    index();
    if (m_t.sources().isEmpty() && !m_t.titleBand && !m_t.summary && !m_t.pageHeader && !m_t.pageFooter)
        return fail(QStringLiteral("szablon nie zawiera żadnej sekcji"));
    return true;
}

bool Parser::readReport()
{
    if (!checkAttributes({QStringLiteral("title"), QStringLiteral("font"), QStringLiteral("fontSize")}))
        return false;
    m_t.title = m_xml.attributes().value(QLatin1String("title")).toString();
    m_defaultFont = QFont(kDefaultFamily);
    m_defaultFont.setPointSizeF(kDefaultFontSize);
    if (!readFont(m_defaultFont))
        return false;
    while (m_xml.readNextStartElement()) {
        const auto name = m_xml.name();
        if (name == QLatin1String("page")) {
            if (!readPage())
                return false;
        } else if (name == QLatin1String("band")) {
            const QString type = m_xml.attributes().value(QLatin1String("type")).toString();
            std::unique_ptr<TemplateBand>* slot = nullptr;
            if (type == QLatin1String("title"))
                slot = &m_t.titleBand;
            else if (type == QLatin1String("pageHeader"))
                slot = &m_t.pageHeader;
            else if (type == QLatin1String("pageFooter"))
                slot = &m_t.pageFooter;
            else if (type == QLatin1String("summary"))
                slot = &m_t.summary;
            else
                return fail(QStringLiteral("sekcja typu %1 nie może leżeć bezpośrednio w <report>; "
                                           "dozwolone: title, pageHeader, pageFooter, summary")
                                .arg(quoted(type)));
            if (!readBand(*slot))
                return false;
        } else if (name == QLatin1String("data")) {
            auto block = std::make_unique<DataBlock>();
            if (!readData(*block, false))
                return false;
            m_t.blocks.push_back(std::move(block));
        } else {
            return fail(QStringLiteral("nieznany element <%1>").arg(name));
        }
    }
    return !m_xml.hasError() || fail(m_xml.errorString());
}

bool Parser::readPage()
{
    if (!checkAttributes({QStringLiteral("size"), QStringLiteral("width"), QStringLiteral("height"),
                          QStringLiteral("orientation"), QStringLiteral("marginLeft"),
                          QStringLiteral("marginTop"), QStringLiteral("marginRight"),
                          QStringLiteral("marginBottom")}))
        return false;
    PageSetup& page = m_t.page;
    const QXmlStreamAttributes a = m_xml.attributes();
    if (a.hasAttribute(QLatin1String("size"))) {
        static const QHash<QString, QPageSize::PageSizeId> sizes{
            {QStringLiteral("a3"), QPageSize::A3},         {QStringLiteral("a4"), QPageSize::A4},
            {QStringLiteral("a5"), QPageSize::A5},         {QStringLiteral("b5"), QPageSize::B5},
            {QStringLiteral("letter"), QPageSize::Letter}, {QStringLiteral("legal"), QPageSize::Legal}};
        const QString size = a.value(QLatin1String("size")).toString().trimmed().toLower();
        if (!sizes.contains(size))
            return fail(QStringLiteral("nieznany rozmiar strony %1 (A3, A4, A5, B5, Letter, Legal)")
                            .arg(quoted(size)));
        page.size = QPageSize(sizes.value(size));
    }
    if (a.hasAttribute(QLatin1String("width")) || a.hasAttribute(QLatin1String("height"))) {
        double width = 0, height = 0;
        if (!number(QStringLiteral("width"), width, true, 20) ||
            !number(QStringLiteral("height"), height, true, 20))
            return false;
        page.size = QPageSize(QSizeF(width, height), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }
    const QString orientation = a.value(QLatin1String("orientation")).toString().trimmed();
    if (orientation == QLatin1String("landscape"))
        page.landscape = true;
    else if (!orientation.isEmpty() && orientation != QLatin1String("portrait"))
        return fail(QStringLiteral("orientacja strony to portrait albo landscape, a nie %1")
                        .arg(quoted(orientation)));
    if (!number(QStringLiteral("marginLeft"), page.marginLeft, false) ||
        !number(QStringLiteral("marginTop"), page.marginTop, false) ||
        !number(QStringLiteral("marginRight"), page.marginRight, false) ||
        !number(QStringLiteral("marginBottom"), page.marginBottom, false))
        return false;
    const QSizeF paper = page.paperSize();
    if (page.marginLeft + page.marginRight > paper.width() - 10 ||
        page.marginTop + page.marginBottom > paper.height() - 10)
        return fail(QStringLiteral("marginesy nie zostawiają miejsca na treść strony"));
    m_xml.skipCurrentElement();
    return true;
}

bool Parser::readData(DataBlock& block, bool nested)
{
    if (!checkAttributes(
            {QStringLiteral("source"), QStringLiteral("printIfEmpty"), QStringLiteral("keepWithDetail")}))
        return false;
    block.source = m_xml.attributes().value(QLatin1String("source")).toString().trimmed();
    if (block.source.isEmpty())
        return fail(QStringLiteral("element <data> wymaga atrybutu „source” (nazwa źródła danych)"));
    block.printIfEmpty = !nested;
    if (!flag(QStringLiteral("printIfEmpty"), block.printIfEmpty) ||
        !flag(QStringLiteral("keepWithDetail"), block.keepWithDetail))
        return false;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("data")) {
            auto detail = std::make_unique<DataBlock>();
            if (!readData(*detail, true))
                return false;
            block.details.push_back(std::move(detail));
            continue;
        }
        if (m_xml.name() != QLatin1String("band"))
            return fail(
                QStringLiteral("w <data> mogą być tylko <band> i <data>, a jest <%1>").arg(m_xml.name()));
        const QString type = m_xml.attributes().value(QLatin1String("type")).toString();
        std::unique_ptr<TemplateBand>* slot = nullptr;
        if (type == QLatin1String("header"))
            slot = &block.header;
        else if (type == QLatin1String("row"))
            slot = &block.row;
        else if (type == QLatin1String("rowFooter"))
            slot = &block.rowFooter;
        else if (type == QLatin1String("footer"))
            slot = &block.footer;
        else
            return fail(QStringLiteral("sekcja typu %1 nie może leżeć w <data>; dozwolone: header, row, "
                                       "rowFooter, footer")
                            .arg(quoted(type)));
        if (!readBand(*slot))
            return false;
    }
    if (m_xml.hasError())
        return fail(m_xml.errorString());
    if (!block.row)
        return fail(QStringLiteral("źródło %1 nie ma sekcji <band type=\"row\">").arg(quoted(block.source)));
    return true;
}

bool Parser::readBand(std::unique_ptr<TemplateBand>& slot)
{
    if (!checkAttributes({QStringLiteral("type"), QStringLiteral("height"), QStringLiteral("repeat"),
                          QStringLiteral("onFirstPage"), QStringLiteral("skipWhenBlank")}))
        return false;
    if (slot)
        return fail(QStringLiteral("sekcja %1 występuje dwa razy")
                        .arg(quoted(m_xml.attributes().value(QLatin1String("type")).toString())));
    static const QHash<QString, TemplateBand::Kind> kinds{
        {QStringLiteral("title"), TemplateBand::Kind::Title},
        {QStringLiteral("pageHeader"), TemplateBand::Kind::PageHeader},
        {QStringLiteral("pageFooter"), TemplateBand::Kind::PageFooter},
        {QStringLiteral("summary"), TemplateBand::Kind::Summary},
        {QStringLiteral("header"), TemplateBand::Kind::Header},
        {QStringLiteral("row"), TemplateBand::Kind::Row},
        {QStringLiteral("rowFooter"), TemplateBand::Kind::RowFooter},
        {QStringLiteral("footer"), TemplateBand::Kind::Footer}};
    auto band = std::make_unique<TemplateBand>();
    band->kind = kinds.value(m_xml.attributes().value(QLatin1String("type")).toString());
    if (!number(QStringLiteral("height"), band->height, true) ||
        !flag(QStringLiteral("repeat"), band->repeat) ||
        !flag(QStringLiteral("onFirstPage"), band->onFirstPage) ||
        !flag(QStringLiteral("skipWhenBlank"), band->skipWhenBlank))
        return false;
    while (m_xml.readNextStartElement()) {
        if (!readObject(*band))
            return false;
    }
    if (m_xml.hasError())
        return fail(m_xml.errorString());
    slot = std::move(band);
    return true;
}

bool Parser::readFont(QFont& font)
{
    const QXmlStreamAttributes a = m_xml.attributes();
    if (a.hasAttribute(QLatin1String("font")))
        font.setFamily(a.value(QLatin1String("font")).toString().trimmed());
    double size = font.pointSizeF();
    if (!number(QStringLiteral("fontSize"), size, false, 1))
        return false;
    if (size > 200)
        return fail(QStringLiteral("czcionka większa niż 200 punktów"));
    font.setPointSizeF(size);
    bool bold = font.bold(), italic = font.italic(), underline = font.underline();
    if (!flag(QStringLiteral("bold"), bold) || !flag(QStringLiteral("italic"), italic) ||
        !flag(QStringLiteral("underline"), underline))
        return false;
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    // Layout is measured at print resolution; hinting would make widths depend on the device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    // No ligatures: "fi" stays two letters, so a search of the PDF finds "Klasyfikacja".
    font.setStyleStrategy(QFont::PreferNoShaping);
    return true;
}

bool Parser::readObject(TemplateBand& band)
{
    TemplateObject object;
    object.line = int(m_xml.lineNumber());
    const auto name = m_xml.name();
    const QStringList box{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("width"),
                          QStringLiteral("height")};
    double x = 0, y = 0, width = 0, height = 0;
    auto readBox = [&] {
        return number(QStringLiteral("x"), x, true) && number(QStringLiteral("y"), y, true) &&
               number(QStringLiteral("width"), width, true) && number(QStringLiteral("height"), height, true);
    };
    if (name == QLatin1String("text")) {
        object.kind = TemplateObject::Kind::Text;
        if (!checkAttributes(box + QStringList{QStringLiteral("align"), QStringLiteral("valign"),
                                               QStringLiteral("font"), QStringLiteral("fontSize"),
                                               QStringLiteral("bold"), QStringLiteral("italic"),
                                               QStringLiteral("underline"), QStringLiteral("color"),
                                               QStringLiteral("wrap"), QStringLiteral("stretch"),
                                               QStringLiteral("border"), QStringLiteral("borderWidth"),
                                               QStringLiteral("background"), QStringLiteral("padding")}) ||
            !readBox())
            return false;
        object.rect = QRectF(x, y, width, height);
        if (!readText(object))
            return false;
    } else if (name == QLatin1String("line")) {
        object.kind = TemplateObject::Kind::Line;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!checkAttributes({QStringLiteral("x1"), QStringLiteral("y1"), QStringLiteral("x2"),
                              QStringLiteral("y2"), QStringLiteral("lineWidth"), QStringLiteral("color")}) ||
            !number(QStringLiteral("x1"), x1, true) || !number(QStringLiteral("y1"), y1, true) ||
            !number(QStringLiteral("x2"), x2, true) || !number(QStringLiteral("y2"), y2, true) ||
            !number(QStringLiteral("lineWidth"), object.lineWidth, false) ||
            !color(QStringLiteral("color"), object.color))
            return false;
        object.p1 = QPointF(x1, y1);
        object.p2 = QPointF(x2, y2);
        object.rect = QRectF(object.p1, object.p2).normalized();
        m_xml.skipCurrentElement();
    } else if (name == QLatin1String("frame")) {
        object.kind = TemplateObject::Kind::Frame;
        if (!checkAttributes(box + QStringList{QStringLiteral("lineWidth"), QStringLiteral("color"),
                                               QStringLiteral("fill"), QStringLiteral("stretch")}) ||
            !readBox() || !number(QStringLiteral("lineWidth"), object.lineWidth, false) ||
            !color(QStringLiteral("color"), object.color) || !color(QStringLiteral("fill"), object.fill) ||
            !flag(QStringLiteral("stretch"), object.stretch))
            return false;
        object.rect = QRectF(x, y, width, height);
        m_xml.skipCurrentElement();
    } else if (name == QLatin1String("picture")) {
        object.kind = TemplateObject::Kind::Picture;
        if (!checkAttributes(box + QStringList{QStringLiteral("file"), QStringLiteral("keepAspect")}) ||
            !readBox() || !flag(QStringLiteral("keepAspect"), object.keepAspect))
            return false;
        object.rect = QRectF(x, y, width, height);
        const QString file = m_xml.attributes().value(QLatin1String("file")).toString().trimmed();
        if (file.isEmpty())
            return fail(QStringLiteral("element <picture> wymaga atrybutu „file”"));
        QImageReader reader(QDir(m_baseDir).filePath(file));
        object.image = reader.read();
        if (object.image.isNull())
            return fail(
                QStringLiteral("nie można odczytać obrazka %1: %2").arg(quoted(file), reader.errorString()));
        m_xml.skipCurrentElement();
    } else {
        return fail(QStringLiteral("nieznany obiekt <%1>; dozwolone: text, line, frame, picture").arg(name));
    }
    band.objects.append(object);
    return true;
}

bool Parser::readText(TemplateObject& object)
{
    object.font = m_defaultFont;
    if (!readFont(object.font) || !color(QStringLiteral("color"), object.color) ||
        !color(QStringLiteral("background"), object.fill) || !flag(QStringLiteral("wrap"), object.wrap) ||
        !flag(QStringLiteral("stretch"), object.stretch) ||
        !number(QStringLiteral("borderWidth"), object.lineWidth, false) ||
        !number(QStringLiteral("padding"), object.padding, false))
        return false;
    const QXmlStreamAttributes a = m_xml.attributes();
    const QString align = a.value(QLatin1String("align")).toString().trimmed();
    const QString valign = a.value(QLatin1String("valign")).toString().trimmed();
    Qt::Alignment h = Qt::AlignLeft, v = Qt::AlignTop;
    if (align == QLatin1String("center"))
        h = Qt::AlignHCenter;
    else if (align == QLatin1String("right"))
        h = Qt::AlignRight;
    else if (!align.isEmpty() && align != QLatin1String("left"))
        return fail(QStringLiteral("wyrównanie to left, center albo right, a nie %1").arg(quoted(align)));
    if (valign == QLatin1String("middle"))
        v = Qt::AlignVCenter;
    else if (valign == QLatin1String("bottom"))
        v = Qt::AlignBottom;
    else if (!valign.isEmpty() && valign != QLatin1String("top"))
        return fail(
            QStringLiteral("wyrównanie pionowe to top, middle albo bottom, a nie %1").arg(quoted(valign)));
    object.align = h | v;
    const QString border = a.value(QLatin1String("border")).toString().trimmed().toLower();
    if (border == QLatin1String("all")) {
        object.borders = QStringLiteral("ltrb");
    } else if (border != QLatin1String("none")) {
        for (QChar c : border) {
            if (!QStringLiteral("ltrb").contains(c))
                return fail(QStringLiteral("ramka to all, none albo litery l, t, r, b, a nie %1")
                                .arg(quoted(border)));
        }
        object.borders = border;
    }
    const QString raw = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (m_xml.hasError())
        return fail(QStringLiteral("w <text> może być tylko tekst: %1").arg(m_xml.errorString()));
    // Lines of the element are trimmed, so templates can be indented freely.
    QStringList lines = raw.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    while (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return parseSegments(lines.join(QLatin1Char('\n')), object.segments);
}

bool Parser::parseSegments(const QString& text, QList<TextSegment>& segments)
{
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty())
            segments.append({TextSegment::Kind::Literal, literal});
        literal.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('[')) {
            literal += c;
            continue;
        }
        if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('[')) {
            literal += c;
            ++i;
            continue;
        }
        const qsizetype end = text.indexOf(QLatin1Char(']'), i + 1);
        if (end < 0)
            return fail(QStringLiteral("niezamknięte pole %1").arg(quoted(text.mid(i, 30))));
        const QString name = text.mid(i + 1, end - i - 1).trimmed();
        if (name.isEmpty() || name.contains(QLatin1Char('[')) || name.contains(QLatin1Char('\n')))
            return fail(QStringLiteral("niepoprawna nazwa pola %1").arg(quoted(text.mid(i, end - i + 1))));
        flush();
        if (name.startsWith(QLatin1Char('#'))) {
            static const QHash<QString, TextSegment::Kind> builtIn{
                {QStringLiteral("#PAGE"), TextSegment::Kind::PageNumber},
                {QStringLiteral("#PAGES"), TextSegment::Kind::PageCount},
                {QStringLiteral("#ROW"), TextSegment::Kind::RowNumber}};
            if (!builtIn.contains(name))
                return fail(QStringLiteral("nieznane pole %1 (wbudowane: [#PAGE], [#PAGES], [#ROW])")
                                .arg(quoted(name)));
            segments.append({builtIn.value(name), name});
        } else {
            segments.append({TextSegment::Kind::Field, name});
        }
        i = end;
    }
    flush();
    return true;
}

void Parser::indexBand(TemplateBand* band)
{
    if (!band)
        return;
    for (TemplateObject& object : band->objects) {
        if (object.kind == TemplateObject::Kind::Text) {
            const QString key = object.font.key();
            qsizetype at = 0;
            while (at < m_t.fonts.size() && m_t.fonts.at(at).key() != key)
                ++at;
            if (at == m_t.fonts.size())
                m_t.fonts.append(object.font);
            object.fontIndex = int(at);
            for (const TextSegment& segment : object.segments)
                m_t.usesPageCount |= segment.kind == TextSegment::Kind::PageCount;
        } else if (object.kind == TemplateObject::Kind::Picture) {
            object.imageIndex = int(m_t.images.size());
            m_t.images.append(object.image);
        }
    }
}

void Parser::indexBlock(DataBlock& block)
{
    for (TemplateBand* band :
         {block.header.get(), block.row.get(), block.rowFooter.get(), block.footer.get()})
        indexBand(band);
    for (auto& detail : block.details)
        indexBlock(*detail);
}

void Parser::index()
{
    for (TemplateBand* band :
         {m_t.titleBand.get(), m_t.pageHeader.get(), m_t.pageFooter.get(), m_t.summary.get()})
        indexBand(band);
    for (auto& block : m_t.blocks)
        indexBlock(*block);
}

void collectSources(const DataBlock& block, QStringList& out)
{
    out.append(block.source);
    for (const auto& detail : block.details)
        collectSources(*detail, out);
}
} // namespace

QSizeF PageSetup::paperSize() const
{
    const QSizeF portrait = size.size(QPageSize::Millimeter);
    return landscape ? portrait.transposed() : portrait;
}

ReportTemplate::ReportTemplate() = default;
ReportTemplate::~ReportTemplate() = default;

void ReportTemplate::clear()
{
    title.clear();
    page = PageSetup();
    titleBand.reset();
    pageHeader.reset();
    pageFooter.reset();
    summary.reset();
    blocks.clear();
    fonts.clear();
    images.clear();
    usesPageCount = false;
}

bool ReportTemplate::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        m_fileName = path;
        m_error = QStringLiteral("Nie można otworzyć szablonu raportu %1: %2")
                      .arg(quoted(path), file.errorString());
        return false;
    }
    return loadText(file.readAll(), path, QFileInfo(path).absolutePath());
}

bool ReportTemplate::loadText(const QByteArray& text, const QString& fileName, const QString& baseDir)
{
    clear();
    m_fileName = fileName;
    m_error.clear();
    Parser parser(*this, baseDir);
    if (parser.parse(text))
        return true;
    m_error = QStringLiteral("Błąd w szablonie raportu %1, wiersz %2: %3")
                  .arg(quoted(fileName))
                  .arg(parser.faultLine())
                  .arg(parser.fault());
    clear();
    return false;
}

QStringList ReportTemplate::sources() const
{
    QStringList out;
    for (const auto& block : blocks)
        collectSources(*block, out);
    return out;
}

double ReportTemplate::bodyWidth() const
{
    return page.paperSize().width() - page.marginLeft - page.marginRight;
}
