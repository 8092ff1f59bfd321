#include "ReplacingFile.h"

#include "FileSystem.h"
#include "StopRequests.h"
#include "WideText.h"

#include <windows.h>

#include <random>

namespace lamebin {

namespace {

HANDLE handleOf(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

// A file marked so is removed by Windows when its last handle closes, however the process ends:
// killed, or ended with its console window before it could clean up.
bool removeOnClose(HANDLE file, bool remove) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = remove ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

std::wstring temporaryNameFor(const std::wstring& name) {
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::wstring suffix = L".partial-";
    for (int i = 0; i < 8; ++i)
        suffix += kLetters[random() % (sizeof kLetters / sizeof *kLetters - 1)];
    return L"." + name.substr(0, kLongestName - 1 - suffix.size()) + suffix;
}

// A folder as a person writes it, without the extended form's prefix.
std::string shown(const std::wstring& folder) {
    if (folder.rfind(L"\\\\?\\UNC\\", 0) == 0)
        return utf8Text(L"\\\\" + folder.substr(8));
    if (folder.rfind(L"\\\\?\\", 0) == 0)
        return utf8Text(folder.substr(4));
    return utf8Text(folder);
}

} // namespace

std::string ReplacingFile::lastErrorText() {
    return systemErrorText(GetLastError());
}

void ReplacingFile::closeFolder() {}

std::string ReplacingFile::openStraight(const std::string& path) {
    const HANDLE file =
        CreateFileW(wideText(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "it cannot be opened: " + lastErrorText();
    file_ = reinterpret_cast<std::intptr_t>(file);
    straight_ = true;
    LARGE_INTEGER here{};
    seekable_ = SetFilePointerEx(file, LARGE_INTEGER{}, &here, FILE_CURRENT) != 0;
    return {};
}

std::string ReplacingFile::create(const std::string& output) {
    const std::wstring target = extendedPath(output);
    // A name Windows takes for a device (NUL, CON, COM1; on some versions nul.mp3 too) comes
    // back as the device's own name.
    if (target.rfind(L"\\\\.\\", 0) == 0) {
        name_ = utf8Text(target.substr(4));
        return openStraight(utf8Text(target));
    }
    const std::size_t slash = target.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 == target.size())
        return "it names a folder, not a file";
    const std::wstring folder = target.substr(0, slash);
    const std::wstring name = target.substr(slash + 1);
    folderName_ = utf8Text(folder);
    name_ = utf8Text(name);
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY))
        return "it is a folder";
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
        return "the file there cannot be replaced: it is read-only";
    for (int attempt = 0; attempt < 100 && file_ < 0; ++attempt) {
        const std::wstring temporary = temporaryNameFor(name);
        StopHold hold;
        const HANDLE file =
            CreateFileW((folder + L"\\" + temporary).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        temporary_ = utf8Text(temporary);
        if (file != INVALID_HANDLE_VALUE) {
            file_ = reinterpret_cast<std::intptr_t>(file);
            removeOnClose(file, true);
        } else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (file_ < 0) {
        const std::string why = lastErrorText();
        temporary_.clear();
        return "no file can be made in \"" + shown(folder) + "\": " + why;
    }
    return {};
}

bool ReplacingFile::writeAll(const unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD put = 0;
        if (!WriteFile(handleOf(file_), bytes, chunk, &put, nullptr) || put == 0)
            return fail("cannot write");
        bytes += put;
        size -= put;
    }
    return true;
}

// Writes at "offset" and leaves the file's position where it was, as pwrite does.
bool ReplacingFile::writeAllAt(std::size_t offset, const unsigned char* bytes, std::size_t size) {
    LARGE_INTEGER here{}, there{};
    there.QuadPart = static_cast<LONGLONG>(offset);
    const HANDLE file = handleOf(file_);
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, &here, FILE_CURRENT) ||
        !SetFilePointerEx(file, there, nullptr, FILE_BEGIN))
        return fail("cannot write");
    return writeAll(bytes, size) &&
           (SetFilePointerEx(file, here, nullptr, FILE_BEGIN) || fail("cannot write"));
}

std::string ReplacingFile::commit() {
    if (file_ < 0)
        return error_.empty() ? "nothing to put in place" : error_;
    if (!flushBuffer())
        return error_;
    StopHold hold;
    if (straight_) {
        CloseHandle(handleOf(file_));
        file_ = -1;
        endStopRequests();
        return {};
    }
    if (!FlushFileBuffers(handleOf(file_)) || !removeOnClose(handleOf(file_), false)) {
        fail("cannot complete");
        return error_;
    }
    CloseHandle(handleOf(file_));
    file_ = -1;
    const std::wstring folder = extendedPath(folderName_) + L"\\";
    if (!MoveFileExW((folder + wideText(temporary_)).c_str(), (folder + wideText(name_)).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        fail("cannot put in place");
        discard();
        return error_;
    }
    temporary_.clear();
    endStopRequests();
    return {};
}

void ReplacingFile::discard() {
    if (file_ >= 0) {
        CloseHandle(handleOf(file_));
        file_ = -1;
    }
    if (!temporary_.empty()) {
        DeleteFileW((extendedPath(folderName_) + L"\\" + wideText(temporary_)).c_str());
        temporary_.clear();
    }
}

} // namespace lamebin
