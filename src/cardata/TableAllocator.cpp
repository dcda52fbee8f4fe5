#include "TableAllocator.h"

#include <cstdlib>
#include <utility>

#include <sys/mman.h>

namespace modLoad {

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;
// Below this a table is left to the ordinary heap.
constexpr std::size_t LargeTable = 4 * HugePage;

std::size_t wholePages(std::size_t bytes)
{
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

// The storage of the last large table freed, kept for the next one of about
// its size: a library loaded in place of another then fills memory already
// mapped, rather than pages the system must first clear. Tables live on one
// thread.
struct Spare {
    void* storage = nullptr;
    std::size_t size = 0;
} spare;

}  // namespace

void* AllocateTable(std::size_t bytes)
{
    if (bytes < LargeTable)
        return ::operator new(bytes);
    const std::size_t size = wholePages(bytes);
    if (spare.storage && spare.size >= size && spare.size <= 2 * size)
        return std::exchange(spare, {}).storage;
    void* const p = std::aligned_alloc(HugePage, size);
    if (!p)
        throw std::bad_alloc();
    // Only advice: where huge pages are off the table works all the same.
    ::madvise(p, size, MADV_HUGEPAGE);
    return p;
}

void FreeTable(void* p, std::size_t bytes) noexcept
{
    if (bytes < LargeTable) {
        ::operator delete(p);
        return;
    }
    std::free(spare.storage);
    spare = {p, wholePages(bytes)};
}

}  // namespace modLoad
