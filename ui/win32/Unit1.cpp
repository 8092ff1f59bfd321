#include "Unit1.h"

#include "ControlIds.h"
#include "ControlStyle.h"
#include "ControlWindow.h"
#include "FileChoosers.h"
#include "Pictures.h"
#include "Roles.h"
#include "Utf16.h"
#include "WindowFrame.h"

#include <commctrl.h>

#include <utility>

using quendra::ControlKind;
using quendra::ControlName;
using quendra::ControlState;
using quendra::Field;
namespace form = quendra::form;
namespace win32 = quendra::win32;

namespace {

HICON mainIcon(HINSTANCE instance, int metric) {
    const int size = GetSystemMetrics(metric);
    return static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, size, size, 0));
}

} // namespace

TForm1::TForm1(quendra::EncoderLauncher& launcher, HINSTANCE instance)
    : instance_(instance), actions_(model_, launcher), walk_(model_, actions_, *this),
      layout_(std::make_unique<win32::DensityLayout>(win32::DensityLayout::screenDpi())) {
    WNDCLASSEXW frame{};
    frame.hInstance = instance;
    frame.hIcon = mainIcon(instance, SM_CXICON);
    frame.hIconSm = mainIcon(instance, SM_CXSMICON);
    frame.lpszClassName = L"TForm1";
    create(frame, win32::DensityLayout::kFrameExtendedStyle,
           quendra::wideFrom(form::kCaption).c_str(), win32::DensityLayout::frameStyle(),
           layout_->outerSize(), nullptr);
    pane_ = std::make_unique<win32::ScrolledPane>(
        window(), instance,
        [this](HWND control, UINT message, WORD code) { notified(control, message, code); });
    SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}})
        SendMessageW(window(), WM_SETICON, which,
                     reinterpret_cast<LPARAM>(mainIcon(instance, metric)));
    pane_->resize(layout_->extent(), layout_->scale());
    walk_.make(layout_->scale());
    hints_ = std::make_unique<win32::HoverHints>(
        window(), model_, [this](POINT screen) { return controlAt(screen); });
    hints_->setFont(layout_->font());
    RECT outer{};
    GetWindowRect(window(), &outer);
    placeOnWorkArea({outer.left, outer.top});
    pane_->fit();
}

TForm1::~TForm1() {
    hints_.reset();
    if (window())
        DestroyWindow(window());
    for (const auto& [name, picture] : pictures_)
        DeleteObject(picture.second);
}

void TForm1::show(int showCommand) {
    ShowWindow(window(), showCommand);
    UpdateWindow(window());
    lastFocus_ = windowOf({form::initialFocus(model_)});
    SetFocus(lastFocus_);
}

bool TForm1::preTranslate(MSG& message) {
    if (hints_)
        hints_->observe(message);
    return IsDialogMessageW(window(), &message) != FALSE;
}

// --- the frame ------------------------------------------------------------------------------

LRESULT TForm1::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!pane_) // the frame itself is being made: no content yet to lay out or scroll
        return Window::dispatch(message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        pane_->fit();
        return 0;
    case WM_DPICHANGED:
        densityChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        pane_->scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        pane_->wheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_TIMER:
        if (hints_ && hints_->timer(wParam))
            return 0;
        break;
    case WM_COMMAND:
        return 0; // Enter and Escape arrive as IDOK and IDCANCEL: the window has no default button
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (lastFocus_ && IsWindow(lastFocus_))
                SetFocus(lastFocus_);
            return 0;
        }
        if (hints_)
            hints_->hide();
        if (HWND focus = GetFocus(); focus && IsChild(window(), focus))
            lastFocus_ = focus;
        break;
    case WM_CLOSE:
        DestroyWindow(window());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Window::dispatch(message, wParam, lParam);
}

// A screen of another density: the font, every place and size and the outer size follow it, the
// window where Windows suggests, its outer size as at a start there. Only fonts and places change,
// so every control keeps its text, caret, selection and state, and the focus stays where it is.
void TForm1::densityChanged(int dpi, const RECT& suggested) {
    const auto old = std::exchange(layout_, std::make_unique<win32::DensityLayout>(dpi));
    SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    pane_->resize(layout_->extent(), layout_->scale());
    walk_.place(layout_->scale());
    hints_->setFont(layout_->font());
    placeOnWorkArea({suggested.left, suggested.top});
    pane_->fit();
    RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The window with its outer size at this density from `at` (where Windows put it or suggests
// it), wholly on the work area of the monitor it is on there: smaller and moved where it must,
// the scroll bars showing the rest (form::placeOnScreen).
void TForm1::placeOnWorkArea(POINT at) {
    const form::FrameExtents frame = layout_->frame();
    const form::PixelRect client = form::clientAtStart(layout_->scale());
    const form::PixelRect wanted{at.x + frame.left, at.y + frame.top, client.width, client.height};
    const RECT outer{at.x, at.y, at.x + frame.left + client.width + frame.right,
                     at.y + frame.top + client.height + frame.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const form::PixelRect placed =
        form::placeOnScreen(wanted, frame,
                            {work.left, work.top, work.right - work.left, work.bottom - work.top})
            .outer;
    RECT now{};
    GetWindowRect(window(), &now);
    if (now.left != placed.left || now.top != placed.top || now.right - now.left != placed.width ||
        now.bottom - now.top != placed.height)
        SetWindowPos(window(), nullptr, placed.left, placed.top, placed.width, placed.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

ControlName TForm1::controlAt(POINT screen) const {
    const auto found = parts_.find(pane_->childAt(screen));
    return found == parts_.end() ? ControlName() : found->second.control;
}

// --- the controls' notifications ------------------------------------------------------------

void TForm1::notified(HWND control, UINT message, WORD code) {
    const auto found = parts_.find(control);
    if (found == parts_.end())
        return;
    const Part part = found->second;
    if (message == WM_HSCROLL) {
        walk_.moved(part.control);
        return;
    }
    switch (model_.control(part.control).kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioGroup:
    case ControlKind::Button:
        if (code == BN_CLICKED)
            walk_.clicked(part);
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE)
            walk_.edited(part.control);
        break;
    case ControlKind::DropDown:
        dropDownNotified(control, part.control, code);
        break;
    default:
        break;
    }
}

void TForm1::dropDownNotified(HWND comboBox, ControlName name, WORD code) {
    if (code == CBN_EDITCHANGE) // Delete, paste, cut: an edit other than typing
        walk_.edited(name);
    else if (code == CBN_SELCHANGE)
        walk_.picked(name, static_cast<int>(SendMessageW(comboBox, CB_GETCURSEL, 0, 0)));
    else if (code == CBN_CLOSEUP) // closing the list may write its selection into the line
        walk_.mirror(std::string(name), Field::Text);
}

// --- making and placing ---------------------------------------------------------------------

HWND TForm1::makeWindow(const wchar_t* className, const std::wstring& text, DWORD style,
                        DWORD extended, const form::PixelRect& r, int id) {
    return CreateWindowExW(extended, className, text.c_str(), style, r.left, r.top, r.width,
                           r.height, pane_->window(), reinterpret_cast<HMENU>(INT_PTR(id)),
                           instance_, nullptr);
}

// Each made at its place and given the font then: a drop-down takes its height from its font.
void TForm1::make(const form::Making& m) {
    const ControlState& c = m.control;
    const win32::ControlWindow kind = win32::controlWindow(c);
    // An edit field or drop-down is made with its text, the rest with their caption.
    const bool holdsText = c.kind == ControlKind::Edit || c.kind == ControlKind::DropDown;
    HWND made =
        makeWindow(kind.className, quendra::wideFrom(holdsText ? c.text : c.caption), kind.style,
                   kind.extended, m.placing({c.name}).inWindow, win32::controlId(model_, c.name));
    applyFont(made, c.kind);
    windows_.emplace(c.name, made);
    parts_.emplace(made, Part{c.name});
    switch (c.kind) {
    case ControlKind::Edit:
        SendMessageW(made, EM_SETLIMITTEXT, 0, 0); // as long as the person wants
        break;
    case ControlKind::DropDown:
        for (const std::string& item : c.items)
            SendMessageW(made, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(quendra::wideFrom(item).c_str()));
        SendMessageW(made, CB_SETMINVISIBLE, form::kDropDownVisibleEntries, 0);
        SendMessageW(made, CB_LIMITTEXT, 0, 0);
        dropDowns_.emplace(c.name, std::make_unique<win32::DropDownInput>(made, c.name, walk_));
        break;
    case ControlKind::Slider:
        SendMessageW(made, TBM_SETRANGE, FALSE, MAKELPARAM(c.minimum, c.maximum));
        SendMessageW(made, TBM_SETTICFREQ, form::kSliderTickInterval, 0);
        SendMessageW(made, TBM_SETLINESIZE, 0, form::kSliderLineStep);
        SendMessageW(made, TBM_SETPAGESIZE, 0, form::kSliderPageStep);
        break;
    case ControlKind::RadioGroup:
        makeRadioButtons(c, m.placing);
        [[fallthrough]];
    case ControlKind::GroupBox:
        win32::drawAroundControls(made);
        break;
    default:
        break;
    }
    if (m.takesDrops)
        dropTargets_.push_back(std::make_unique<win32::FileDropTarget>(
            made, [this, field = c.name](const std::vector<std::string>& files) {
                walk_.dropped(field, files);
            }));
    if (m.accessible)
        accessibility_.describe(made, c.name, m.accessible->name, m.accessible->description);
}

void TForm1::makeRadioButtons(const ControlState& group, const form::Placing& placing) {
    std::vector<HWND>& buttons = radioButtons_[group.name];
    for (int i = 0; i < int(group.items.size()); ++i) {
        // The first button opens the group: the arrow keys move within it, Tab enters and leaves.
        const DWORD style = win32::stateStyle(group) | BS_AUTORADIOBUTTON | (i ? 0 : WS_GROUP);
        buttons.push_back(makeWindow(WC_BUTTONW, quendra::wideFrom(group.items[std::size_t(i)]),
                                     style, 0, placing({group.name, i}).inWindow,
                                     win32::radioButtonId(model_, group.name, i)));
        applyFont(buttons.back(), group.kind);
        parts_.emplace(buttons.back(), Part{group.name, i});
    }
}

void TForm1::makePicture(const form::PicturePlacement& p, const form::Placing& placing) {
    const form::PixelRect r = placing({p.name}).inWindow;
    HWND made = makeWindow(WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, 0,
                           r, win32::kFirstDecorationId + decorations_++);
    windows_.emplace(p.name, made);
    showPicture(made, pictures_[std::string(p.name)] = {p.picture, nullptr});
    // The control keeps its place: the picture is centred in it.
    MoveWindow(made, r.left, r.top, r.width, r.height, FALSE);
}

void TForm1::makeCreditLine(const form::CreditLine& line, const form::Placing& placing) {
    HWND made = makeWindow(
        WC_STATICW, quendra::wideFrom(line.text), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
        placing({line.name}).inWindow, win32::kFirstDecorationId + decorations_++);
    applyFont(made, ControlKind::Label);
    windows_.emplace(line.name, made);
}

// The picture at the layout's scale, where it can be loaded.
void TForm1::showPicture(HWND window, std::pair<form::Picture, HBITMAP>& picture) {
    if (HBITMAP bitmap = win32::loadPicture(instance_, picture.first, layout_->scale())) {
        SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        DeleteObject(std::exchange(picture.second, bitmap));
    }
}

int TForm1::captionRoom(const Part&, ControlKind kind, const std::string& caption) {
    return layout_->captionRoom(kind, caption);
}

// Placed first, then given the font, as when it was made.
void TForm1::place(const Part& part, const form::ControlPlace& place) {
    HWND w = windowOf(part);
    const auto picture = pictures_.find(part.control);
    if (picture != pictures_.end())
        showPicture(w, picture->second);
    const form::PixelRect& r = place.inWindow;
    SetWindowPos(w, nullptr, r.left, r.top, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (picture == pictures_.end())
        applyFont(w, model_.has(part.control) ? model_.control(part.control).kind
                                              : ControlKind::Label);
}

// The window's font with what depends on its size: the narrow fields of the table ("8.8717" in
// 41 pixels) were drawn with slim margins, and a slider's thumb grows with the layout.
void TForm1::applyFont(HWND w, ControlKind kind) const {
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    if (kind == ControlKind::Edit || kind == ControlKind::DropDown)
        SendMessageW(kind == ControlKind::Edit ? w : win32::DropDownInput::editOf(w), EM_SETMARGINS,
                     EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    if (kind == ControlKind::Slider)
        SendMessageW(w, TBM_SETTHUMBLENGTH,
                     form::scaled(form::kSliderThumbLength, layout_->scale()), 0);
}

// --- showing --------------------------------------------------------------------------------

HWND TForm1::windowOf(const Part& part) const {
    if (part.button != Part::kWhole)
        return radioButtons_.find(part.control)->second.at(std::size_t(part.button));
    return windows_.find(part.control)->second;
}

bool TForm1::flag(const Part& part, Flag flag) const {
    HWND w = windowOf(part);
    switch (flag) {
    case Flag::Visible:
        return GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE;
    case Flag::Enabled:
        return IsWindowEnabled(w);
    case Flag::Checked:
        break;
    }
    return SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm1::setFlag(const Part& part, Flag flag, bool on) {
    if (flag == Flag::Checked) {
        SendMessageW(windowOf(part), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    // A radio group's buttons are windows of their own beside it.
    std::vector<HWND> windows{windowOf(part)};
    if (const auto buttons = radioButtons_.find(part.control);
        part.button == Part::kWhole && buttons != radioButtons_.end())
        windows.insert(windows.end(), buttons->second.begin(), buttons->second.end());
    for (HWND w : windows)
        flag == Flag::Visible ? ShowWindow(w, on ? SW_SHOWNA : SW_HIDE) : EnableWindow(w, on);
}

void TForm1::setTabStop(const Part& button, bool on) {
    HWND w = windowOf(button);
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    if (const LONG wanted = on ? style | WS_TABSTOP : style & ~LONG(WS_TABSTOP); wanted != style)
        SetWindowLongW(w, GWL_STYLE, wanted);
}

std::string TForm1::text(ControlName field) const {
    return quendra::utf8From(win32::DropDownInput::textOf(windowOf({field})));
}

void TForm1::setText(ControlName field, const std::string& text) {
    SetWindowTextW(windowOf({field}), quendra::wideFrom(text).c_str());
}

quendra::DropDownView& TForm1::dropDown(ControlName dropDown) {
    return dropDowns_.find(dropDown)->second->view();
}

int TForm1::position(ControlName slider) const {
    return static_cast<int>(SendMessageW(windowOf({slider}), TBM_GETPOS, 0, 0));
}

void TForm1::setPosition(ControlName slider, int position) {
    SendMessageW(windowOf({slider}), TBM_SETPOS, TRUE, position);
}

// --- the person's choices -------------------------------------------------------------------

std::string TForm1::chooseFile(const form::ChooserSettings& settings) {
    return win32::chooseFile(window(), settings);
}

void TForm1::tellStartFailed(const std::string& text) {
    MessageBoxW(window(), quendra::wideFrom(text).c_str(),
                quendra::wideFrom(form::kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
}
