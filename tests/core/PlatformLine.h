#pragma once

#include "DropDownView.h"

#include <string>
#include <vector>

namespace quendra {

// A drop-down as the platforms keep one: making an entry current writes the entry's text into
// the line and puts the caret at its end.
class PlatformLine : public DropDownView {
public:
    std::vector<std::string> items{"44.1 kHz", "48 kHz"};
    std::string line;
    TextSelection selected;
    int entry = -1;

    std::string text() const override { return line; }
    TextSelection selection() const override { return selected; }

protected:
    int currentEntry() const override { return entry; }
    void setCurrentEntry(int e) override {
        entry = e;
        if (e >= 0)
            setText(items[std::size_t(e)]);
    }
    void setText(const std::string& t) override {
        line = t;
        selected = {t.size(), 0, t.size()};
    }
    void select(const std::string&, const TextSelection& s) override { selected = s; }
};

} // namespace quendra
