#include "CaptionPlace.h"

#include "ControlStyle.h"
#include "Roles.h"

#include <algorithm>

namespace quendra::form {

namespace {

PixelRect widened(PixelRect place, int room) {
    place.width = std::max(place.width, room);
    return place;
}

bool sharesLine(const PixelRect& a, const PixelRect& b) {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

} // namespace

int captionRoom(ControlKind kind, int textWidth, double scale) {
    const bool marked = kind == ControlKind::CheckBox || kind == ControlKind::RadioGroup;
    return (marked ? scaled(kIndicatorSize + kIndicatorCaptionGap, scale) + 2 : 0) + textWidth;
}

bool growsWithCaption(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::CheckBox;
}

PixelRect captionPlace(const FormModel& model, ControlName control, double scale, int room) {
    const Placement* table = placementOf(control);
    const PixelRect place = scaled(table->rect, scale);
    const ControlKind kind = model.control(control).kind;
    if (!growsWithCaption(kind))
        return place;
    PixelRect grown = widened(place, room);
    const Placement* named =
        kind == ControlKind::Label ? placementOf(namedBy(model, control)) : nullptr;
    if (named && named->parent == table->parent) {
        const PixelRect beside = scaled(named->rect, scale);
        if (beside.left >= place.left && sharesLine(beside, grown))
            grown.width = std::min(grown.width, std::max(beside.left - place.left, place.width));
    }
    return grown;
}

PixelRect radioButtonPlace(const FormModel& model, ControlName group, std::size_t index,
                           double scale, int room) {
    const PixelRect frame = placementOf(group)->rect;
    const std::vector<PixelRect> buttons = radioButtonRects(
        frame.width, frame.height, static_cast<int>(model.control(group).items.size()));
    return widened(scaled(buttons.at(index), scale), room);
}

PixelRect creditPlace(const CreditLine& line, double scale, int room) {
    return widened(scaled(line.rect, scale), room);
}

} // namespace quendra::form
