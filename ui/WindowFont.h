#pragma once

#include "LayoutScale.h"

#include <QFont>

class QPaintDevice;

namespace quendra::ui {

// Tahoma 8 pt: the face the window was drawn for. Where the system lacks it but Debian's
// Wine fonts are installed, that copy is loaded for this process; otherwise the platform's
// substitute is used and the layout scales to it. Text in scripts that need no shaping (Latin,
// Greek, Cyrillic and the like) is laid out without a shaper, which is the larger part of
// measuring and drawing the captions; scripts that need one are still shaped.
QFont windowFont();

// The font measured on a device (a screen, or an image of a given density).
TextExtent measureText(const QFont& font, const QPaintDevice* device = nullptr);

// Tahoma 8 pt at 96 ppi as this platform measures it; fixed figures when Tahoma is missing.
TextExtent designText();

} // namespace quendra::ui
