#include "DensityLayout.h"

#include "CaptionPlace.h"
#include "DesignFont.h"
#include "LateBound.h"
#include "LayoutScale.h"
#include "Placements.h"
#include "Utf16.h"
#include "WindowFrame.h"

namespace quendra::win32 {

namespace {

HFONT windowFont(int dpi) {
    return CreateFontW(-MulDiv(form::kFontPointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       wideFrom(form::kFontFamily).c_str());
}

// The tables were drawn for 96 ppi, so every place and size, the client area included, grows
// with the density. Where the window's real face is taller or wider than the design face at
// that density (a substitute where Tahoma is missing), the layout follows the text as well, so
// that no caption is cut. The design face is its own measure: GDI rounds metrics to whole
// pixels, so its extent at 96 ppi scaled up is not exactly its extent at another density.
double layoutScale(int dpi, const TextMeasure& measure) {
    const double density = double(dpi) / form::kDesignDpi;
    const form::TextExtent real = measure.extent();
    const form::TextExtent design =
        measure.face() == wideFrom(form::kFontFamily)
            ? real
            : form::TextExtent{form::kDesignTextOnWindowsWithoutTahoma.height * density,
                               form::kDesignTextOnWindowsWithoutTahoma.sampleWidth * density};
    return density * form::layoutScale(real, design);
}

} // namespace

DWORD DensityLayout::frameStyle() {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (form::kMinimizable ? WS_MINIMIZEBOX : 0) | (form::kResizable ? WS_THICKFRAME : 0) |
           (form::kMaximizable ? WS_MAXIMIZEBOX : 0);
}

int DensityLayout::screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : form::kDesignDpi;
}

DensityLayout::DensityLayout(int dpi)
    : dpi_(dpi), font_(windowFont(dpi)), measure_(font_), scale_(layoutScale(dpi, measure_)) {}

DensityLayout::~DensityLayout() {
    DeleteObject(font_);
}

SIZE DensityLayout::extent() const {
    const form::PixelRect extent = form::scaled(form::clientExtent(), scale_);
    return {extent.width, extent.height};
}

// Windows 10 from 1607 draws the frame for a density; before, the system's frame.
form::FrameExtents DensityLayout::frame() const {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        lateBound<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    const form::PixelRect client = form::clientAtStart(scale_);
    RECT outer{0, 0, client.width, client.height};
    if (!adjustForDpi ||
        !adjustForDpi(&outer, frameStyle(), FALSE, kFrameExtendedStyle, UINT(dpi_)))
        AdjustWindowRectEx(&outer, frameStyle(), FALSE, kFrameExtendedStyle);
    return {-outer.left, -outer.top, outer.right - client.width, outer.bottom - client.height};
}

SIZE DensityLayout::outerSize() const {
    const form::PixelRect client = form::clientAtStart(scale_);
    const form::FrameExtents around = frame();
    return {client.width + around.left + around.right, client.height + around.top + around.bottom};
}

int DensityLayout::captionRoom(ControlKind kind, const std::string& caption) const {
    return form::captionRoom(kind, measure_.width(wideFrom(caption)), scale_);
}

} // namespace quendra::win32
