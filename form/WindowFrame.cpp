#include "WindowFrame.h"

namespace quendra::form {

PixelRect clientAtStart(double scale) {
    return scaled(
        PixelRect{0, 0, kOuterWidth - kAssumedFrameWidth, kOuterHeight - kAssumedFrameHeight},
        scale);
}

} // namespace quendra::form
