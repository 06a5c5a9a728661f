#pragma once

// Runs pairs of Google Benchmark benchmarks A B A B ..., one repetition at a time, and reports each
// pair's medians and the ratio of A to its baseline B.

#include <string>
#include <vector>

struct BenchmarkPair {
    std::string measured; // a benchmark's full name, e.g. "PlayPicture/2"
    std::string baseline;
};

// Flags: --repetitions=N (default 11), --min-time=SECONDS (default 0.2). Returns the exit status.
int RunAlternating(int argc, char **argv, const std::vector<BenchmarkPair> &pairs);
