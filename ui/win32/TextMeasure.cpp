#include "TextMeasure.h"

#include "DesignFont.h"
#include "Utf16.h"

namespace quendra::win32 {

TextMeasure::TextMeasure(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
    old_ = SelectObject(dc_, font);
}

TextMeasure::~TextMeasure() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
}

int TextMeasure::width(const std::wstring& text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

form::TextExtent TextMeasure::extent() const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return {double(metrics.tmHeight), double(width(wideFrom(form::kTextSample)))};
}

std::wstring TextMeasure::face() const {
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(dc_, LF_FACESIZE, name);
    return name;
}

} // namespace quendra::win32
