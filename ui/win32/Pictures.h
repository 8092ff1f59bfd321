#pragma once

#include "Placements.h"

#include <windows.h>

namespace quendra::win32 {

// A picture of the window as a bitmap ready for a static control: read from the program's
// resources (a PAM image made from the PNG at build time, resource name = the picture's name),
// laid on the button face where it is transparent, and scaled with the layout. nullptr where the
// resource is missing or unreadable.
HBITMAP loadPicture(HINSTANCE instance, form::Picture picture, double scale);

} // namespace quendra::win32
