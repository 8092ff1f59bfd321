#pragma once

#include "LayoutScale.h"

#include <windows.h>

#include <string>

namespace quendra::win32 {

// Text measured in one font, in a memory device context of the screen's kind: asking the screen's
// own context for each caption costs the window system a round trip each time.
class TextMeasure {
public:
    explicit TextMeasure(HFONT font);
    ~TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    int width(const std::wstring& text) const;
    // The font's text height and the width of the design sample, as the layout rule wants them.
    form::TextExtent extent() const;
    // The face Windows chose for the font: another than the one asked for where that is missing.
    std::wstring face() const;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace quendra::win32
