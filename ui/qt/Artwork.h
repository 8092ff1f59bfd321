#pragma once

#include "Placements.h"

#include <QIcon>
#include <QPixmap>

#include <string_view>

namespace quendra::ui {

// A picture of the window by its resource path. The pictures are compiled in as ready pixels,
// made from the PNG files at build time, so that showing the window decodes no image; a
// resource without compiled pixels is read and decoded.
QPixmap artwork(std::string_view resource);
QPixmap artwork(form::Picture picture);

// The window's icon in its three sizes.
QIcon windowIcon();

} // namespace quendra::ui
