// A small real Win32 window for tests of the desktop driver (wine-desktop.sh): an edit field, a
// check box with a tooltip and a button. Pressing the button writes the window's state as UTF-8
// to the file named on the command line:
//
//   text=<the edit field's text>
//   checked=<0 or 1>
//   presses=<how often the button was pressed>
//   windowDpi=<GetDpiForWindow>  logPixelsY=<GetDeviceCaps(LOGPIXELSY) of the window's DC>
//   systemDpi=<GetDpiForSystem>  awareness=<the thread's DPI awareness>
//
// The window's title is "Quendra desktop probe", for xdotool to find it.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

enum : int { kEdit = 101, kCheck = 102, kButton = 103 };

struct Probe {
    std::wstring stateFile;
    HWND edit = nullptr;
    HWND check = nullptr;
    int presses = 0;
};

Probe probe;

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::string line(const char* name, long long value) {
    return std::string(name) + "=" + std::to_string(value) + "\n";
}

// Written aside and renamed, so a reader never sees half a state.
void writeState(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(probe.edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(probe.edit, text.data(), static_cast<int>(text.size()))));
    const HDC dc = GetDC(window);
    const std::string state =
        "text=" + utf8(text) + "\n" +
        line("checked", SendMessageW(probe.check, BM_GETCHECK, 0, 0) == BST_CHECKED) +
        line("presses", probe.presses) + line("windowDpi", GetDpiForWindow(window)) +
        line("logPixelsY", GetDeviceCaps(dc, LOGPIXELSY)) + line("systemDpi", GetDpiForSystem()) +
        line("awareness", GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()));
    ReleaseDC(window, dc);
    const std::wstring part = probe.stateFile + L".part";
    if (FILE* out = _wfopen(part.c_str(), L"wb")) {
        const bool written = std::fwrite(state.data(), 1, state.size(), out) == state.size();
        if (std::fclose(out) == 0 && written)
            MoveFileExW(part.c_str(), probe.stateFile.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

HWND child(HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, int id, int x, int y,
           int width, int height) {
    return CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void addTooltip(HWND window, HWND tool, const wchar_t* text) {
    const HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void createControls(HWND window) {
    probe.edit = child(window, L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, kEdit, 10, 10, 300, 24);
    probe.check = child(window, L"BUTTON", L"Check me", BS_AUTOCHECKBOX, kCheck, 10, 44, 200, 24);
    child(window, L"BUTTON", L"Save state", BS_PUSHBUTTON, kButton, 10, 78, 120, 28);
    addTooltip(window, probe.check, L"A check box with a tooltip");
    SetFocus(probe.edit);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        createControls(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kButton && HIWORD(wParam) == BN_CLICKED) {
            ++probe.presses;
            writeState(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
    probe.stateFile = commandLine;
    if (probe.stateFile.empty())
        return 2;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"QuendraDesktopProbe";
    RegisterClassExW(&windowClass);
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"Quendra desktop probe", WS_OVERLAPPEDWINDOW,
                        40, 40, 360, 160, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
