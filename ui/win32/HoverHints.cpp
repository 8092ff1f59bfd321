#include "HoverHints.h"

#include "Utf16.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace quendra::win32 {

namespace {

// The owner's timer ids for the machine's timers, by form::HintTimer.
constexpr UINT_PTR kTimerIds[] = {0x4801, 0x4802, 0x4803};

TOOLINFOW toolOf(HWND owner, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.lpszText = text;
    return tool;
}

// The messages that tell of what a person does with the keys, the mouse's buttons and the wheel.
struct InputMessage {
    UINT message;
    form::PersonInput input;
};
constexpr InputMessage kInputMessages[] = {
    {WM_LBUTTONDOWN, form::PersonInput::ButtonDown},
    {WM_RBUTTONDOWN, form::PersonInput::ButtonDown},
    {WM_MBUTTONDOWN, form::PersonInput::ButtonDown},
    {WM_LBUTTONDBLCLK, form::PersonInput::ButtonDown},
    {WM_NCLBUTTONDOWN, form::PersonInput::ButtonDown},
    {WM_LBUTTONUP, form::PersonInput::ButtonUp},
    {WM_RBUTTONUP, form::PersonInput::ButtonUp},
    {WM_MBUTTONUP, form::PersonInput::ButtonUp},
    {WM_MOUSEWHEEL, form::PersonInput::Wheel},
    {WM_MOUSEHWHEEL, form::PersonInput::Wheel},
    {WM_KEYDOWN, form::PersonInput::KeyDown},
    {WM_SYSKEYDOWN, form::PersonInput::KeyDown},
    {WM_KEYUP, form::PersonInput::KeyUp},
    {WM_SYSKEYUP, form::PersonInput::KeyUp},
};

} // namespace

HoverHints::HoverHints(HWND owner, const FormModel& model,
                       std::function<ControlName(POINT screen)> controlAt)
    : owner_(owner), controlAt_(std::move(controlAt)), machine_(model, *this) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
    TOOLINFOW tool = toolOf(owner_, const_cast<wchar_t*>(L""));
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // As wide as the text needs, wrapped only at the width of the screen.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
}

HoverHints::~HoverHints() {
    for (UINT_PTR id : kTimerIds)
        KillTimer(owner_, id);
    DestroyWindow(tip_);
}

void HoverHints::setFont(HFONT font) {
    SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void HoverHints::observe(const MSG& message) {
    for (const InputMessage& m : kInputMessages)
        if (m.message == message.message)
            return machine_.input(m.input);
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE ||
        message.message == WM_MOUSELEAVE) {
        POINT screen;
        GetCursorPos(&screen);
        moved(message.hwnd, screen);
    }
}

void HoverHints::moved(HWND window, POINT screen) {
    // Where the mouse leaves the window, no further move arrives there: ask to be told.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window, 0};
    TrackMouseEvent(&leave);
    machine_.pointerAt(controlAt_(screen), {screen.x, screen.y});
}

bool HoverHints::timer(UINT_PTR id) {
    const UINT_PTR* found = std::find(std::begin(kTimerIds), std::end(kTimerIds), id);
    if (found == std::end(kTimerIds))
        return false;
    KillTimer(owner_, id); // the machine's timers fire once
    machine_.timerFired(form::HintTimer(found - std::begin(kTimerIds)));
    return true;
}

void HoverHints::showTip(const char* text, form::ScreenPoint pointer) {
    text_ = wideFrom(text);
    TOOLINFOW tool = toolOf(owner_, text_.data());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    const LRESULT bubble =
        SendMessageW(tip_, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool));
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const form::ScreenPoint place =
        form::tipPlace(pointer, LOWORD(bubble), HIWORD(bubble),
                       {area.left, area.top, area.right - area.left, area.bottom - area.top});
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(place.x, place.y));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void HoverHints::hideTip() {
    TOOLINFOW tool = toolOf(owner_, const_cast<wchar_t*>(L""));
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void HoverHints::startTimer(form::HintTimer timer, int ms) {
    SetTimer(owner_, kTimerIds[int(timer)], UINT(ms), nullptr);
}

void HoverHints::stopTimer(form::HintTimer timer) {
    KillTimer(owner_, kTimerIds[int(timer)]);
}

} // namespace quendra::win32
