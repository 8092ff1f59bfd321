#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace quendra::win32 {

// A field that takes files dragged from Explorer: the paths of a drop on it, in UTF-8, go to
// `dropped`. Shell32 is loaded at the first drop.
class FileDropTarget {
public:
    using Dropped = std::function<void(const std::vector<std::string>& files)>;
    FileDropTarget(HWND field, Dropped dropped);
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;

private:
    static LRESULT CALLBACK procedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    void drop(HDROP drop) const;

    Dropped dropped_;
};

} // namespace quendra::win32
