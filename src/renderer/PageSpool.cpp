#include "renderer/PageSpool.h"

#include <QDir>

#include <cstring>

namespace {
constexpr int kRecentPages = 6;
constexpr int kCompression = 1; // fast: pages are written as quickly as they are laid out

enum Flag : quint8
{
    PageFields = 1,
    HasFill = 2,
    AlignCenter = 4,
    AlignRight = 8,
};

class Writer
{
public:
    explicit Writer(QByteArray& out) : m_out(out) {}
    template <typename T> void put(T value)
    {
        m_out.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void putF(double value) { put(float(value)); }
    void putText(const QString& text)
    {
        put(quint32(text.size()));
        m_out.append(reinterpret_cast<const char*>(text.constData()), text.size() * qsizetype(sizeof(QChar)));
    }

private:
    QByteArray& m_out;
};

class Reader
{
public:
    explicit Reader(const QByteArray& in) : m_in(in) {}
    template <typename T> T get()
    {
        T value{};
        if (m_at + qsizetype(sizeof value) <= m_in.size())
            std::memcpy(&value, m_in.constData() + m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    double getF() { return get<float>(); }
    QString getText()
    {
        const qsizetype size = get<quint32>();
        const qsizetype bytes = size * qsizetype(sizeof(QChar));
        if (m_at + bytes > m_in.size()) {
            m_at = m_in.size();
            return {};
        }
        QString text(reinterpret_cast<const QChar*>(m_in.constData() + m_at), size);
        m_at += bytes;
        return text;
    }
    bool atEnd() const { return m_at >= m_in.size(); }

private:
    const QByteArray& m_in;
    qsizetype m_at = 0;
};
} // namespace

PageSpool::PageSpool() : m_file(QDir::temp().filePath(QStringLiteral("sprzetnik-raport-XXXXXX.strony"))) {}

PageSpool::~PageSpool() = default;

bool PageSpool::start(const PageFormat& format)
{
    m_format = format;
    m_index.clear();
    m_inMemory.clear();
    m_recent.clear();
    m_stored = 0;
    m_resources.reset();
    // Without a temporary file the pages stay in memory, packed.
    m_onDisk = m_file.isOpen() ? m_file.resize(0) && m_file.seek(0) : m_file.open();
    return true;
}

QByteArray PageSpool::pack(const Page& page)
{
    QByteArray out;
    out.reserve(page.items.size() * 40);
    Writer w(out);
    w.put(quint32(page.items.size()));
    for (const PageItem& item : page.items) {
        quint8 flags = 0;
        if (item.pageFields)
            flags |= PageFields;
        if (item.fill.isValid())
            flags |= HasFill;
        if (item.align & Qt::AlignHCenter)
            flags |= AlignCenter;
        else if (item.align & Qt::AlignRight)
            flags |= AlignRight;
        w.put(quint8(item.kind));
        w.put(flags);
        w.put(item.kind == PageItem::Kind::Picture ? item.image : item.font);
        if (item.kind == PageItem::Kind::Line) {
            w.putF(item.p1.x());
            w.putF(item.p1.y());
            w.putF(item.p2.x());
            w.putF(item.p2.y());
        } else {
            w.putF(item.rect.x());
            w.putF(item.rect.y());
            w.putF(item.rect.width());
            w.putF(item.rect.height());
        }
        w.put(quint32(item.color.rgba()));
        if (flags & HasFill)
            w.put(quint32(item.fill.rgba()));
        if (item.kind == PageItem::Kind::Text) {
            w.putF(item.width);
            w.putText(item.text);
        } else if (item.kind != PageItem::Kind::Picture) {
            w.putF(item.lineWidth);
        }
    }
    return qCompress(out, kCompression);
}

Page PageSpool::unpack(const QByteArray& data) const
{
    Page page;
    page.resources = m_resources;
    const QByteArray raw = qUncompress(data);
    Reader r(raw);
    const quint32 count = r.get<quint32>();
    page.items.reserve(qsizetype(qMin<quint32>(count, 100000)));
    for (quint32 i = 0; i < count && !r.atEnd(); ++i) {
        PageItem item;
        item.kind = PageItem::Kind(r.get<quint8>());
        const quint8 flags = r.get<quint8>();
        const quint16 index = r.get<quint16>();
        item.pageFields = flags & PageFields;
        item.align = (flags & AlignCenter)  ? Qt::AlignHCenter
                     : (flags & AlignRight) ? Qt::AlignRight
                                            : Qt::AlignLeft;
        const double a = r.getF(), b = r.getF(), c = r.getF(), d = r.getF();
        if (item.kind == PageItem::Kind::Line) {
            item.p1 = QPointF(a, b);
            item.p2 = QPointF(c, d);
            item.rect = QRectF(item.p1, item.p2).normalized();
        } else {
            item.rect = QRectF(a, b, c, d);
        }
        item.color = QColor::fromRgba(r.get<quint32>());
        if (flags & HasFill)
            item.fill = QColor::fromRgba(r.get<quint32>());
        if (item.kind == PageItem::Kind::Picture) {
            item.image = index;
        } else if (item.kind == PageItem::Kind::Text) {
            item.font = index;
            item.width = r.getF();
            item.text = r.getText();
        } else {
            item.lineWidth = r.getF();
        }
        page.items.append(std::move(item));
    }
    return page;
}

bool PageSpool::addPage(Page&& page)
{
    if (!m_resources)
        m_resources = page.resources;
    const QByteArray packed = pack(page);
    Entry entry;
    entry.size = packed.size();
    if (m_onDisk) {
        entry.offset = m_stored;
        if (!m_file.seek(entry.offset) || m_file.write(packed) != packed.size()) {
            // The disk is full: this page and those after it stay in memory.
            m_onDisk = false;
        }
    }
    if (!m_onDisk) {
        entry.offset = -1 - m_inMemory.size();
        m_inMemory.append(packed);
    }
    m_stored += entry.size;
    m_index.push_back(entry);
    // The newest page is the one most likely to be shown next.
    m_recent.append({int(m_index.size()) - 1, std::move(page)});
    if (m_recent.size() > kRecentPages)
        m_recent.removeFirst();
    return true;
}

Page PageSpool::page(int index) const
{
    if (index < 0 || index >= int(m_index.size()))
        return {};
    for (qsizetype i = m_recent.size() - 1; i >= 0; --i) {
        if (m_recent.at(i).first == index)
            return m_recent.at(i).second;
    }
    const Entry& entry = m_index[std::size_t(index)];
    QByteArray packed;
    if (entry.offset < 0) {
        packed = m_inMemory.value(-1 - entry.offset);
    } else if (m_file.seek(entry.offset)) {
        packed = m_file.read(entry.size);
    }
    Page page = unpack(packed);
    m_recent.append({index, page});
    if (m_recent.size() > kRecentPages)
        m_recent.removeFirst();
    return page;
}
