#include "FileDropTarget.h"

#include "LateBound.h"
#include "Utf16.h"

#include <commctrl.h>

namespace quendra::win32 {

FileDropTarget::FileDropTarget(HWND field, Dropped dropped) : dropped_(std::move(dropped)) {
    SetWindowLongW(field, GWL_EXSTYLE, GetWindowLongW(field, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    SetWindowSubclass(field, procedure, 1, reinterpret_cast<DWORD_PTR>(this));
}

// A file dragged from Explorer onto the field arrives at the field itself.
LRESULT CALLBACK FileDropTarget::procedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    if (message != WM_DROPFILES)
        return DefSubclassProc(field, message, wParam, lParam);
    reinterpret_cast<const FileDropTarget*>(self)->drop(reinterpret_cast<HDROP>(wParam));
    return 0;
}

void FileDropTarget::drop(HDROP drop) const {
    using Query = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
    static const auto query = lateBound<Query>(L"shell32.dll", "DragQueryFileW");
    static const auto finish = lateBound<void(WINAPI*)(HDROP)>(L"shell32.dll", "DragFinish");
    std::vector<std::string> files;
    for (UINT i = 0, count = query ? query(drop, 0xFFFFFFFF, nullptr, 0) : 0; i < count; ++i) {
        std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
        files.push_back(utf8From(path));
    }
    dropped_(files);
    if (finish)
        finish(drop);
}

} // namespace quendra::win32
