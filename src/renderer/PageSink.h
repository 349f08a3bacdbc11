#pragma once

#include "renderer/PageSource.h"

// Where a report's pages go while it is laid out, one at a time, so that no
// report has to be held whole in memory: a preview's spool, a PDF file, a
// counter. A sink answers false to stop the report (the user cancelled, or
// writing failed).
class PageSink
{
public:
    virtual ~PageSink() = default;
    // Before the first page.
    virtual bool start(const PageFormat& format) = 0;
    // Pages arrive in order, numbered from 0.
    virtual bool addPage(Page&& page) = 0;
    // A report that prints its page count is first laid out only to count
    // them; this is called for each page counted. False stops the report.
    virtual bool counted(int pages)
    {
        Q_UNUSED(pages);
        return true;
    }
};
