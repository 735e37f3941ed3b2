// The show loaded offscreen once per benchmark run, for the benchmarks that draw.
#pragma once

// Opens the offscreen context and runs the show's start-up (pictures, tables, post effects).
void show_is_loaded();
