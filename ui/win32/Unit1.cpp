#include "Unit1.h"

#include "CaptionPlace.h"
#include "ChooserSettings.h"
#include "ControlIds.h"
#include "ControlStyle.h"
#include "FileChoosers.h"
#include "LayoutScale.h"
#include "Pictures.h"
#include "Placements.h"
#include "Roles.h"
#include "Utf16.h"
#include "WindowFrame.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

using quendra::ControlKind;
using quendra::ControlName;
using quendra::ControlState;
using quendra::Field;
namespace control = quendra::control;
namespace form = quendra::form;
namespace win32 = quendra::win32;

namespace {

// Model writes made while mirroring reach the controls as notifications; they are no input.
class Mirroring {
public:
    explicit Mirroring(int& depth) : depth_(depth) { ++depth_; }
    ~Mirroring() { --depth_; }
    Mirroring(const Mirroring&) = delete;
    Mirroring& operator=(const Mirroring&) = delete;

private:
    int& depth_;
};

RECT toRect(const form::PixelRect& r) {
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

bool checkedIn(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HICON mainIcon(HINSTANCE instance, int metric) {
    const int size = GetSystemMetrics(metric);
    return static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, size, size, 0));
}

// Made in the state the model gives, shown and enabled or not: showing or enabling each control
// afterwards would cost the window manager a redraw of its neighbours each time.
DWORD initialStyle(const ControlState& state) {
    return WS_CHILD | WS_CLIPSIBLINGS | (state.visible ? WS_VISIBLE : 0) |
           (state.enabled ? 0 : WS_DISABLED);
}

// A group frame lies above the controls it holds (before them for assistive technology) but is
// transparent: the window's face under it shows through, and it draws its line and caption
// around the controls, never over them.
LRESULT CALLBACK groupFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT || wParam)
        return DefSubclassProc(frame, message, wParam, lParam);
    PAINTSTRUCT paint;
    BeginPaint(frame, &paint);
    RECT area{};
    GetWindowRect(frame, &area);
    for (HWND below = GetWindow(frame, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
        RECT r{};
        if (IsWindowVisible(below) && GetWindowRect(below, &r) && IntersectRect(&r, &r, &area))
            ExcludeClipRect(paint.hdc, r.left - area.left, r.top - area.top, r.right - area.left,
                            r.bottom - area.top);
    }
    DefSubclassProc(frame, WM_PAINT, reinterpret_cast<WPARAM>(paint.hdc), 0);
    EndPaint(frame, &paint);
    return 0;
}

} // namespace

TForm1::TForm1(quendra::EncoderLauncher& launcher, HINSTANCE instance)
    : instance_(instance), actions_(model_, launcher),
      layout_(std::make_unique<win32::DensityLayout>(win32::DensityLayout::screenDpi())) {
    createFrame();
    createControls();
    createDecorations();
    mirrorAll();
    attachInput();
    listener_ =
        model_.subscribe([this](const std::string& name, Field field) { mirror(name, field); });
    hints_ = std::make_unique<win32::HoverHints>(
        window(), model_, [this](POINT screen) { return controlAt(screen); });
    hints_->setFont(layout_->font());
    pane_->fit();
}

TForm1::~TForm1() {
    model_.unsubscribe(listener_);
    hints_.reset();
    if (window())
        DestroyWindow(window());
    for (HBITMAP picture : pictures_)
        DeleteObject(picture);
}

void TForm1::createFrame() {
    WNDCLASSEXW frame{};
    frame.hInstance = instance_;
    frame.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.hIcon = mainIcon(instance_, SM_CXICON);
    frame.hIconSm = mainIcon(instance_, SM_CXSMICON);
    frame.lpszClassName = L"TForm1";
    create(frame, win32::DensityLayout::kFrameExtendedStyle,
           quendra::wideFrom(form::kCaption).c_str(), win32::DensityLayout::frameStyle(),
           layout_->outerSize(), nullptr);
    pane_ = std::make_unique<win32::ScrolledPane>(
        window(), instance_,
        [this](HWND control, UINT message, WORD code) { notified(control, message, code); });
    SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}})
        SendMessageW(window(), WM_SETICON, which,
                     reinterpret_cast<LPARAM>(mainIcon(instance_, metric)));
    pane_->resize(layout_->extent(), form::scaled(16, layout_->scale()));
}

// A place in a parent's pixels as a place in the client area, where every control is a child.
RECT TForm1::inClient(ControlName parent, form::PixelRect rect) const {
    if (parent != control::Form1) {
        const form::Placement* p = form::placementOf(parent);
        const RECT origin = inClient(p->parent, form::scaled(p->rect, layout_->scale()));
        rect.left += origin.left;
        rect.top += origin.top;
    }
    return toRect(rect);
}

// The controls are made in the description's stacking order, the first on top: Windows' tab walk
// follows it, and Windows' accessibility names a field by the static text just before it.
void TForm1::createControls() {
    for (ControlName name : form::stackingOrder(model_)) {
        const ControlState& state = model_.control(name);
        createControl(state);
        if (state.kind == ControlKind::RadioGroup)
            createRadioButtons(state);
    }
}

HWND TForm1::createControl(const ControlState& state) {
    const wchar_t* className = WC_BUTTONW;
    DWORD style = initialStyle(state);
    DWORD extended = 0;
    // An edit field or drop-down is made with its text, the rest with their caption.
    const std::wstring caption = quendra::wideFrom(
        state.kind == ControlKind::Edit || state.kind == ControlKind::DropDown ? state.text
                                                                               : state.caption);
    switch (state.kind) {
    case ControlKind::Label:
        className = WC_STATICW;
        style |= WS_GROUP | SS_LEFTNOWORDWRAP | SS_NOPREFIX; // ends the arrow keys' group before it
        break;
    case ControlKind::Edit:
        className = WC_EDITW;
        style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
        extended = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::CheckBox:
        style |= WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
        break;
    case ControlKind::DropDown:
        className = WC_COMBOBOXW;
        style |= WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        break;
    case ControlKind::Button:
        style |= WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
        break;
    case ControlKind::Slider:
        className = TRACKBAR_CLASSW;
        style |= WS_TABSTOP | WS_GROUP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_FIXEDLENGTH;
        break;
    case ControlKind::RadioGroup:
    case ControlKind::GroupBox:
        style |= WS_GROUP | BS_GROUPBOX;
        extended = WS_EX_TRANSPARENT;
        break;
    }
    const RECT place = rectOf(state);
    HWND handle = CreateWindowExW(
        extended, className, caption.c_str(), style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, pane_->window(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::controlId(model_, state.name))),
        instance_, nullptr);
    applyFont(handle, state);
    controls_.emplace(state.name, handle);
    names_.emplace(handle, state.name);

    if (state.kind == ControlKind::Edit)
        SendMessageW(handle, EM_SETLIMITTEXT, 0, 0); // as long as the person wants
    if (state.kind == ControlKind::GroupBox || state.kind == ControlKind::RadioGroup)
        SetWindowSubclass(handle, groupFrameProc, 1, 0);
    if (state.kind == ControlKind::DropDown) {
        for (const std::string& item : state.items)
            SendMessageW(handle, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(quendra::wideFrom(item).c_str()));
        SendMessageW(handle, CB_SETMINVISIBLE, form::kDropDownVisibleEntries, 0);
        SendMessageW(handle, CB_LIMITTEXT, 0, 0);
    }
    if (state.kind == ControlKind::Slider) {
        SendMessageW(handle, TBM_SETRANGE, FALSE, MAKELPARAM(state.minimum, state.maximum));
        SendMessageW(handle, TBM_SETTICFREQ, form::kSliderTickInterval, 0);
        SendMessageW(handle, TBM_SETLINESIZE, 0, form::kSliderLineStep);
        SendMessageW(handle, TBM_SETPAGESIZE, 0, form::kSliderPageStep);
    }
    return handle;
}

// Where a control sits at the current scale, its caption measured in the window's font.
RECT TForm1::rectOf(const ControlState& state) const {
    const int room =
        form::growsWithCaption(state.kind) ? layout_->captionRoom(state.kind, state.caption) : 0;
    return inClient(form::placementOf(state.name)->parent,
                    form::captionPlace(model_, state.name, layout_->scale(), room));
}

RECT TForm1::radioButtonRect(const ControlState& group, std::size_t index) const {
    const int room = layout_->captionRoom(ControlKind::RadioGroup, group.items.at(index));
    return inClient(group.name,
                    form::radioButtonPlace(model_, group.name, index, layout_->scale(), room));
}

RECT TForm1::creditRect(const form::CreditLine& line) const {
    return toRect(form::creditPlace(line, layout_->scale(),
                                    layout_->captionRoom(ControlKind::Label, line.text)));
}

// The window's font with what depends on its size: the narrow fields of the table ("8.8717" in
// 41 pixels) were drawn with slim margins, and a slider's thumb grows with the layout.
void TForm1::applyFont(HWND handle, const ControlState& state) const {
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    if (state.kind == ControlKind::Edit || state.kind == ControlKind::DropDown)
        SendMessageW(state.kind == ControlKind::Edit ? handle
                                                     : win32::DropDownInput::editOf(handle),
                     EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    if (state.kind == ControlKind::Slider)
        SendMessageW(handle, TBM_SETTHUMBLENGTH,
                     form::scaled(form::kSliderThumbLength, layout_->scale()), 0);
}

void TForm1::createRadioButtons(const ControlState& state) {
    std::vector<HWND>& buttons = radioButtons_[state.name];
    for (std::size_t i = 0; i < state.items.size(); ++i) {
        const RECT r = radioButtonRect(state, i);
        // The first button opens the group: the arrow keys move within it, Tab enters and leaves.
        const DWORD style = initialStyle(state) | BS_AUTORADIOBUTTON | (i ? 0 : WS_GROUP);
        HWND button =
            CreateWindowExW(0, WC_BUTTONW, quendra::wideFrom(state.items[i]).c_str(), style, r.left,
                            r.top, r.right - r.left, r.bottom - r.top, pane_->window(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(
                                win32::radioButtonId(model_, state.name, static_cast<int>(i)))),
                            instance_, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
        buttons.push_back(button);
        names_.emplace(button, state.name);
    }
}

void TForm1::createDecorations() {
    int id = win32::kFirstDecorationId;
    for (const form::PicturePlacement& p : form::pictures()) {
        const RECT r = toRect(form::scaled(p.rect, layout_->scale()));
        HWND picture =
            CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, pane_->window(),
                            reinterpret_cast<HMENU>(INT_PTR(id++)), instance_, nullptr);
        if (HBITMAP bitmap = win32::loadPicture(instance_, p.picture, layout_->scale())) {
            pictures_.push_back(bitmap);
            SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
            // The control keeps its place: the picture is centred in it.
            MoveWindow(picture, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        }
    }
    for (const form::CreditLine& c : form::creditLines()) {
        const RECT r = creditRect(c);
        HWND line = CreateWindowExW(0, WC_STATICW, quendra::wideFrom(c.text).c_str(),
                                    WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, pane_->window(),
                                    reinterpret_cast<HMENU>(INT_PTR(id++)), instance_, nullptr);
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    }
}

void TForm1::attachInput() {
    for (const ControlState& c : model_.controls()) {
        HWND handle = controls_.at(c.name);
        if (c.kind == ControlKind::DropDown)
            dropDowns_.push_back(
                std::make_unique<win32::DropDownInput>(handle, c.name, actions_.input()));
        if (form::takesDroppedFiles(c.name))
            dropTargets_.push_back(std::make_unique<win32::FileDropTarget>(
                handle, [this, name = c.name](const std::vector<std::string>& files) {
                    // Only one file names a path; a drop of several is refused.
                    if (files.size() == 1)
                        actions_.fileChosen(name, files.front());
                }));
        const std::string name = form::accessibleName(model_, c.name);
        const std::string description = form::accessibleDescription(model_, c.name);
        if (!name.empty() || !description.empty())
            accessibility_.describe(handle, c.name, name, description);
    }
}

void TForm1::show(int showCommand) {
    ShowWindow(window(), showCommand);
    UpdateWindow(window());
    lastFocus_ = controls_.at(std::string(form::initialFocus(model_)));
    SetFocus(lastFocus_);
}

bool TForm1::preTranslate(MSG& message) {
    if (hints_)
        hints_->observe(message);
    return IsDialogMessageW(window(), &message) != FALSE;
}

// A screen of another density: the font, every place and size and the outer size follow it, the
// window where Windows suggests, its outer size as at a start there. Only fonts and places change,
// so every control keeps its text, caret, selection and state, and the focus stays where it is.
void TForm1::densityChanged(int dpi, const RECT& suggested) {
    const auto old = std::exchange(layout_, std::make_unique<win32::DensityLayout>(dpi));
    SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    pane_->resize(layout_->extent(), form::scaled(16, layout_->scale()));
    const auto place = [](HWND w, const RECT& r) {
        SetWindowPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    };
    for (const ControlState& c : model_.controls()) {
        // Placed first, then given the font, as when it was made: a drop-down takes its height
        // from its font.
        place(controls_.at(c.name), rectOf(c));
        applyFont(controls_.at(c.name), c);
        if (const auto buttons = radioButtons_.find(c.name); buttons != radioButtons_.end())
            for (std::size_t i = 0; i < buttons->second.size(); ++i) {
                place(buttons->second[i], radioButtonRect(c, i));
                applyFont(buttons->second[i], c);
            }
    }
    int id = win32::kFirstDecorationId;
    std::vector<HBITMAP> shown;
    for (const form::PicturePlacement& p : form::pictures()) {
        HWND picture = GetDlgItem(pane_->window(), id++);
        if (HBITMAP bitmap = win32::loadPicture(instance_, p.picture, layout_->scale())) {
            shown.push_back(bitmap);
            SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        }
        place(picture, toRect(form::scaled(p.rect, layout_->scale())));
    }
    for (HBITMAP picture : pictures_)
        DeleteObject(picture);
    pictures_ = shown;
    for (const form::CreditLine& c : form::creditLines()) {
        HWND line = GetDlgItem(pane_->window(), id++);
        place(line, creditRect(c));
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(layout_->font()), FALSE);
    }
    hints_->setFont(layout_->font());
    const SIZE outer = layout_->outerSize();
    SetWindowPos(window(), nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    pane_->fit();
    RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// --- model to window ------------------------------------------------------------------------

void TForm1::mirrorAll() {
    model_.tellAll([this](const std::string& name, Field field) { mirror(name, field); });
}

void TForm1::mirror(const std::string& name, Field field) {
    const auto found = controls_.find(name);
    if (found == controls_.end())
        return;
    HWND handle = found->second;
    const ControlState& state = model_.control(name);
    const Mirroring quiet(mirroring_);
    std::vector<HWND> windows{handle};
    if (const auto buttons = radioButtons_.find(name); buttons != radioButtons_.end())
        windows.insert(windows.end(), buttons->second.begin(), buttons->second.end());
    switch (field) {
    case Field::Visible:
        for (HWND w : windows)
            if (bool(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) != state.visible)
                ShowWindow(w, state.visible ? SW_SHOWNA : SW_HIDE);
        break;
    case Field::Enabled:
        for (HWND w : windows)
            if (bool(IsWindowEnabled(w)) != state.enabled)
                EnableWindow(w, state.enabled);
        break;
    case Field::Text:
    case Field::CurrentEntry:
        if (state.kind == ControlKind::DropDown) {
            win32::ComboBoxView(handle).mirror(state);
        } else if (state.kind == ControlKind::Edit) {
            const std::wstring text = quendra::wideFrom(state.text);
            if (win32::DropDownInput::textOf(handle) != text)
                SetWindowTextW(handle, text.c_str());
        }
        break;
    case Field::Checked:
        if (state.kind == ControlKind::CheckBox && checkedIn(handle) != state.checked)
            SendMessageW(handle, BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case Field::ItemIndex:
        if (const auto buttons = radioButtons_.find(name); buttons != radioButtons_.end()) {
            for (std::size_t i = 0; i < buttons->second.size(); ++i) {
                HWND button = buttons->second[i];
                const bool selected = static_cast<int>(i) == state.itemIndex;
                if (checkedIn(button) != selected)
                    SendMessageW(button, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
                // Tab enters a radio group at its selected button.
                const LONG style = GetWindowLongW(button, GWL_STYLE);
                const LONG wanted = selected ? style | WS_TABSTOP : style & ~LONG(WS_TABSTOP);
                if (wanted != style)
                    SetWindowLongW(button, GWL_STYLE, wanted);
            }
        }
        break;
    case Field::Position:
        if (state.kind == ControlKind::Slider &&
            SendMessageW(handle, TBM_GETPOS, 0, 0) != state.position)
            SendMessageW(handle, TBM_SETPOS, TRUE, state.position);
        break;
    }
}

// --- window to model ------------------------------------------------------------------------

ControlName TForm1::nameOf(HWND handle) const {
    const auto found = names_.find(handle);
    return found == names_.end() ? ControlName() : ControlName(found->second);
}

void TForm1::notified(HWND control, UINT message, WORD code) {
    if (message == WM_HSCROLL)
        sliderMoved(control);
    else
        command(control, code);
}

void TForm1::command(HWND handle, WORD code) {
    const ControlName name = nameOf(handle);
    if (name.empty() || mirroring_)
        return;
    const ControlState& state = model_.control(name);
    quendra::EventWiring& input = actions_.input();
    switch (state.kind) {
    case ControlKind::CheckBox:
        if (code == BN_CLICKED)
            input.checkedChanged(name, SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED);
        break;
    case ControlKind::RadioGroup: {
        const std::vector<HWND>& buttons = radioButtons_.find(name)->second;
        const auto button = std::find(buttons.begin(), buttons.end(), handle);
        if (code == BN_CLICKED && button != buttons.end())
            input.itemIndexChanged(name, static_cast<int>(button - buttons.begin()));
        mirror(std::string(name), Field::ItemIndex); // the click checked the button itself
        break;
    }
    case ControlKind::Button:
        if (code != BN_CLICKED)
            break;
        if (const form::ButtonRole role = form::buttonRole(name);
            role.action == form::ButtonAction::StartEncoding)
            Button1Click();
        else if (role.action == form::ButtonAction::ChooseFile)
            chooseFile(role.chooser);
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE) {
            const std::string text = quendra::utf8From(win32::DropDownInput::textOf(handle));
            if (text != state.text)
                input.textChanged(name, text);
        }
        break;
    case ControlKind::DropDown:
        if (code == CBN_EDITCHANGE) { // Delete, paste, cut: an edit other than typing
            const std::string text = win32::ComboBoxView(handle).text();
            if (text != state.text)
                input.textChanged(name, text);
        } else if (code == CBN_SELCHANGE) {
            const auto index = static_cast<int>(SendMessageW(handle, CB_GETCURSEL, 0, 0));
            if (index >= 0)
                win32::ComboBoxView(handle).show(input.entryPicked(name, index));
        } else if (code == CBN_CLOSEUP) {
            // Closing the list may write the list's selection into the line; the model wins.
            mirror(std::string(name), Field::Text);
        }
        break;
    case ControlKind::Label:
    case ControlKind::Slider:
    case ControlKind::GroupBox:
        break;
    }
}

void TForm1::sliderMoved(HWND slider) {
    const ControlName name = nameOf(slider);
    if (!name.empty() && !mirroring_)
        actions_.input().positionChanged(name,
                                         static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)));
}

void TForm1::Button1Click() {
    const quendra::StartOutcome outcome = actions_.startEncoding();
    if (!outcome.started)
        MessageBoxW(window(), quendra::wideFrom(outcome.failureText).c_str(),
                    quendra::wideFrom(form::kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void TForm1::chooseFile(form::Chooser chooser) {
    const form::ChooserSettings& settings = form::chooserSettings(chooser);
    const std::string path = win32::chooseFile(window(), settings);
    if (!path.empty())
        actions_.chooserConfirmed(settings.field, path);
}

// --- the frame: scrolling, hints, closing ---------------------------------------------------

ControlName TForm1::controlAt(POINT screen) const {
    return nameOf(pane_->childAt(screen));
}

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
