#pragma once

#include "LaunchNotice.h"

#include <cstdio>

namespace quendra::bench {

// Stands in for the failure message box in the benchmarks: a start that fails is counted and
// reported on standard error, and nothing waits for a person to close a dialog.
class CountingNotice : public ui::LaunchFailureNotice {
public:
    void show(QWidget*, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        ++failures;
    }
    int failures = 0;
};

} // namespace quendra::bench
