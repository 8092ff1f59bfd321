#include "FileChoosers.h"

#include "LateBound.h"
#include "Utf16.h"

#include <commdlg.h>

namespace quendra::win32 {

namespace {

// Room for the longest path Windows knows, 32,767 characters. The dialog's usual MAX_PATH buffer
// makes it fail on a longer choice, which would be taken for a cancel and lose the choice.
constexpr DWORD kPathRoom = 32768;

std::wstring currentDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    folder.resize(GetCurrentDirectoryW(length, folder.data()));
    return folder;
}

// The platform's filter text: each description and its patterns as a pair of terminated
// strings, the whole ended by an empty one.
std::wstring filterText(const std::vector<form::FileFilter>& filters) {
    std::wstring text;
    for (const form::FileFilter& filter : filters) {
        text += wideFrom(filter.description);
        text += L'\0';
        for (std::size_t i = 0; i < filter.patterns.size(); ++i)
            text += (i ? L";" : L"") + wideFrom(filter.patterns[i]);
        text += L'\0';
    }
    text += L'\0';
    return text;
}

// The common dialog's options for a chooser's settings.
DWORD dialogFlags(const form::ChooserSettings& settings) {
    DWORD flags = 0;
    flags |= settings.readOnlyBoxShownAndTicked ? OFN_READONLY : OFN_HIDEREADONLY;
    if (settings.fileMustExist)
        flags |= OFN_FILEMUSTEXIST;
    if (settings.resizable)
        flags |= OFN_ENABLESIZING;
    if (settings.confirmOverwrite)
        flags |= OFN_OVERWRITEPROMPT;
    return flags;
}

} // namespace

std::string chooseFile(HWND owner, const form::ChooserSettings& settings) {
    const std::wstring title = wideFrom(settings.title);
    const std::wstring filters = filterText(settings.filters);
    const std::wstring extension = wideFrom(settings.defaultExtension);
    const std::wstring folder = settings.startFolder == form::StartFolder::CurrentDirectory
                                    ? currentDirectory()
                                    : std::wstring();
    std::wstring buffer(kPathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kPathRoom;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = dialogFlags(settings);
    using Dialog = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const auto open = lateBound<Dialog>(L"comdlg32.dll", "GetOpenFileNameW");
    static const auto save = lateBound<Dialog>(L"comdlg32.dll", "GetSaveFileNameW");
    const Dialog show = settings.kind == form::DialogKind::Open ? open : save;
    if (!show || !show(&dialog))
        return {};
    return utf8From(buffer.c_str());
}

} // namespace quendra::win32
