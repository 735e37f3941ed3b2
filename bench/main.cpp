// The benchmark program: every benchmark of bench/ in one binary. After the usual report it prints the
// ratios declared with BENCH_RATIO whose two benchmarks both ran, from their wall times per iteration
// (the medians when the run repeats).
#include "ratios.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

std::vector<BenchRatio>& bench_ratios()
{
    static std::vector<BenchRatio> ratios;
    return ratios;
}

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                seconds_[run.run_name.str()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const BenchRatio& ratio : bench_ratios()) {
            const auto numerator = seconds_.find(ratio.numerator), denominator = seconds_.find(ratio.denominator);
            if (numerator != seconds_.end() && denominator != seconds_.end())
                std::printf("ratio %-58s %6.3f\n", ratio.label.c_str(), numerator->second / denominator->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
