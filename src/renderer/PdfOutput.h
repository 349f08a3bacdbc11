#pragma once

#include "renderer/PageSink.h"

#include <QSaveFile>

#include <memory>

class HeapForPdf;
class PagePainter;
class QPainter;
class QPdfWriter;

// A PDF file written page by page as a report is laid out: each page is
// painted and let go, so the file can be as long as the report. The file
// takes its name only when finish() succeeds.
class PdfOutput : public PageSink
{
public:
    explicit PdfOutput(const QString& path);
    ~PdfOutput() override;
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    bool start(const PageFormat& format) override;
    bool addPage(Page&& page) override;
    bool addPage(const Page& page);
    // Completes the file; false with errorString() when it could not be written.
    bool finish();
    // Drops what was written.
    void cancel();

    int pageCount() const { return m_pages; }
    QString errorString() const { return m_error; }
    // The message of a PDF that could not be written.
    static QString failure(const QString& path, const QString& reason);

private:
    bool fail(const QString& reason);

    QString m_path;
    std::unique_ptr<HeapForPdf> m_heap;
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<PagePainter> m_pagePainter;
    int m_pages = 0;
    QString m_error;
};
