#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace quendra::form {

namespace {

// One channel of 0 to 255 as light: the sRGB curve undone.
double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const Rgb& c) {
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

int towards(int from, int to, int step) {
    return from + static_cast<int>(std::lround((to - from) * step / 255.0));
}

} // namespace

double contrastRatio(const Rgb& a, const Rgb& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb lineColour(const Rgb& face, const Rgb& text, const std::vector<Rgb>& shades) {
    const Rgb* nearest = nullptr;
    for (const Rgb& shade : shades) {
        const double contrast = contrastRatio(shade, face);
        if (contrast >= kLineContrast && (!nearest || contrast < contrastRatio(*nearest, face)))
            nearest = &shade;
    }
    if (nearest)
        return *nearest;
    if (contrastRatio(text, face) >= kLineContrast) {
        for (int step = 1; step < 255; ++step) {
            const Rgb mixed{towards(face.red, text.red, step),
                            towards(face.green, text.green, step),
                            towards(face.blue, text.blue, step)};
            if (contrastRatio(mixed, face) >= kTextContrast)
                return mixed;
        }
        return text;
    }
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    return contrastRatio(black, face) >= contrastRatio(white, face) ? black : white;
}

Rgb lineColour(const Rgb& own, const Rgb& face, const Rgb& text, const std::vector<Rgb>& shades) {
    return contrastRatio(own, face) >= kLineContrast ? own : lineColour(face, text, shades);
}

} // namespace quendra::form
