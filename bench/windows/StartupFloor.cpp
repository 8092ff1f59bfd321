// The floor of the window's start: the same native controls, made from the placement table in the
// window's font at the screen's density, each in its state at start-up (caption or text, entries,
// checked, shown, enabled, a slider's range and position: what is drawn), shown the same way and
// ending at the same point. Nothing else: no model, rules, hints, pictures, measuring or
// accessibility; the controls are made in table order on the window itself.
#include "ControlStyle.h"
#include "DesignFont.h"
#include "ControlTable.h"
#include "LayoutScale.h"
#include "Placements.h"
#include "Utf16.h"
#include "WindowFrame.h"

#include "ShownAndEnded.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

using quendra::ControlKind;
using quendra::ControlState;
using quendra::wideFrom;
namespace form = quendra::form;

struct Maker {
    HWND parent;
    HINSTANCE instance;
    HFONT font;
    double scale;

    HWND make(const wchar_t* type, const std::wstring& text, DWORD style, DWORD extended,
              const form::PixelRect& table) const {
        const form::PixelRect r = form::scaled(table, scale);
        HWND control =
            CreateWindowExW(extended, type, text.c_str(), WS_CHILD | style, r.left, r.top, r.width,
                            r.height, parent, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    }
};

form::PixelRect onWindow(const form::Placement& p) {
    form::PixelRect r = p.rect;
    if (p.parent != quendra::control::Form1) {
        const form::PixelRect outer = form::placementOf(p.parent)->rect;
        r.left += outer.left;
        r.top += outer.top;
    }
    return r;
}

void makeControl(const Maker& maker, const form::Placement& p, const ControlState& c) {
    const DWORD state = (c.visible ? WS_VISIBLE : 0) | (c.enabled ? 0 : WS_DISABLED);
    const form::PixelRect r = onWindow(p);
    switch (c.kind) {
    case ControlKind::Label:
        maker.make(WC_STATICW, wideFrom(c.caption), state | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, r);
        break;
    case ControlKind::Edit:
        maker.make(WC_EDITW, wideFrom(c.text), state | WS_TABSTOP | ES_AUTOHSCROLL,
                   WS_EX_CLIENTEDGE, r);
        break;
    case ControlKind::CheckBox:
        SendMessageW(
            maker.make(WC_BUTTONW, wideFrom(c.caption), state | WS_TABSTOP | BS_AUTOCHECKBOX, 0, r),
            BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlKind::DropDown: {
        HWND box =
            maker.make(WC_COMBOBOXW, wideFrom(c.text),
                       state | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, r);
        for (const std::string& item : c.items)
            SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFrom(item).c_str()));
        SetWindowTextW(box, wideFrom(c.text).c_str());
        break;
    }
    case ControlKind::Button:
        maker.make(WC_BUTTONW, wideFrom(c.caption), state | WS_TABSTOP | BS_PUSHBUTTON, 0, r);
        break;
    case ControlKind::Slider: {
        HWND slider = maker.make(TRACKBAR_CLASSW, L"",
                                 state | WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS, 0, r);
        SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(c.minimum, c.maximum));
        SendMessageW(slider, TBM_SETPOS, TRUE, c.position);
        break;
    }
    case ControlKind::RadioGroup: {
        maker.make(WC_BUTTONW, wideFrom(c.caption), state | BS_GROUPBOX, WS_EX_TRANSPARENT, r);
        const auto buttons = form::radioButtonRects(r.width, r.height, int(c.items.size()));
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const form::PixelRect b{r.left + buttons[i].left, r.top + buttons[i].top,
                                    buttons[i].width, buttons[i].height};
            // Each group of buttons on its own: checking one unchecks the others in its group.
            const DWORD group = i ? 0 : WS_GROUP;
            SendMessageW(maker.make(WC_BUTTONW, wideFrom(c.items[i]),
                                    state | group | BS_AUTORADIOBUTTON, 0, b),
                         BM_SETCHECK, int(i) == c.itemIndex ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        break;
    }
    case ControlKind::GroupBox: // above its controls: the window's face shows through
        maker.make(WC_BUTTONW, wideFrom(c.caption), state | BS_GROUPBOX, WS_EX_TRANSPARENT, r);
        break;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW type{};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = instance;
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = L"Floor";
    RegisterClassW(&type);

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const double scale = double(dpi) / form::kDesignDpi;
    const DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_THICKFRAME;
    const form::PixelRect client = form::clientAtStart(scale);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_CONTROLPARENT);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, L"Floor", wideFrom(form::kCaption).c_str(),
                                  style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    const Maker maker{window, instance,
                      CreateFontW(-MulDiv(form::kFontPointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE,
                                  FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  wideFrom(form::kFontFamily).c_str()),
                      scale};
    const std::vector<ControlState> states = quendra::initialControls();
    for (const form::Placement& p : form::placements())
        for (const ControlState& c : states)
            if (c.name == p.name)
                makeControl(maker, p, c);
    for (const form::CreditLine& c : form::creditLines())
        maker.make(WC_STATICW, wideFrom(c.text), WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, c.rect);

    showAndEnd(window, showCommand);
}
