#include "SoundFileInput.h"

#include "WideText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace lamebin {

// Opened with the wide API, so that a name in any script and of any length is read; libsndfile
// takes the C runtime's descriptor of the handle.
SNDFILE* SoundFileInput::openFile(const std::string& path, std::string& why) {
    const HANDLE handle = CreateFileW(
        extendedPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        why = systemErrorText(GetLastError());
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(handle, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(handle);
        why = "it is a folder, not an audio file";
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        why = "no descriptor is left for it";
        return nullptr;
    }
    return openDescriptor(fd, why);
}

} // namespace lamebin
