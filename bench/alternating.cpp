#include "alternating.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

// Keeps the time per iteration of every run it is told of.
class Collector : public benchmark::BenchmarkReporter {
  public:
    std::vector<double> times;
    bool ReportContext(const Context & /*context*/) override { return true; }
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            times.push_back(run.GetAdjustedRealTime());
    }
};

double Median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double RunOnce(const std::string &name)
{
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector, "^" + name + "$");
    return collector.times.empty() ? 0.0 : collector.times.front();
}

std::string Flag(int argc, char *argv[], std::string_view name, std::string fallback)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument.starts_with(name) && argument.size() > name.size() && argument[name.size()] == '=')
            return std::string(argument.substr(name.size() + 1));
    }
    return fallback;
}

} // namespace

int RunAlternating(int argc, char *argv[], const std::vector<BenchmarkPair> &pairs)
{
    const int repetitions = std::stoi(Flag(argc, argv, "--repetitions", "11"));
    const std::string minTime = "--benchmark_min_time=" + Flag(argc, argv, "--min-time", "0.2");
    std::vector<char *> benchmarkArgs{argv[0], const_cast<char *>(minTime.c_str())};
    int benchmarkArgc = static_cast<int>(benchmarkArgs.size());
    benchmark::Initialize(&benchmarkArgc, benchmarkArgs.data());

    std::printf("%-28s %14s %14s %8s   (medians of %d, alternating A B)\n", "benchmark (A against B)", "A ns", "B ns",
                "A / B", repetitions);
    for (const BenchmarkPair &pair : pairs) {
        std::vector<double> measured;
        std::vector<double> baseline;
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            measured.push_back(RunOnce(pair.measured));
            baseline.push_back(RunOnce(pair.baseline));
        }
        const double a = Median(measured);
        const double b = Median(baseline);
        std::printf("%-28s %14.1f %14.1f %8.3f   against %s\n", pair.measured.c_str(), a, b, b > 0 ? a / b : 0.0,
                    pair.baseline.c_str());
        std::fflush(stdout);
    }
    benchmark::Shutdown();
    return 0;
}
