#include "bench/allocation_counter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Per thread: a GL driver's own worker threads allocate as they please.
thread_local long allocationCount = 0;

void* Allocate(std::size_t size) {
    ++allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

long bench::Allocations() { return allocationCount; }

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
