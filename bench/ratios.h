// Ratios of two benchmarks' times, printed after the run when both have run in it: side by side on
// the same machine in the same minutes, they hold where the times themselves vary with its load.
#pragma once

#include <string>
#include <vector>

struct BenchRatio {
    std::string label, numerator, denominator;  // the benchmarks' names as reported, without aggregates
};

std::vector<BenchRatio>& bench_ratios();

inline bool add_bench_ratio(const BenchRatio& ratio)
{
    bench_ratios().push_back(ratio);
    return true;
}

#define BENCH_RATIO_NAME2(line) bench_ratio_##line
#define BENCH_RATIO_NAME(line) BENCH_RATIO_NAME2(line)
// Declares a ratio at namespace scope: BENCH_RATIO("label", "numerator name", "denominator name");
#define BENCH_RATIO(...) static const bool BENCH_RATIO_NAME(__LINE__) = add_bench_ratio({__VA_ARGS__})
