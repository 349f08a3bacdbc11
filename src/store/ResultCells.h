#pragma once

#include <QtGlobal>

#include <cstddef>
#include <new>
#include <string>
#include <vector>

// One value of a result row as a statement keeps it: numbers in place, text
// and blobs as a span of the statement's byte arena.
namespace ResultCells {
enum class Kind : quint8
{
    Null,
    Integer,
    Real,
    Text,
    Blob
};
struct Cell
{
    union {
        qint64 i;
        double d;
        quint64 offset;
    };
    quint32 length;
    Kind kind;
};

// Memory of a few megabytes or more in large pages where the system offers
// them: a list of 100,000 rows fills some 50 MB at once, and in 4 KB pages
// that is a page fault every few rows, which costs more than reading the rows.
void* allocateLarge(std::size_t bytes);
void freeLarge(void* p, std::size_t bytes) noexcept;
// From this size on a buffer is given its own mapping.
constexpr std::size_t kLargeBytes = std::size_t(4) << 20;

template <typename T> struct LargePages
{
    using value_type = T;
    LargePages() noexcept = default;
    template <typename U> LargePages(const LargePages<U>&) noexcept {}
    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= kLargeBytes)
            return static_cast<T*>(allocateLarge(bytes));
        return static_cast<T*>(::operator new(bytes));
    }
    void deallocate(T* p, std::size_t n) noexcept
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= kLargeBytes)
            freeLarge(p, bytes);
        else
            ::operator delete(p);
    }
    template <typename U> bool operator==(const LargePages<U>&) const noexcept { return true; }
};

// The cells of the rows read, and the bytes of their text and blobs.
using Cells = std::vector<Cell, LargePages<Cell>>;
using Arena = std::basic_string<char, std::char_traits<char>, LargePages<char>>;
} // namespace ResultCells
