// The Windows program as a person uses it, where the platform matters: keys, clicks, hints, the
// file choosers, the message box, and what the encoder receives. Runs in a wine desktop of its
// own (tests/windows/wine-desktop.sh, as tests/windows/CMakeLists.txt starts it).
#include "ArgumentRecord.h"
#include "CommandBuilder.h"
#include "CommandLine.h"
#include "Contrast.h"
#include "FormActions.h"
#include "DesignFont.h"
#include "Hints.h"
#include "Placements.h"
#include "WindowDriver.h"
#include "WindowFrame.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <fstream>
#include <iterator>

using namespace wintest;
namespace control = quendra::control;
namespace fs = std::filesystem;

namespace {

class Scratch {
public:
    Scratch()
        : folder_(fs::temp_directory_path() /
                  ("quendra-window-" + std::to_string(GetTickCount64()))) {
        fs::create_directories(folder_);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const fs::path& folder() const { return folder_; }

private:
    fs::path folder_;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        record_ = scratch_.folder() / "record";
        window_ = std::make_unique<RunningWindow>(
            programFolder() + L"\\Project1.exe", scratch_.folder().wstring(),
            std::vector<std::pair<std::wstring, std::wstring>>{
                {L"QUENDRA_RECORD_FILE", record_.wstring()}});
    }

    HWND control(quendra::ControlName name) const { return window_->control(name); }

    // What the recording encoder received at the last start; empty when it has not run.
    std::vector<std::string> received() {
        if (!waitUntil([this] { return fs::exists(record_); }))
            return {};
        std::ifstream in(record_, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        in.close();
        fs::remove(record_);
        return argrecord::decode(text).at("shell");
    }

    Scratch scratch_;
    fs::path record_;
    std::unique_ptr<RunningWindow> window_;
};

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// How much the window grows over its tables: by the screen's density, and further where the face
// Windows gives for Tahoma is a taller or wider substitute, measured here as the description
// says (against Tahoma's measure at that density).
double windowScale() {
    const int dpi = screenDpi();
    const double density = dpi / double(quendra::form::kDesignDpi);
    HFONT font = CreateFontW(-MulDiv(quendra::form::kFontPointSize, dpi, 72), 0, 0, 0, FW_NORMAL,
                             FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             widen(quendra::form::kFontFamily).c_str());
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring sample = widen(quendra::form::kTextSample);
    SIZE width{};
    GetTextExtentPoint32W(dc, sample.c_str(), int(sample.size()), &width);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    if (face == widen(quendra::form::kFontFamily))
        return density;
    const quendra::form::TextExtent tahoma = quendra::form::kDesignTextOnWindowsWithoutTahoma;
    return density *
           quendra::form::layoutScale({double(metrics.tmHeight), double(width.cx)},
                                      {tahoma.height * density, tahoma.sampleWidth * density});
}

// The frame Windows draws that the desktop's run names (QUENDRA_EXPECTED_FRAME, "8x27" for wine's
// classic metrics): the test's premise. Empty where the run names none.
std::string expectedFrame() {
    const char* frame = std::getenv("QUENDRA_EXPECTED_FRAME");
    return frame ? frame : "";
}

// The window opens with the client area its layout was drawn for, grown as everything is with
// the density and a wider or taller face, whatever frame Windows draws around it: the whole
// content shows, with no scroll bar. Under wine's classic frame (4-pixel borders, a 19-pixel
// caption), at 96 ppi in Tahoma, that is an outer size of 642 by 692, the layout's own.
TEST_F(WindowTest, OpensWithItsFrameAndFocus) {
    HWND frame = window_->frame();
    RECT outer{};
    GetWindowRect(frame, &outer);
    RECT client{};
    GetClientRect(frame, &client);
    const quendra::form::PixelRect drawnFor = quendra::form::clientAtStart(windowScale());
    EXPECT_EQ(client.right, drawnFor.width);
    EXPECT_EQ(client.bottom, drawnFor.height);
    const SIZE around{outer.right - outer.left - client.right,
                      outer.bottom - outer.top - client.bottom};
    if (const std::string expected = expectedFrame(); !expected.empty()) {
        EXPECT_EQ(std::to_string(around.cx) + "x" + std::to_string(around.cy), expected);
    }
    if (expectedFrame() == "8x27" && windowScale() == 1.0) {
        EXPECT_EQ(outer.right - outer.left, quendra::form::kOuterWidth);
        EXPECT_EQ(outer.bottom - outer.top, quendra::form::kOuterHeight);
    }
    RECT start{};
    GetClientRect(control(control::Button1), &start);
    const quendra::form::PixelRect table = quendra::form::placementOf(control::Button1)->rect;
    EXPECT_EQ(start.right, quendra::form::scaled(table, windowScale()).width);
    EXPECT_EQ(start.bottom, quendra::form::scaled(table, windowScale()).height);
    const LONG style = GetWindowLongW(frame, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_THICKFRAME);
    // The content fits the client area at this density: no scroll bars.
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(window_->focus(), control(control::Edit01));
}

// The work area of the monitor a window is on.
RECT workAreaOf(HWND frame) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// Whether the whole window, frame included, lies on the work area of its monitor.
::testing::AssertionResult liesOnItsWorkArea(HWND frame) {
    RECT outer{};
    GetWindowRect(frame, &outer);
    const RECT work = workAreaOf(frame);
    if (outer.left >= work.left && outer.top >= work.top && outer.right <= work.right &&
        outer.bottom <= work.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the window " << outer.left << "," << outer.top << " to " << outer.right << ","
           << outer.bottom << " leaves the work area " << work.left << "," << work.top << " to "
           << work.right << "," << work.bottom;
}

// The window lies wholly on the work area of its monitor, frame included. On a desktop whose work
// area cannot hold the layout's client area (QUENDRA_SMALL_WORK_AREA), it is smaller, with
// scroll bars; elsewhere the test above finds it as the layout was drawn.
TEST_F(WindowTest, OpensWhollyOnItsWorkArea) {
    HWND frame = window_->frame();
    EXPECT_TRUE(liesOnItsWorkArea(frame));
    const RECT work = workAreaOf(frame);
    if (!std::getenv("QUENDRA_SMALL_WORK_AREA"))
        return;
    const quendra::form::PixelRect drawnFor = quendra::form::clientAtStart(windowScale());
    ASSERT_GT(drawnFor.height, work.bottom - work.top) << "the work area holds the whole window";
    RECT client{};
    GetClientRect(frame, &client);
    EXPECT_LT(client.bottom, drawnFor.height);
    EXPECT_TRUE(GetWindowLongW(frame, GWL_STYLE) & WS_VSCROLL);
}

// The highest contrast of any pixel on the screen in `area` against `face`: where a text or a line
// is there, its colour's.
double contrastIn(const RECT& area, COLORREF face) {
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP pixels = CreateCompatibleBitmap(screen, area.right - area.left, area.bottom - area.top);
    HGDIOBJ old = SelectObject(copy, pixels);
    BitBlt(copy, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top,
           SRCCOPY);
    const auto rgb = [](COLORREF c) {
        return quendra::form::Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    double highest = 1;
    for (int y = 0; y < area.bottom - area.top; ++y)
        for (int x = 0; x < area.right - area.left; ++x)
            highest = std::max(highest,
                               quendra::form::contrastRatio(rgb(GetPixel(copy, x, y)), rgb(face)));
    SelectObject(copy, old);
    DeleteObject(pixels);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return highest;
}

RECT screenRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The window follows Windows' colours: in the default ones as in a black high-contrast set (a
// desktop with QUENDRA_HIGH_CONTRAST), on the screen its captions keep 4.5:1 against the face (a
// label's, a check box's, a group box's); in high contrast its group frames 3:1 as well (Windows'
// own style draws them paler, and the window keeps it).
TEST_F(WindowTest, CaptionsAndFramesStandOutInTheSystemsColours) {
    const bool highContrast = std::getenv("QUENDRA_HIGH_CONTRAST") != nullptr;
    if (highContrast) {
        ASSERT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0))
            << "the desktop's colours are not black";
        ASSERT_EQ(GetSysColor(COLOR_BTNTEXT), RGB(255, 255, 255));
    }
    settle(500);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_GE(contrastIn(screenRectOf(control(control::Label01)), face),
              quendra::form::kTextContrast);
    RECT caption = screenRectOf(control(control::CheckBox18)); // right of the mark
    caption.left += 20;
    EXPECT_GE(contrastIn(caption, face), quendra::form::kTextContrast);
    const RECT group = screenRectOf(control(control::GroupBox4));
    EXPECT_GE(contrastIn({group.left + 10, group.top, group.left + 100, group.top + 13}, face),
              quendra::form::kTextContrast); // its caption, on the top line
    const LONG middle = (group.top + group.bottom) / 2;
    if (highContrast) { // its left edge, half way down
        EXPECT_GE(contrastIn({group.left, middle, group.left + 4, middle + 1}, face),
                  quendra::form::kLineContrast);
    }
}

// Where every control of the window sits in its client area, by identifier; and the font's
// height, as a drop-down's entries have it.
struct Layout {
    std::map<int, std::array<LONG, 4>> places;
    LRESULT entryHeight = 0;
    bool operator==(const Layout& o) const {
        return places == o.places && entryHeight == o.entryHeight;
    }
};

Layout layoutOf(const RunningWindow& window) {
    HWND client = GetParent(window.control(control::Edit01));
    Layout layout;
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        layout.places[GetDlgCtrlID(c)] = {r.left, r.top, r.right, r.bottom};
    }
    layout.entryHeight = SendMessageW(window.control(control::ComboBox1), CB_GETITEMHEIGHT, 0, 0);
    return layout;
}

SIZE outerSize(HWND frame) {
    RECT r{};
    GetWindowRect(frame, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The screen's density for programs started while it lives (wine reads it at their start).
class StartDensity {
public:
    explicit StartDensity(DWORD dpi) {
        DWORD size = sizeof before_;
        had_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr,
                            &before_, &size) == ERROR_SUCCESS;
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~StartDensity() {
        if (had_)
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &before_,
                            sizeof before_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
    }
    StartDensity(const StartDensity&) = delete;
    StartDensity& operator=(const StartDensity&) = delete;

private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
    DWORD before_ = 0;
    bool had_ = false;
};

// What Windows sends a per-monitor aware window moved to a monitor of another density; the
// suggested rectangle lies in the program's memory, as Windows' would.
void sendDensityChange(const RunningWindow& window, int dpi, SIZE outer) {
    RECT suggested{};
    GetWindowRect(window.frame(), &suggested);
    suggested.right = suggested.left + outer.cx;
    suggested.bottom = suggested.top + outer.cy;
    void* remote =
        VirtualAllocEx(window.process(), nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    WriteProcessMemory(window.process(), remote, &suggested, sizeof suggested, nullptr);
    SendMessageW(window.frame(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(window.process(), remote, 0, MEM_RELEASE);
    settle();
}

// Moved to a screen of another density, the window is laid out as one started there: every
// control's place and size, the font and the outer size, on the work area; and back again.
// Nothing typed is lost.
TEST_F(WindowTest, FrameFollowsADensityChangeAsAStartAtThatDensity) {
    const int here = screenDpi();
    const int there = here == 96 ? 144 : 96;
    Layout startedThere;
    SIZE outerThere{};
    {
        const StartDensity density(there);
        const RunningWindow reference(programFolder() + L"\\Project1.exe",
                                      scratch_.folder().wstring());
        startedThere = layoutOf(reference);
        outerThere = outerSize(reference.frame());
    }
    HWND input = control(control::Edit01);
    click(input, {10, 10});
    typeText(L"kept.wav");
    pressKey(VK_LEFT, /*shift=*/true);
    const Layout startedHere = layoutOf(*window_);
    const SIZE outerHere = outerSize(window_->frame());
    ASSERT_NE(startedHere.entryHeight, startedThere.entryHeight);

    // Under wine a window that ends at the screen's edge is moved up by openbox, whose frame is a
    // pixel deeper than Windows': the place is looked at where the work area ends above it.
    const bool onWorkArea = std::getenv("QUENDRA_SMALL_WORK_AREA") != nullptr;
    sendDensityChange(*window_, there, outerThere);
    if (onWorkArea) {
        EXPECT_TRUE(liesOnItsWorkArea(window_->frame()));
    }
    EXPECT_TRUE(layoutOf(*window_) == startedThere);
    EXPECT_EQ(outerSize(window_->frame()).cx, outerThere.cx);
    EXPECT_EQ(outerSize(window_->frame()).cy, outerThere.cy);
    EXPECT_EQ(textOf(input), L"kept.wav");
    EXPECT_EQ(window_->focus(), input);
    const auto selection = static_cast<DWORD>(SendMessageW(input, EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 7); // the caret and selection stay
    EXPECT_EQ(HIWORD(selection), 8);

    sendDensityChange(*window_, here, outerHere);
    if (onWorkArea) {
        EXPECT_TRUE(liesOnItsWorkArea(window_->frame()));
    }
    EXPECT_TRUE(layoutOf(*window_) == startedHere);
    EXPECT_EQ(outerSize(window_->frame()).cx, outerHere.cx);
    EXPECT_EQ(outerSize(window_->frame()).cy, outerHere.cy);
}

TEST_F(WindowTest, SmallerThanItsContentItScrollsTheWholeContent) {
    HWND frame = window_->frame();
    HWND start = control(control::Button1);
    RECT before{};
    GetWindowRect(start, &before);
    SetWindowPos(frame, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    settle();
    const LONG style = GetWindowLongW(frame, GWL_STYLE);
    ASSERT_TRUE(style & WS_VSCROLL);
    ASSERT_TRUE(style & WS_HSCROLL);
    RECT after{};
    GetWindowRect(start, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left); // nothing stretched
    pressKey(VK_NEXT); // a page down, on the focused field: the bar is the window's
    SendMessageW(frame, WM_VSCROLL, SB_PAGEDOWN, 0);
    settle();
    RECT scrolled{};
    GetWindowRect(start, &scrolled);
    EXPECT_LT(scrolled.top, after.top);
}

TEST_F(WindowTest, ClicksRunTheRulesAndTheWindowShowsThem) {
    EXPECT_FALSE(IsWindowEnabled(control(control::CheckBox14)));
    clickMark(control(control::CheckBox09));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(control(control::CheckBox14)) != FALSE; }));
    EXPECT_TRUE(shown(control(control::Label15)));
    EXPECT_EQ(textOf(control(control::Edit13)), L"");

    clickMark(window_->radioButton(control::RadioGroup1, 1)); // VBR
    EXPECT_TRUE(waitUntil([&] { return shown(control(control::TrackBar1)); }));
    EXPECT_FALSE(shown(control(control::ComboBox4)));
    EXPECT_FALSE(shown(control(control::Label04)));
    EXPECT_TRUE(checked(window_->radioButton(control::RadioGroup1, 1)));
    EXPECT_FALSE(checked(window_->radioButton(control::RadioGroup1, 0)));
}

TEST_F(WindowTest, TabWalksTheEnabledControlsAndEntersARadioGroupAtItsSelection) {
    // Disabled and hidden controls are passed over; a radio group is entered at its selection.
    const HWND walk[] = {control(control::Edit02),
                         control(control::Edit09),
                         control(control::CheckBox01),
                         control(control::CheckBox02),
                         control(control::CheckBox03),
                         control(control::CheckBox04),
                         control(control::ComboBox1),
                         control(control::ComboBox4),
                         control(control::ComboBox6),
                         window_->radioButton(control::RadioGroup1, 0),
                         window_->radioButton(control::RadioGroup2, 0),
                         window_->radioButton(control::RadioGroup3, 0),
                         window_->radioButton(control::RadioGroup4, 1),
                         control(control::Button1)};
    for (HWND next : walk) {
        pressKey(VK_TAB);
        const bool arrived = waitUntil([&] {
            HWND focus = window_->focus();
            return focus == next || GetParent(focus) == next; // a drop-down's line
        });
        EXPECT_TRUE(arrived) << "expected control " << GetDlgCtrlID(next) << ", focus on "
                             << GetDlgCtrlID(window_->focus());
    }
    pressKey(VK_TAB, /*shift=*/true);
    EXPECT_TRUE(waitUntil(
        [&] { return window_->focus() == window_->radioButton(control::RadioGroup4, 1); }));
}

TEST_F(WindowTest, SlidersStepByOneWithArrowsAndByTwoWithPageKeys) {
    HWND quality = control(control::TrackBar2);
    clickCentre(quality); // the thumb jumps towards the click by a page
    const LRESULT clicked = SendMessageW(quality, TBM_GETPOS, 0, 0);
    ASSERT_GE(clicked, 2);
    ASSERT_LE(clicked, 8);
    pressKey(VK_RIGHT);
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(quality, TBM_GETPOS, 0, 0) == clicked + 1; }));
    pressKey(VK_PRIOR);
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(quality, TBM_GETPOS, 0, 0) == clicked - 1; }));
    EXPECT_EQ(SendMessageW(quality, TBM_GETRANGEMAX, 0, 0), 9);
}

TEST_F(WindowTest, DropDownsCompleteByTheirOwnRulesAndBackspaceDeletes) {
    HWND frequency = control(control::ComboBox1);
    clickCentre(frequency);
    pressKey(VK_ESCAPE); // the list opened by the click closes again
    pressKey(VK_HOME);
    pressKey(VK_END, /*shift=*/true);
    typeText(L"4");
    EXPECT_TRUE(waitUntil([&] { return textOf(frequency) == L"44.1 kHz"; }));
    // The sampling frequency chose the bitrate list of 32 to 48 kHz.
    EXPECT_TRUE(waitUntil([&] { return shown(control(control::ComboBox2)); }));
    EXPECT_FALSE(shown(control(control::ComboBox4)));
    pressKey(VK_BACK); // the completed rest was selected
    EXPECT_TRUE(waitUntil([&] { return textOf(frequency) == L"4"; }));
    typeText(L"8");
    EXPECT_TRUE(waitUntil([&] { return textOf(frequency) == L"48 kHz"; }));
}

TEST_F(WindowTest, StartEncodingHandsTheEncoderEveryFieldExactly) {
    const std::wstring input = L"C:\\Müsik\\日本語 \"live\" ü.wav";
    const std::wstring output = L"C:\\out put\\Ελληνικά.mp3";
    const std::wstring title = L"Ελληνικά – “quoted” \\\" مرحبا";
    click(control(control::Edit01), {10, 10});
    typeText(input);
    click(control(control::Edit02), {10, 10});
    typeText(output);
    clickMark(control(control::CheckBox01));
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(control(control::Edit03)) != FALSE; }));
    click(control(control::Edit03), {10, 10});
    pressKey(VK_HOME);
    pressKey(VK_END, /*shift=*/true);
    typeText(title);
    clickCentre(control(control::Button1));

    quendra::FormModel expected;
    quendra::EventWiring input2(expected);
    input2.textChanged(control::Edit01, narrow(input));
    input2.textChanged(control::Edit02, narrow(output));
    input2.checkedChanged(control::CheckBox01, true);
    input2.textChanged(control::Edit03, narrow(title));
    const std::vector<std::string> arguments =
        quendra::splitCommandLine(quendra::CommandBuilder::build(expected).line);
    EXPECT_EQ(received(), arguments);
}

TEST_F(WindowTest, HintsComeAfterARestShowTheGroupsTextAndNoneOnADisabledControl) {
    moveMouse(control(control::CheckBox02), {30, 8});
    ASSERT_TRUE(waitUntil([&] { return window_->shownTip() != nullptr; }));
    EXPECT_EQ(narrow(textOf(window_->shownTip())), "Turn on CRC error protection.");
    EXPECT_TRUE(waitUntil([&] { return window_->shownTip() == nullptr; }));

    moveMouse(control(control::CheckBox17), {30, 8}); // inside "assembly optimizations"
    ASSERT_TRUE(waitUntil([&] { return window_->shownTip() != nullptr; }));
    EXPECT_EQ(narrow(textOf(window_->shownTip())).rfind("Disable specific assembly", 0), 0u);

    moveMouse(control(control::CheckBox14), {30, 8}); // "full bandwidth", disabled at start
    settle(1500);
    EXPECT_EQ(window_->shownTip(), nullptr);
}

TEST_F(WindowTest, TheInputChooserShowsItsReadOnlyBoxAndMovesTheOutputChoosersFolder) {
    const fs::path folder = scratch_.folder() / L"Müsik";
    fs::create_directories(folder);
    std::ofstream(folder / L"a.wav") << "RIFF";
    clickCentre(control(control::Button2));
    HWND chooser = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (chooser = window_->topLevel(L"select input file")); }));
    HWND readOnly = GetDlgItem(chooser, 0x410); // chx1
    ASSERT_NE(readOnly, nullptr);
    EXPECT_TRUE(shown(readOnly));
    EXPECT_TRUE(checked(readOnly));
    typeText((folder / L"a.wav").wstring());
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitUntil(
        [&] { return textOf(control(control::Edit01)) == (folder / L"a.wav").wstring(); }));

    clickCentre(control(control::Button3));
    ASSERT_TRUE(waitUntil([&] { return (chooser = window_->topLevel(L"select output file")); }));
    EXPECT_FALSE(shown(GetDlgItem(chooser, 0x410)));
    typeText(L"b");
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitUntil(
        [&] { return textOf(control(control::Edit02)) == (folder / L"b.mp3").wstring(); }));
}

// A file dragged from Explorer arrives as WM_DROPFILES with the files in a DROPFILES block of the
// program's memory; one file names the path, several are refused.
bool dropFiles(const RunningWindow& window, HWND field, const std::wstring& names) {
    std::vector<char> block(sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t), 0);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::copy(names.begin(), names.end(),
              reinterpret_cast<wchar_t*>(block.data() + sizeof(DROPFILES)));
    void* remote =
        VirtualAllocEx(window.process(), nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    if (!remote ||
        !WriteProcessMemory(window.process(), remote, block.data(), block.size(), nullptr))
        return false;
    SendMessageW(field, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    VirtualFreeEx(window.process(), remote, 0, MEM_RELEASE);
    return true;
}

TEST_F(WindowTest, AFileDroppedOnAPathFieldIsChosenAndADropOfSeveralIsRefused) {
    HWND input = control(control::Edit01);
    ASSERT_TRUE(dropFiles(*window_, input, std::wstring(L"C:\\in\\a.wav\0", 13)));
    EXPECT_TRUE(waitUntil([&] { return textOf(input) == L"C:\\in\\a.wav"; }));
    ASSERT_TRUE(dropFiles(*window_, input, std::wstring(L"C:\\b.wav\0C:\\c.wav\0", 18)));
    settle();
    EXPECT_EQ(textOf(input), L"C:\\in\\a.wav");
}

TEST_F(WindowTest, ACancelledChooserKeepsTheTypedPath) {
    click(control(control::Edit01), {10, 10});
    typeText(L"typed.wav");
    clickCentre(control(control::Button2));
    HWND chooser = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (chooser = window_->topLevel(L"select input file")); }));
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitUntil([&] { return window_->topLevel(L"select input file") == nullptr; }));
    EXPECT_EQ(textOf(control(control::Edit01)), L"typed.wav");
}

TEST(WindowWithoutEncoder, AFailedStartShowsAMessageBoxNamingTheEncoder) {
    Scratch scratch;
    const fs::path program = scratch.folder() / L"Project1.exe";
    fs::copy_file(programFolder() + L"\\Project1.exe", program);
    RunningWindow window(program.wstring(), scratch.folder().wstring(),
                         {{L"PATH", scratch.folder().wstring()}});
    clickCentre(window.control(control::Button1));
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        return (box = window.topLevel(widen(quendra::form::kApplicationTitle), L"#32770"));
    }));
    HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
    while (text && textOf(text).find(L"lame.bin") == std::wstring::npos)
        text = FindWindowExW(box, text, L"Static", nullptr);
    EXPECT_NE(text, nullptr);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(window.alive());
}

} // namespace
