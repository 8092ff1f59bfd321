#pragma once

#include <vector>

namespace quendra::form {

// A colour of the desktop's palette, 8 bits a channel.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
};

// How far apart two colours stand as WCAG 2 measures it: 1 for the same colour, 21 for black on
// white.
double contrastRatio(const Rgb& a, const Rgb& b);

// What a control's boundary keeps against the face it stands on (a group frame, the outline of a
// check box, radio button, field or slider, a slider's ticks), and what a text keeps.
inline constexpr double kLineContrast = 3.0;
inline constexpr double kTextContrast = 4.5;

// The colour the window draws a control's boundary in on `face`. Of the shades the desktop's
// palette sets for edges and frames (`shades`), the one nearest the face that still keeps
// kLineContrast: the line stands out no more than it must. Where none does (a palette whose
// shades all lie close to the face, or that sets none), the face moved towards the text colour
// until it keeps kTextContrast, so that the anti-aliased pixels of a round mark, paler than its
// colour, still keep kLineContrast; where even the text colour is too close to the face, black
// or white, whichever stands further from it.
Rgb lineColour(const Rgb& face, const Rgb& text, const std::vector<Rgb>& shades);
// A line the style draws in a colour of its own that does not come from the face (a slider's
// ticks in the highlight): that colour where it keeps kLineContrast, else the one above.
Rgb lineColour(const Rgb& own, const Rgb& face, const Rgb& text, const std::vector<Rgb>& shades);

} // namespace quendra::form
