#pragma once

#include <cstddef>
#include <cstdint>

namespace quendra::ui {

// A picture of the window as ready pixels: one 32-bit value per pixel, rows top to bottom, in
// QImage's RGB32 layout (opaque pictures) or ARGB32 premultiplied (the others).
struct CompiledPicture {
    const char* resource; // the resource path of the PNG it was made from
    int width;
    int height;
    bool opaque;
    const std::uint32_t* pixels;
};

// Made at build time by artwork_pixels from the PNG files under resources/.
extern const CompiledPicture kCompiledPictures[];
extern const std::size_t kCompiledPictureCount;

} // namespace quendra::ui
