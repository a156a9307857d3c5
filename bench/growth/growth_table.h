#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

namespace dvx::bench {

// The console's report of the benchmarks, and after them a table of each benchmark's time at
// each size (its argument, a number of sessions) with that time per session, so that linear
// growth shows as a steady figure per session along a line; a counter whose name ends in
// "bytes_per_session" gets a line of its own instead.
class GrowthTable : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    // A line of the table: a benchmark's time or one of its counters, by size.
    struct Line {
        std::string name;
        bool bytes = false;
        std::map<long, double> values;
    };
    Line& line(const std::string& name, bool bytes);
    void print(const Line& line) const;

    std::vector<Line> lines_;
    std::vector<long> sizes_;
};

} // namespace dvx::bench
