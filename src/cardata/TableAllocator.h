#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace modLoad {

// Asks an entry to be made without zeroing its bytes, for a place that is
// read into at once.
struct ForOverwrite {};

void* AllocateTable(std::size_t bytes);
void FreeTable(void* p, std::size_t bytes) noexcept;

// The storage of car tables. A table of thousands of cars (32767 fill 44 MB)
// asks for huge pages, so it is mapped in a few dozen faults rather than ten
// thousand; every other entry is made as std::allocator makes it, zeroed.
template <typename T>
class TableAllocator {
public:
    using value_type = T;

    TableAllocator() = default;
    template <typename U>
    TableAllocator(const TableAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateTable(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeTable(p, n * sizeof(T)); }

    template <typename U>
    void construct(U* p, ForOverwrite) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }

    template <typename U>
    bool operator==(const TableAllocator<U>&) const noexcept
    {
        return true;
    }
};

}  // namespace modLoad
