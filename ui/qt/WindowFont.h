#pragma once

#include "LayoutScale.h"

#include <QFont>

class QLineEdit;
class QPaintDevice;

namespace quendra::ui {

// Tahoma 8 pt: the face the window was drawn for. Where the system lacks it but Debian's
// Wine fonts are installed, that copy is loaded for this process; otherwise the platform's
// substitute is used and the layout scales to it. Text in Latin, Greek and Cyrillic letters is
// laid out from the font's own advances, without a shaper, which was the larger part of
// measuring and drawing the captions. Text that needs a shaper goes in shapingFont().
QFont windowFont();

// The same face with a shaper, for text that needs one: Arabic letters join, marks sit on their
// letters. The dialogs use it, as they show file names; a field switches to it by its text.
QFont shapingFont();

// Whether the window's font would show the text wrongly: letters of a script other than
// Latin, Greek and Cyrillic, combining marks, or joiners and other format characters.
bool needsShaping(const QString& text);

// Gives a field the font its text needs: the shaping font while the text needs one, the
// window's font, inherited, otherwise.
void fitFontToText(QLineEdit* field);

// The font measured on a device (a screen, or an image of a given density).
form::TextExtent measureText(const QFont& font, const QPaintDevice* device = nullptr);

// Tahoma 8 pt at 96 ppi as this platform measures it; fixed figures when Tahoma is missing.
form::TextExtent designText();

} // namespace quendra::ui
