#include "TableAllocator.h"

#include <cstdlib>

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

}  // namespace

void* AllocateTable(std::size_t bytes)
{
    if (bytes < LargeTable)
        return ::operator new(bytes);
    void* const p = std::aligned_alloc(HugePage, wholePages(bytes));
    if (!p)
        throw std::bad_alloc();
    // Only advice: where huge pages are off the table works all the same.
    ::madvise(p, wholePages(bytes), MADV_HUGEPAGE);
    return p;
}

void FreeTable(void* p, std::size_t bytes) noexcept
{
    if (bytes < LargeTable)
        ::operator delete(p);
    else
        std::free(p);
}

}  // namespace modLoad
