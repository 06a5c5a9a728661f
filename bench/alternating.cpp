#include "alternating.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iomanip>
#include <iostream>
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

std::string Flag(int argc, char **argv, std::string_view name, std::string fallback)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    for (const std::string_view argument : arguments) {
        if (argument.starts_with(name) && argument.size() > name.size() && argument[name.size()] == '=')
            return std::string(argument.substr(name.size() + 1));
    }
    return fallback;
}

} // namespace

int RunAlternating(int argc, char **argv, const std::vector<BenchmarkPair> &pairs)
{
    const int repetitions = std::stoi(Flag(argc, argv, "--repetitions", "11"));
    std::string program(argv[0]);
    std::string minTime = "--benchmark_min_time=" + Flag(argc, argv, "--min-time", "0.2");
    std::vector<char *> benchmarkArgs{program.data(), minTime.data()};
    int benchmarkArgc = static_cast<int>(benchmarkArgs.size());
    benchmark::Initialize(&benchmarkArgc, benchmarkArgs.data());

    std::cout << std::left << std::setw(28) << "benchmark (A against B)" << std::right << std::setw(15) << "A ns"
              << std::setw(15) << "B ns" << std::setw(9) << "A / B"
              << "   (medians of " << repetitions << ", alternating A B)\n";
    for (const BenchmarkPair &pair : pairs) {
        std::vector<double> measured;
        std::vector<double> baseline;
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            measured.push_back(RunOnce(pair.measured));
            baseline.push_back(RunOnce(pair.baseline));
        }
        const double a = Median(measured);
        const double b = Median(baseline);
        std::cout << std::left << std::setw(28) << pair.measured << std::right << std::fixed << std::setprecision(1)
                  << std::setw(15) << a << std::setw(15) << b << std::setprecision(3) << std::setw(9)
                  << (b > 0 ? a / b : 0.0) << "   against " << pair.baseline << std::endl;
    }
    benchmark::Shutdown();
    return 0;
}
