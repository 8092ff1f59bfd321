#pragma once

#include "LayoutScale.h"

namespace quendra::form {

// The face every pixel table of the window was drawn for, at the density it was drawn at. The
// window and every control use it; where a screen has another density, the font is scaled by it
// and the layout follows the text (layoutScale).
inline constexpr const char* kFontFamily = "Tahoma";
inline constexpr int kFontPointSize = 8;
inline constexpr int kDesignDpi = 96;

// The text whose width, besides the font's height, tells how large the window's text is: every
// letter once, an average sample.
inline constexpr const char* kTextSample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Tahoma 8 pt at 96 ppi, measured with FreeType on the Wine copy of the face; for a platform
// that has no Tahoma to measure.
inline constexpr TextExtent kDesignTextWithoutTahoma{11.0, 313.2};
// The same as Windows' GDI measures it (the cell height and GetTextExtentPoint32 of the sample,
// on the Wine copy of the face), for a Windows system without Tahoma.
inline constexpr TextExtent kDesignTextOnWindowsWithoutTahoma{13.0, 330.0};

} // namespace quendra::form
