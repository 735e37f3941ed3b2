// Counts the show's own heap allocations by replacing operator new, skipping the GL driver's.
// Allocators run on the driver's threads too: the switch and the count are atomic, and the guard
// that keeps the counter from counting itself belongs to each thread.
#include "allocation_counter.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

static constexpr int stack_depth = 48;
static std::atomic<bool> counting{false};
static std::atomic<long> allocations{0};
static thread_local bool inside_counter = false;

// True when a frame of the calling stack lies in the GL driver or its compiler.
static bool made_by_driver()
{
    void* frames[stack_depth];
    int depth = backtrace(frames, stack_depth);
    for (int i = 0; i < depth; ++i) {
        Dl_info where;
        if (dladdr(frames[i], &where) && where.dli_fname &&
            (std::strstr(where.dli_fname, "/dri/") || std::strstr(where.dli_fname, "libLLVM")))
            return true;
    }
    return false;
}

void note_allocation()
{
    if (!counting || inside_counter)
        return;
    inside_counter = true;  // the stack walk must not count itself
    allocations += !made_by_driver();
    inside_counter = false;
}

// The malloc beneath a new is the same allocation, counted once.
static void* counted_allocation(std::size_t size)
{
    note_allocation();
    bool outermost = !inside_counter;
    inside_counter = true;
    void* block = std::malloc(size ? size : 1);
    inside_counter = !outermost;
    return block;
}

void start_counting_allocations()
{
    void* warm_up[1];
    backtrace(warm_up, 1);  // loads the unwinder before counting starts
    allocations = 0;
    counting = true;
}

long stop_counting_allocations()
{
    counting = false;
    return allocations;
}

// Out of line, so that the compiler never pairs a new with free at one call site.
[[gnu::noinline]] static void release(void* block) noexcept { std::free(block); }

void* operator new(std::size_t size)
{
    if (void* block = counted_allocation(size))
        return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return counted_allocation(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return counted_allocation(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }
