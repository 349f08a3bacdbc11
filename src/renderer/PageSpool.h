#pragma once

#include "renderer/PageSink.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryFile>

#include <vector>

// The pages of a report kept on disk as they are laid out, so that a preview
// can show page 1 while the rest is still coming and page 20,000 later on,
// without holding every page in memory. Pages are packed and compressed into
// a temporary file (in memory when no temporary file can be made); the last
// few pages read are kept at hand.
class PageSpool : public PageSink, public PageSource
{
public:
    PageSpool();
    ~PageSpool() override;
    PageSpool(const PageSpool&) = delete;
    PageSpool& operator=(const PageSpool&) = delete;

    bool start(const PageFormat& format) override;
    bool addPage(Page&& page) override;

    PageFormat format() const override { return m_format; }
    int pageCount() const override { return int(m_index.size()); }
    Page page(int index) const override;

    // Bytes the packed pages take, for measuring.
    qint64 storedBytes() const { return m_stored; }

private:
    struct Entry
    {
        qint64 offset = 0;
        qint64 size = 0;
    };
    static QByteArray pack(const Page& page);
    Page unpack(const QByteArray& data) const;

    PageFormat m_format;
    std::shared_ptr<const PageResources> m_resources;
    mutable QTemporaryFile m_file;
    bool m_onDisk = false;
    QList<QByteArray> m_inMemory;
    std::vector<Entry> m_index;
    qint64 m_stored = 0;
    mutable QList<std::pair<int, Page>> m_recent; // newest last
};
