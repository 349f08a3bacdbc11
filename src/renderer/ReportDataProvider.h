#pragma once

#include <QString>

// What a report asks of the program while it is laid out: rows of named
// record sources and the text of every variable. The report data module
// answers; the renderer never reads the database itself.
//
// Order of calls for one run: beginPage(1), first() of the report's first
// data source, then the bands in print order. Every [NAME] of a band is asked
// exactly once each time that band is printed, so values that add themselves
// to running sums when asked are summed once per printed row.
class ReportDataProvider
{
public:
    virtual ~ReportDataProvider() = default;

    // Whether a template may bind a band to this source; checked for every
    // source before anything is laid out.
    virtual bool hasSource(const QString& source) const = 0;

    // First: position on the first row (a detail source re-reads its rows
    // for the current row of its master here).
    virtual void first(const QString& source) = 0;
    // Next: advance one row.
    virtual void next(const QString& source) = 0;
    // CheckEOF: whether the source is past its last row.
    virtual bool checkEof(const QString& source) = 0;

    // GetValue: the text of a variable; a name nobody answers is empty text.
    // Line breaks inside the value are "\r" (also "\n" or "\r\n").
    virtual QString getValue(const QString& name) = 0;

    // BeginPage: a new page starts; page is 1 for the first page.
    virtual void beginPage(int page) { Q_UNUSED(page); }
};
