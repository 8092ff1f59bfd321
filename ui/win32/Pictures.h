#pragma once

#include "Placements.h"

#include <windows.h>

namespace quendra::win32 {

// A picture of the window as a bitmap ready for a static control: the program's BITMAP resource
// of the picture's name, scaled with the layout. nullptr where the resource is missing.
HBITMAP loadPicture(HINSTANCE instance, form::Picture picture, double scale);

} // namespace quendra::win32
