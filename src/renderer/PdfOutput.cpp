#include "renderer/PdfOutput.h"

#include "renderer/HeapForPdf.h"
#include "renderer/PagePainter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr int kResolution = 1200;
} // namespace

PdfOutput::PdfOutput(const QString& path) : m_path(path), m_file(path) {}

PdfOutput::~PdfOutput()
{
    if (m_painter && m_painter->isActive())
        cancel();
}

QString PdfOutput::failure(const QString& path, const QString& reason)
{
    return QStringLiteral("Nie można zapisać pliku PDF „%1”: %2").arg(path, reason);
}

bool PdfOutput::fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = failure(m_path, reason);
    return false;
}

bool PdfOutput::start(const PageFormat& format)
{
    m_heap = std::make_unique<HeapForPdf>();
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(m_file.errorString());
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setResolution(kResolution);
    m_writer->setPageLayout(QPageLayout(format.pageSize,
                                        format.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    m_writer->setTitle(format.title);
    m_writer->setCreator(QStringLiteral("Sprzetnik"));
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_writer.get())) {
        m_file.cancelWriting();
        return fail(QStringLiteral("nie można rozpocząć zapisu."));
    }
    m_pagePainter = std::make_unique<PagePainter>(*m_painter, m_writer->resolution() / 25.4);
    return true;
}

bool PdfOutput::addPage(Page&& page)
{
    return addPage(static_cast<const Page&>(page));
}

bool PdfOutput::addPage(const Page& page)
{
    if (!m_painter || !m_painter->isActive())
        return fail(QStringLiteral("zapis nie został rozpoczęty."));
    if (m_pages > 0 && !m_writer->newPage())
        return fail(QStringLiteral("nie można dodać strony."));
    m_pagePainter->paint(page);
    ++m_pages;
    return true;
}

bool PdfOutput::finish()
{
    if (!m_painter || !m_painter->isActive())
        return fail(QStringLiteral("zapis nie został rozpoczęty."));
    m_painter->end();
    m_heap.reset();
    if (m_pages == 0) {
        m_file.cancelWriting();
        return fail(QStringLiteral("raport nie ma stron."));
    }
    if (!m_file.commit())
        return fail(m_file.errorString());
    return true;
}

void PdfOutput::cancel()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_heap.reset();
    m_file.cancelWriting();
}
