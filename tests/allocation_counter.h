// Counts the show's own heap allocations (operator new, and malloc, calloc and realloc outside the
// sanitizer build, whose runtime owns those) while frames are drawn. The GL driver compiles its
// shader variants with LLVM whenever it meets a new state, allocating as it goes on its own threads
// too; those come from the driver, not from the show, and are left out.
#pragma once

#include <cstddef>

void start_counting_allocations();
// Stops counting and returns the allocations made by the show since the start.
long stop_counting_allocations();

// Called by every counted allocator before it allocates.
void note_allocation();
