#include "Pictures.h"

#include "LayoutScale.h"
#include "WideText.h"

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace quendra::win32 {

namespace {

struct Rgba {
    int width = 0;
    int height = 0;
    const std::uint8_t* pixels = nullptr; // rows top to bottom, 4 bytes a pixel
};

const char* resourceBytes(HINSTANCE instance, const std::wstring& name, DWORD& size) {
    HRSRC found = FindResourceW(instance, name.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    size = found ? SizeofResource(instance, found) : 0;
    return loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
}

// A PAM image ("P7", WIDTH, HEIGHT, DEPTH 4, MAXVAL 255, ENDHDR, then RGBA rows).
Rgba parsePam(const char* bytes, DWORD size) {
    const std::string_view data(bytes, size);
    const std::size_t end = data.find("ENDHDR\n");
    if (data.substr(0, 3) != "P7\n" || end == std::string_view::npos)
        return {};
    std::istringstream header{std::string(data.substr(3, end - 3))};
    Rgba image;
    int depth = 0;
    int maxval = 0;
    for (std::string key; header >> key;) {
        if (key == "WIDTH")
            header >> image.width;
        else if (key == "HEIGHT")
            header >> image.height;
        else if (key == "DEPTH")
            header >> depth;
        else if (key == "MAXVAL")
            header >> maxval;
        else
            header.ignore(1 << 10, '\n');
    }
    const std::size_t offset = end + 7;
    const std::size_t needed = std::size_t(image.width) * std::size_t(image.height) * 4;
    if (depth != 4 || maxval != 255 || image.width <= 0 || image.height <= 0 ||
        size - offset < needed)
        return {};
    image.pixels = reinterpret_cast<const std::uint8_t*>(bytes + offset);
    return image;
}

HBITMAP dibSection(int width, int height, std::uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    *bits = static_cast<std::uint32_t*>(memory);
    return bitmap;
}

// The picture over the button face, at its own size.
HBITMAP onButtonFace(const Rgba& image) {
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = dibSection(image.width, image.height, &bits);
    if (!bitmap)
        return nullptr;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int under[3] = {GetRValue(face), GetGValue(face), GetBValue(face)};
    for (int i = 0; i < image.width * image.height; ++i) {
        const std::uint8_t* p = image.pixels + 4 * i;
        const int alpha = p[3];
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = (p[k] * alpha + under[k] * (255 - alpha) + 127) / 255;
        bits[i] = std::uint32_t(c[2]) | (std::uint32_t(c[1]) << 8) | (std::uint32_t(c[0]) << 16);
    }
    return bitmap;
}

HBITMAP scaledCopy(HBITMAP source, int width, int height, double scale) {
    std::uint32_t* bits = nullptr;
    const int w = form::scaled(width, scale);
    const int h = form::scaled(height, scale);
    HBITMAP target = dibSection(w, h, &bits);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, target);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, w, h, from, 0, 0, width, height, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return target;
}

} // namespace

HBITMAP loadPicture(HINSTANCE instance, form::Picture picture, double scale) {
    DWORD size = 0;
    const char* bytes = resourceBytes(instance, widen(form::pictureName(picture)), size);
    if (!bytes)
        return nullptr;
    const Rgba image = parsePam(bytes, size);
    if (!image.pixels)
        return nullptr;
    HBITMAP bitmap = onButtonFace(image);
    if (!bitmap || scale == 1.0)
        return bitmap;
    HBITMAP scaled = scaledCopy(bitmap, image.width, image.height, scale);
    DeleteObject(bitmap);
    return scaled;
}

} // namespace quendra::win32
