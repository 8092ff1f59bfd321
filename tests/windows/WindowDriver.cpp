#include "WindowDriver.h"

#include "ControlIds.h"
#include "WindowFrame.h"

#include <commctrl.h>

#include <stdexcept>

namespace wintest {

namespace {

struct Search {
    DWORD process;
    const std::wstring* caption;
    const wchar_t* className;
    HWND found;
};

std::wstring classOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

BOOL CALLBACK matchTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window))
        return TRUE;
    if (search->className && classOf(window) != search->className)
        return TRUE;
    if (search->caption && textOf(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

std::wstring environmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& added) {
    std::wstring block;
    const wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry; entry += wcslen(entry) + 1)
        block.append(entry).push_back(L'\0');
    FreeEnvironmentStringsW(const_cast<wchar_t*>(current));
    for (const auto& [name, value] : added)
        block.append(name + L"=" + value).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

void send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

INPUT keyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

RunningWindow::RunningWindow(
    const std::wstring& program, const std::wstring& folder,
    const std::vector<std::pair<std::wstring, std::wstring>>& environment) {
    std::wstring line = L"\"" + program + L"\"";
    std::wstring block = environmentBlock(environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, block.data(), folder.c_str(), &startup,
                        &process_))
        throw std::runtime_error("cannot start " + narrow(program) + " (error " +
                                 std::to_string(GetLastError()) + ")");
    WaitForInputIdle(process_.hProcess, 20000);
    waitUntil([this] {
        frame_ = topLevel(widen(quendra::form::kCaption), L"TForm1");
        return frame_ != nullptr;
    });
    if (!frame_)
        throw std::runtime_error("the window did not appear");
    client_ = FindWindowExW(frame_, nullptr, L"TForm1Client", nullptr);
    SetForegroundWindow(frame_);
    settle(300);
}

RunningWindow::~RunningWindow() {
    if (alive()) {
        PostMessageW(frame_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningWindow::alive() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND RunningWindow::control(quendra::ControlName name) const {
    return GetDlgItem(client_, quendra::win32::controlId(model_, name));
}

HWND RunningWindow::radioButton(quendra::ControlName group, int index) const {
    return GetDlgItem(client_, quendra::win32::radioButtonId(model_, group, index));
}

HWND RunningWindow::topLevel(const std::wstring& caption, const wchar_t* className) const {
    Search search{process_.dwProcessId, &caption, className, nullptr};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningWindow::shownTip() const {
    Search search{process_.dwProcessId, nullptr, TOOLTIPS_CLASSW, nullptr};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningWindow::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

void moveMouse(HWND window, POINT inside) {
    ClientToScreen(window, &inside);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(inside.x, 65536, width) + 1;
    input.mi.dy = MulDiv(inside.y, 65536, height) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(input);
}

void click(HWND window, POINT inside) {
    moveMouse(window, inside);
    settle(50);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    send(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send(input);
    settle();
}

void clickCentre(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    click(window, {area.right / 2, area.bottom / 2});
}

void clickMark(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    click(window, {6, area.bottom / 2});
}

void pressKey(WORD key, bool shift, bool control) {
    if (shift)
        send(keyInput(VK_SHIFT, false));
    if (control)
        send(keyInput(VK_CONTROL, false));
    send(keyInput(key, false));
    send(keyInput(key, true));
    if (control)
        send(keyInput(VK_CONTROL, true));
    if (shift)
        send(keyInput(VK_SHIFT, true));
    settle(80);
}

void typeText(const std::wstring& text) {
    for (const wchar_t unit : text) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = unit;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        send(input);
        input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        send(input);
    }
    settle();
}

// Asked of the control itself: for a window of another process GetWindowText returns only the
// caption Windows keeps, not what an edit field or a tooltip shows.
std::wstring textOf(HWND window) {
    const auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

bool checked(HWND window) {
    return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool shown(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

bool waitUntil(const std::function<bool()>& condition, DWORD boundMs) {
    const ULONGLONG end = GetTickCount64() + boundMs;
    while (!condition()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(20);
    }
    return true;
}

void settle(DWORD ms) {
    Sleep(ms);
}

std::wstring widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

std::string narrow(const std::wstring& utf16) {
    if (utf16.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), out.data(), length, nullptr,
                        nullptr);
    return out;
}

std::wstring programFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

} // namespace wintest
