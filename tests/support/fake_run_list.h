#pragma once

#include "platform/runlist/run_list.h"

#include <optional>

namespace dvx {

// Keeps the entry in memory: the program path while listed, nothing otherwise.
class FakeRunList final : public RunList {
public:
    void write(const QString& programPath) override {
        entry = programPath;
        ++writes;
    }
    void remove() override {
        entry.reset();
        ++removals;
    }

    std::optional<QString> entry;
    int writes = 0;
    int removals = 0;
};

} // namespace dvx
