#include "Unit1.h"

#include "AccessibleControl.h"
#include "CaptionPlace.h"
#include "ChooserSettings.h"
#include "ControlIds.h"
#include "ControlStyle.h"
#include "DesignFont.h"
#include "FileChoosers.h"
#include "LateBound.h"
#include "LayoutScale.h"
#include "Pictures.h"
#include "Placements.h"
#include "Roles.h"
#include "TextMeasure.h"
#include "Utf16.h"
#include "WindowFrame.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>

using quendra::ControlKind;
using quendra::ControlName;
using quendra::ControlState;
using quendra::Field;
namespace control = quendra::control;
namespace form = quendra::form;
namespace win32 = quendra::win32;

namespace {

constexpr wchar_t kWindowClass[] = L"TForm1";
constexpr wchar_t kClientClass[] = L"TForm1Client";
constexpr int kWheelLines = 3;

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

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : form::kDesignDpi;
}

HFONT windowFont(int dpi) {
    return CreateFontW(-MulDiv(form::kFontPointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       quendra::wideFrom(form::kFontFamily).c_str());
}

constexpr DWORD kFrameExtendedStyle = WS_EX_CONTROLPARENT;

DWORD frameStyle() {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (form::kMinimizable ? WS_MINIMIZEBOX : 0) | (form::kResizable ? WS_THICKFRAME : 0) |
           (form::kMaximizable ? WS_MAXIMIZEBOX : 0);
}

// The window's outer size: the client area it opens with and the frame Windows draws around it
// at that density (Windows 10 from 1607; before, the system's frame).
SIZE outerSize(int dpi, double scale) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        win32::lateBound<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    const form::PixelRect client = form::clientAtStart(scale);
    RECT outer{0, 0, client.width, client.height};
    if (!adjustForDpi || !adjustForDpi(&outer, frameStyle(), FALSE, kFrameExtendedStyle, UINT(dpi)))
        AdjustWindowRectEx(&outer, frameStyle(), FALSE, kFrameExtendedStyle);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

RECT toRect(const form::PixelRect& r) {
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

bool checkedIn(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TForm1* formOf(HWND window) {
    return reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The form a window of its own belongs to: handed over by CreateWindowExW's last parameter with
// WM_NCCREATE, the first message, and kept in the window's user data.
TForm1* formOf(HWND window, UINT message, LPARAM lParam) {
    if (message != WM_NCCREATE)
        return formOf(window);
    auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    return form;
}

void registerClasses(HINSTANCE instance, WNDPROC frameProcedure, WNDPROC clientProcedure) {
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = frameProcedure;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.hIcon =
        static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    frame.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), 0));
    frame.lpszClassName = kWindowClass;
    RegisterClassExW(&frame);
    WNDCLASSEXW client = frame;
    client.hIcon = nullptr;
    client.hIconSm = nullptr;
    client.lpszClassName = kClientClass;
    client.lpfnWndProc = clientProcedure;
    RegisterClassExW(&client);
}

// A file dragged from Explorer onto a path field arrives at the field itself.
LRESULT CALLBACK dropTargetProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR handler) {
    if (message == WM_DROPFILES) {
        (*reinterpret_cast<std::function<void(HDROP)>*>(handler))(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return DefSubclassProc(field, message, wParam, lParam);
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
    : instance_(instance), actions_(model_, launcher) {
    registerClasses(instance_, windowProc, clientProc);
    measureLayout(screenDpi());
    createFrame();
    createControls();
    createDecorations();
    mirrorAll();
    attachInput();
    listener_ =
        model_.subscribe([this](const std::string& name, Field field) { mirror(name, field); });
    hints_ = std::make_unique<win32::HoverHints>(
        window_, model_, [this](POINT screen) { return controlAt(screen); });
    hints_->setFont(font_);
    updateScrollBars();
}

TForm1::~TForm1() {
    model_.unsubscribe(listener_);
    hints_.reset();
    if (window_)
        DestroyWindow(window_);
    for (HBITMAP picture : pictures_)
        DeleteObject(picture);
    DeleteObject(font_);
}

// The window's font follows the density of the screen it is on; the tables were drawn for 96 ppi,
// so every place and size, the client area included, grows with it. Where the window's real face
// is taller or wider than the design face at that density (a substitute where Tahoma is
// missing), the layout follows the text as well, so that no caption is cut.
void TForm1::measureLayout(int dpi) {
    dpi_ = dpi;
    font_ = windowFont(dpi_);
    measure_ = std::make_unique<win32::TextMeasure>(font_);
    const double density = double(dpi_) / form::kDesignDpi;
    const form::TextExtent real = measure_->extent();
    // The design face is its own measure: GDI rounds metrics to whole pixels, so its extent at
    // 96 ppi scaled up is not exactly its extent at another density.
    const form::TextExtent design =
        measure_->face() == quendra::wideFrom(form::kFontFamily)
            ? real
            : form::TextExtent{form::kDesignTextOnWindowsWithoutTahoma.height * density,
                               form::kDesignTextOnWindowsWithoutTahoma.sampleWidth * density};
    scale_ = density * form::layoutScale(real, design);
    const form::PixelRect extent = form::scaled(form::clientExtent(), scale_);
    extent_ = {extent.width, extent.height};
}

void TForm1::createFrame() {
    const SIZE outer = outerSize(dpi_, scale_);
    window_ = CreateWindowExW(
        kFrameExtendedStyle, kWindowClass, quendra::wideFrom(form::kCaption).c_str(), frameStyle(),
        CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy, nullptr, nullptr, instance_, this);
    client_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClientClass, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, extent_.cx, extent_.cy,
                              window_, nullptr, instance_, this);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (const auto& [which, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        SendMessageW(window_, WM_SETICON, which,
                     reinterpret_cast<LPARAM>(
                         LoadImageW(instance_, L"MAINICON", IMAGE_ICON, size, size, 0)));
    }
}

// A place in a parent's pixels as a place in the client area, where every control is a child.
RECT TForm1::inClient(ControlName parent, form::PixelRect rect) const {
    if (parent != control::Form1) {
        const form::Placement* p = form::placementOf(parent);
        const RECT origin = inClient(p->parent, form::scaled(p->rect, scale_));
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
        extended = WS_EX_CLIENTEDGE | (form::takesDroppedFiles(state.name) ? WS_EX_ACCEPTFILES : 0);
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
        place.right - place.left, place.bottom - place.top, client_,
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
        form::growsWithCaption(state.kind)
            ? form::captionRoom(state.kind, measure_->width(quendra::wideFrom(state.caption)),
                                scale_)
            : 0;
    return inClient(form::placementOf(state.name)->parent,
                    form::captionPlace(model_, state.name, scale_, room));
}

RECT TForm1::radioButtonRect(const ControlState& group, std::size_t index) const {
    const int room = form::captionRoom(
        ControlKind::RadioGroup, measure_->width(quendra::wideFrom(group.items.at(index))), scale_);
    return inClient(group.name, form::radioButtonPlace(model_, group.name, index, scale_, room));
}

RECT TForm1::creditRect(const form::CreditLine& line) const {
    return toRect(form::creditPlace(line, scale_, measure_->width(quendra::wideFrom(line.text))));
}

// The window's font with what depends on its size: the narrow fields of the table ("8.8717" in
// 41 pixels) were drawn with slim margins, and a slider's thumb grows with the layout.
void TForm1::applyFont(HWND handle, const ControlState& state) const {
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (state.kind == ControlKind::Edit || state.kind == ControlKind::DropDown)
        SendMessageW(state.kind == ControlKind::Edit ? handle
                                                     : win32::DropDownInput::editOf(handle),
                     EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    if (state.kind == ControlKind::Slider)
        SendMessageW(handle, TBM_SETTHUMBLENGTH, form::scaled(form::kSliderThumbLength, scale_), 0);
}

void TForm1::createRadioButtons(const ControlState& state) {
    std::vector<HWND>& buttons = radioButtons_[state.name];
    for (std::size_t i = 0; i < state.items.size(); ++i) {
        const RECT r = radioButtonRect(state, i);
        // The first button opens the group: the arrow keys move within it, Tab enters and leaves.
        const DWORD style = initialStyle(state) | BS_AUTORADIOBUTTON | (i ? 0 : WS_GROUP);
        HWND button =
            CreateWindowExW(0, WC_BUTTONW, quendra::wideFrom(state.items[i]).c_str(), style, r.left,
                            r.top, r.right - r.left, r.bottom - r.top, client_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(
                                win32::radioButtonId(model_, state.name, static_cast<int>(i)))),
                            instance_, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        buttons.push_back(button);
        names_.emplace(button, state.name);
    }
}

void TForm1::createDecorations() {
    int id = win32::kFirstDecorationId;
    for (const form::PicturePlacement& p : form::pictures()) {
        const RECT r = toRect(form::scaled(p.rect, scale_));
        HWND picture =
            CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, client_,
                            reinterpret_cast<HMENU>(INT_PTR(id++)), instance_, nullptr);
        if (HBITMAP bitmap = win32::loadPicture(instance_, p.picture, scale_)) {
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
                                    r.right - r.left, r.bottom - r.top, client_,
                                    reinterpret_cast<HMENU>(INT_PTR(id++)), instance_, nullptr);
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

void TForm1::attachInput() {
    for (const ControlState& c : model_.controls()) {
        HWND handle = controls_.at(c.name);
        if (c.kind == ControlKind::DropDown)
            dropDowns_.push_back(
                std::make_unique<win32::DropDownInput>(handle, c.name, actions_.input()));
        if (form::takesDroppedFiles(c.name)) {
            dropTargets_.push_back(std::make_unique<std::function<void(HDROP)>>(
                [this, name = c.name](HDROP drop) { fileDropped(name, drop); }));
            SetWindowSubclass(handle, dropTargetProc, 1,
                              reinterpret_cast<DWORD_PTR>(dropTargets_.back().get()));
        }
        if (!form::accessibleName(model_, c.name).empty() ||
            !form::accessibleDescription(model_, c.name).empty()) {
            accessibles_.push_back(std::make_unique<win32::AccessibleSource>(
                [this, name = c.name] { return accessibleFacts(name); }));
            win32::answerAccessibility(handle, accessibles_.back().get());
        }
        // The focus of a drop-down is in its edit line: the line is named as its drop-down.
        if (c.kind == ControlKind::DropDown) {
            accessibles_.push_back(std::make_unique<win32::AccessibleSource>([this, name = c.name] {
                win32::AccessibleFacts line = accessibleFacts(name);
                line.role = ROLE_SYSTEM_TEXT;
                return line;
            }));
            win32::answerAccessibility(win32::DropDownInput::editOf(handle),
                                       accessibles_.back().get());
        }
    }
}

// A control as the description names and describes it; a field, drop-down or slider with its
// role and what it holds now. What is left out is Windows' own (a caption, a check box's state).
win32::AccessibleFacts TForm1::accessibleFacts(ControlName name) const {
    const ControlState& state = model_.control(name);
    win32::AccessibleFacts facts{quendra::wideFrom(form::accessibleName(model_, name)), 0,
                                 std::nullopt,
                                 quendra::wideFrom(form::accessibleDescription(model_, name))};
    switch (state.kind) {
    case ControlKind::Slider:
        facts.role = ROLE_SYSTEM_SLIDER;
        facts.value = quendra::wideFrom(std::to_string(state.position));
        break;
    case ControlKind::DropDown:
        facts.role = ROLE_SYSTEM_COMBOBOX;
        facts.value = quendra::wideFrom(state.text);
        break;
    case ControlKind::Edit:
        facts.role = ROLE_SYSTEM_TEXT;
        facts.value = quendra::wideFrom(state.text);
        break;
    default:
        break;
    }
    return facts;
}

void TForm1::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    lastFocus_ = controls_.at(std::string(form::initialFocus(model_)));
    SetFocus(lastFocus_);
}

bool TForm1::preTranslate(MSG& message) {
    if (hints_)
        hints_->observe(message);
    return IsDialogMessageW(window_, &message) != FALSE;
}

// A screen of another density: the font, every place and size and the outer size follow it, the
// window where Windows suggests, its outer size as at a start there. Only fonts and places change,
// so every control keeps its text, caret, selection and state, and the focus stays where it is.
void TForm1::densityChanged(int dpi, const RECT& suggested) {
    const HFONT old = font_;
    measureLayout(dpi);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetWindowPos(client_, nullptr, 0, 0, extent_.cx, extent_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
        HWND picture = GetDlgItem(client_, id++);
        if (HBITMAP bitmap = win32::loadPicture(instance_, p.picture, scale_)) {
            shown.push_back(bitmap);
            SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        }
        place(picture, toRect(form::scaled(p.rect, scale_)));
    }
    for (HBITMAP picture : pictures_)
        DeleteObject(picture);
    pictures_ = shown;
    for (const form::CreditLine& c : form::creditLines()) {
        HWND line = GetDlgItem(client_, id++);
        place(line, creditRect(c));
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    hints_->setFont(font_);
    DeleteObject(old);
    const SIZE outer = outerSize(dpi_, scale_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    updateScrollBars();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
        MessageBoxW(window_, quendra::wideFrom(outcome.failureText).c_str(),
                    quendra::wideFrom(form::kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void TForm1::chooseFile(form::Chooser chooser) {
    const form::ChooserSettings& settings = form::chooserSettings(chooser);
    const std::string path = win32::chooseFile(window_, settings);
    if (!path.empty())
        actions_.chooserConfirmed(settings.field, path);
}

void TForm1::fileDropped(ControlName field, HDROP drop) {
    using Query = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
    static const auto query = win32::lateBound<Query>(L"shell32.dll", "DragQueryFileW");
    static const auto finish = win32::lateBound<void(WINAPI*)(HDROP)>(L"shell32.dll", "DragFinish");
    // Only one file names a path; a drop of several is refused.
    if (query && query(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        std::wstring path(query(drop, 0, nullptr, 0) + 1, L'\0');
        path.resize(query(drop, 0, path.data(), static_cast<UINT>(path.size())));
        actions_.fileChosen(field, quendra::utf8From(path));
    }
    if (finish)
        finish(drop);
}

// --- the frame: scrolling, hints, closing ---------------------------------------------------

ControlName TForm1::controlAt(POINT screen) const {
    HWND under = WindowFromPoint(screen);
    if (under != client_ && !IsChild(client_, under))
        return {};
    POINT inside = screen;
    ScreenToClient(client_, &inside);
    // Disabled controls too: they show no hint, but they are what the mouse is over. A group
    // frame lies above its controls: it is what the mouse is over only where no control is.
    HWND child = ChildWindowFromPointEx(client_, inside, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (child == client_)
        child = ChildWindowFromPointEx(client_, inside, CWP_SKIPINVISIBLE);
    return child == client_ ? ControlName() : nameOf(child);
}

void TForm1::updateScrollBars() {
    RECT area{};
    GetClientRect(window_, &area);
    for (const int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = (bar == SB_HORZ ? extent_.cx : extent_.cy) - 1;
        info.nPage = static_cast<UINT>(bar == SB_HORZ ? area.right : area.bottom);
        LONG& offset = bar == SB_HORZ ? scrolled_.x : scrolled_.y;
        offset = std::clamp<LONG>(offset, 0, std::max<LONG>(0, info.nMax + 1 - LONG(info.nPage)));
        info.nPos = offset;
        SetScrollInfo(window_, bar, &info, TRUE);
    }
    SetWindowPos(client_, nullptr, -scrolled_.x, -scrolled_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::scroll(int bar, WORD request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    const int line = form::scaled(16, scale_);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= int(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += int(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    (bar == SB_HORZ ? scrolled_.x : scrolled_.y) = position;
    updateScrollBars();
}

LRESULT CALLBACK TForm1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TForm1* form = formOf(window, message, lParam);
    // While the frame itself is being made there is no content yet to lay out or scroll.
    return form && form->client_ ? form->dispatch(window, message, wParam, lParam)
                                 : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TForm1::clientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TForm1* form = formOf(window, message, lParam);
    if (form && message == WM_COMMAND && lParam) {
        form->command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    }
    if (form && message == WM_HSCROLL && lParam) {
        form->sliderMoved(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TForm1::dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        updateScrollBars();
        return 0;
    case WM_DPICHANGED:
        densityChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_HSCROLL:
        scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        scroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        for (int i = 0; i < kWheelLines; ++i)
            scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
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
        if (HWND focus = GetFocus(); focus && IsChild(window, focus))
            lastFocus_ = focus;
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
