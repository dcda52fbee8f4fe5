#include "TableAllocator.h"

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
    const std::size_t size = wholePages(bytes);
    void* const p = ::operator new(size, std::align_val_t{HugePage});
    // Only advice: where huge pages are off the table works all the same.
    ::madvise(p, size, MADV_HUGEPAGE);
    return p;
}

void FreeTable(void* p, std::size_t bytes) noexcept
{
    if (bytes < LargeTable)
        ::operator delete(p);
    else
        ::operator delete(p, std::align_val_t{HugePage});
}

}  // namespace modLoad
