#pragma once

#include "ManualSource.h"

#include <QList>
#include <QString>

// Lays a numbered manual out on A4 pages and writes it as a PDF: a title
// page, the table of contents, then the chapters, each on a new page, with
// a running head (the manual and the chapter) and "Strona N z M" at the
// foot of every page but the first.
struct ManualLook
{
    QString title;        // title page, PDF title
    QString subtitle;     // title page, under the title
    QString runningTitle; // left side of the running head
    QString edition;      // foot of the title page
    QString iconPath;     // picture on the title page; may be empty
    QString baseDir;      // picture paths in the sources are relative to it
};

struct ManualPage
{
    QString heading; // "3.2. Title"
    int page = 0;    // physical page, the title page is 1
};

class ManualPdf
{
public:
    // Writes the whole file or nothing (a temporary file is renamed at the end).
    bool write(const ManualSource& source, const ManualLook& look, const QString& pdfPath);
    QString errorString() const { return m_error; }
    int pageCount() const { return m_pageCount; }
    // The table of contents as printed: every chapter and section with its page.
    QList<ManualPage> contents() const { return m_contents; }

private:
    QString m_error;
    int m_pageCount = 0;
    QList<ManualPage> m_contents;
};
