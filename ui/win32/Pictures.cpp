#include "Pictures.h"

#include "LayoutScale.h"
#include "Utf16.h"

namespace quendra::win32 {

namespace {

HBITMAP scaledCopy(HBITMAP source, double scale) {
    BITMAP size{};
    GetObjectW(source, sizeof size, &size);
    const int width = form::scaled(size.bmWidth, scale);
    const int height = form::scaled(size.bmHeight, scale);
    HDC screen = GetDC(nullptr);
    HBITMAP target = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, target);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return target;
}

} // namespace

HBITMAP loadPicture(HINSTANCE instance, form::Picture picture, double scale) {
    auto* bitmap =
        static_cast<HBITMAP>(LoadImageW(instance, wideFrom(form::pictureName(picture)).c_str(),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap || scale == 1.0)
        return bitmap;
    HBITMAP scaled = scaledCopy(bitmap, scale);
    DeleteObject(bitmap);
    return scaled;
}

} // namespace quendra::win32
