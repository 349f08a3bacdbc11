#pragma once

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// While a PDF is written (a file or a print job): Qt's PDF engine takes a
// 10 MB buffer for every page it compresses and frees it again. With the C
// library's defaults that block comes from the system and goes back to it on
// every page, which cost more than laying the page out and painting it. The
// block stays in the heap while the document is written; afterwards the
// defaults come back and the memory is returned.
class HeapForPdf
{
public:
    HeapForPdf()
    {
#if defined(__GLIBC__)
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
    }
    ~HeapForPdf()
    {
#if defined(__GLIBC__)
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        mallopt(M_TRIM_THRESHOLD, 128 * 1024);
        malloc_trim(0);
#endif
    }
    HeapForPdf(const HeapForPdf&) = delete;
    HeapForPdf& operator=(const HeapForPdf&) = delete;
};
