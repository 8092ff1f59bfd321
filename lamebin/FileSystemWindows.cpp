#include "FileSystem.h"

#include "WideText.h"

#include <windows.h>

namespace lamebin {

// The wide API takes 32767 UTF-16 units, the terminating NUL and the "\\?\" prefix included; a
// name has no more units than bytes of UTF-8.
const std::size_t kLongestPath = 32762;
const std::size_t kLongestName = 255;
const char* const kNameLengthUnits = "characters";
const char* const kPathSeparators = "/\\";

std::size_t nameLength(const std::string& name) {
    return wideText(name).size();
}

// The volume and the file's index identify it however it is spelt: another case, "/" for "\", a
// short 8.3 name, a relative path.
PathInfo pathInfo(const std::string& path) {
    const std::wstring name = extendedPath(path);
    // No access asked for: only the attributes are read. Folders need backup semantics.
    const HANDLE file =
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known)
        return {};
    const unsigned long long index =
        static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    return {true, (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
            FileIdentity{info.dwVolumeSerialNumber, index}};
}

} // namespace lamebin
