#include "growth_table.h"

#include <algorithm>
#include <cstdio>

namespace dvx::bench {

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

GrowthTable::Line& GrowthTable::line(const std::string& name, bool bytes) {
    const auto found =
        std::find_if(lines_.begin(), lines_.end(), [&](const Line& l) { return l.name == name; });
    if (found != lines_.end())
        return *found;
    return lines_.emplace_back(Line{name, bytes, {}});
}

void GrowthTable::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.iterations == 0 || run.run_type != Run::RT_Iteration)
            continue;
        const long sessions = std::stol(run.run_name.args);
        if (std::find(sizes_.begin(), sizes_.end(), sessions) == sizes_.end())
            sizes_.insert(std::upper_bound(sizes_.begin(), sizes_.end(), sessions), sessions);
        bool counted = false;
        for (const auto& [name, counter] : run.counters) {
            if (EndsWith(name, "bytes_per_session")) {
                line(run.run_name.function_name + " " + name, true).values[sessions] =
                    counter.value;
                counted = true;
            }
        }
        if (!counted)
            line(run.run_name.function_name, false).values[sessions] =
                run.real_accumulated_time / double(run.iterations);
    }
}

void GrowthTable::print(const Line& line) const {
    std::printf("%-42s", line.name.c_str());
    for (const long size : sizes_) {
        const auto found = line.values.find(size);
        if (found == line.values.end())
            std::printf(" %28s", "-");
        else if (line.bytes)
            std::printf(" %28.1f", found->second);
        else
            std::printf(" %11.1f ms %8.3f us/s.", found->second * 1e3,
                        found->second * 1e6 / double(size));
    }
    std::printf("\n");
}

void GrowthTable::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\nGrowth (time, and time per session: us/s.; memory in bytes per session)\n");
    std::printf("%-42s", "sessions");
    for (const long size : sizes_)
        std::printf(" %28ld", size);
    std::printf("\n");
    for (const Line& line : lines_)
        print(line);
}

} // namespace dvx::bench
