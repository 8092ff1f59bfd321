#pragma once

#include <windows.h>

namespace quendra::win32 {

// A function of a system library the window needs only now and then (a file chooser, a dropped
// file, a screen reader's request): the library is loaded at the first call. Linked, it and the
// libraries it uses would be loaded at every start. nullptr where it cannot be found.
template <typename Function> Function lateBound(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library); // kept for the process's life
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace quendra::win32
