#include "store/ResultCells.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace ResultCells {
namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Freed buffers kept for the next read up to this much: a list reread gets
// its memory back without the system clearing and mapping it anew.
constexpr std::size_t kKeptBytes = std::size_t(128) << 20;

std::size_t roundUp(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

struct Mappings
{
    std::mutex lock;
    std::map<void*, std::size_t> live; // buffer -> its mapped size
    std::vector<std::pair<void*, std::size_t>> kept;
    std::size_t keptBytes = 0;
};

Mappings& mappings()
{
    static Mappings* m = new Mappings; // never destroyed: buffers may outlive statics
    return *m;
}

#if defined(Q_OS_LINUX)
void* mapAligned(std::size_t size)
{
    // Mapped with a large page's room to spare, then trimmed to start on a
    // large page boundary, so the whole buffer can be served in large pages.
    void* mapped =
        mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    char* base = static_cast<char*>(mapped);
    char* aligned = reinterpret_cast<char*>((reinterpret_cast<quintptr>(base) + kHugePage - 1) &
                                            ~quintptr(kHugePage - 1));
    if (aligned > base)
        munmap(base, std::size_t(aligned - base));
    const std::size_t tail = std::size_t(base + size + kHugePage - (aligned + size));
    if (tail > 0)
        munmap(aligned + size, tail);
    // Only advice: where large pages are off the buffer is mapped as usual.
    madvise(aligned, size, MADV_HUGEPAGE);
    return aligned;
}
#endif
} // namespace

void* allocateLarge(std::size_t bytes)
{
#if defined(Q_OS_LINUX)
    const std::size_t size = roundUp(bytes);
    Mappings& m = mappings();
    {
        std::lock_guard<std::mutex> guard(m.lock);
        // The smallest kept buffer that holds it, unless it is far bigger.
        auto best = m.kept.end();
        for (auto it = m.kept.begin(); it != m.kept.end(); ++it)
            if (it->second >= size && it->second <= size * 2 &&
                (best == m.kept.end() || it->second < best->second))
                best = it;
        if (best != m.kept.end()) {
            const auto [p, mapped] = *best;
            m.kept.erase(best);
            m.keptBytes -= mapped;
            m.live.emplace(p, mapped);
            return p;
        }
    }
    void* p = mapAligned(size);
    std::lock_guard<std::mutex> guard(m.lock);
    m.live.emplace(p, size);
    return p;
#else
    return ::operator new(bytes);
#endif
}

void freeLarge(void* p, std::size_t bytes) noexcept
{
#if defined(Q_OS_LINUX)
    Mappings& m = mappings();
    std::size_t size = roundUp(bytes);
    {
        std::lock_guard<std::mutex> guard(m.lock);
        const auto it = m.live.find(p);
        if (it != m.live.end()) {
            size = it->second;
            m.live.erase(it);
        }
        // The newest stays; the oldest kept go first when there is no room.
        while (!m.kept.empty() && m.keptBytes + size > kKeptBytes) {
            munmap(m.kept.front().first, m.kept.front().second);
            m.keptBytes -= m.kept.front().second;
            m.kept.erase(m.kept.begin());
        }
        if (size <= kKeptBytes) {
            m.kept.emplace_back(p, size);
            m.keptBytes += size;
            return;
        }
    }
    munmap(p, size);
#else
    (void)bytes;
    ::operator delete(p);
#endif
}
} // namespace ResultCells
