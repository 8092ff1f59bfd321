#pragma once

#include "ControlState.h"
#include "TextMeasure.h"
#include "WindowFrame.h"

#include <windows.h>

#include <string>

namespace quendra::win32 {

// The window at one screen density: its font, the scale of every place and size, the client
// area its controls need and its outer size there, the frame Windows draws at that density
// around the client area it opens with.
class DensityLayout {
public:
    static constexpr DWORD kFrameExtendedStyle = WS_EX_CONTROLPARENT;
    static DWORD frameStyle();
    // The density of the screen the window opens on.
    static int screenDpi();

    explicit DensityLayout(int dpi);
    ~DensityLayout();
    DensityLayout(const DensityLayout&) = delete;
    DensityLayout& operator=(const DensityLayout&) = delete;

    HFONT font() const { return font_; }
    double scale() const { return scale_; }
    SIZE extent() const;
    // The frame Windows draws at this density around the client area the window opens with.
    form::FrameExtents frame() const;
    SIZE outerSize() const;
    // The room a caption of a kind of control needs, its mark included.
    int captionRoom(ControlKind kind, const std::string& caption) const;

private:
    int dpi_;
    HFONT font_;
    TextMeasure measure_;
    double scale_;
};

} // namespace quendra::win32
