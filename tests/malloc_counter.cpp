// Counts the C allocators too, by putting malloc, calloc and realloc in front of the C library's.
// Left out of the sanitizer build, whose runtime replaces the same functions.
#include "allocation_counter.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);

void* malloc(size_t size)
{
    note_allocation();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
    note_allocation();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size)
{
    note_allocation();
    return __libc_realloc(block, size);
}
}
