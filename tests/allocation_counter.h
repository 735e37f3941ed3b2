// Counts the show's own heap allocations (operator new) while frames are drawn. The GL driver
// compiles its shader variants with LLVM whenever it meets a new state, allocating as it goes;
// those come from the driver, not from the show, and are left out.
#pragma once

void start_counting_allocations();
// Stops counting and returns the allocations made by the show since the start.
long stop_counting_allocations();
