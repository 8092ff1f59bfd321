#pragma once

#include "ControlNames.h"

#include <string>
#include <string_view>
#include <vector>

namespace quendra::form {

// One entry of a chooser's file-type list: what the user reads, and the name patterns it stands
// for ("*.wav").
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// A filter text "description|patterns|description|patterns", the patterns of a pair separated
// by ";", as pairs. Blanks around a pattern are dropped; a pair without patterns matches nothing
// and is left out, as is a description without its patterns at the end.
std::vector<FileFilter> filterPairs(std::string_view text);

enum class DialogKind { Open, Save };
enum class StartFolder { PlatformDefault, CurrentDirectory };

// One file chooser, made anew for each press and modal over the window. A confirmed choice goes
// into `field` and makes the chosen file's folder the process's current directory (both done by
// FormActions::chooserConfirmed); a cancelled one changes nothing. The first filter is selected
// when the chooser opens.
struct ChooserSettings {
    DialogKind kind;
    const char* title;
    std::vector<FileFilter> filters;
    bool readOnlyBoxShownAndTicked;
    bool fileMustExist;
    bool resizable;
    bool confirmOverwrite;
    const char* defaultExtension; // added to a typed name without one; "" for none
    StartFolder startFolder;
    ControlName field;
};

enum class Chooser { InputFile, OutputFile };
const ChooserSettings& chooserSettings(Chooser chooser);

} // namespace quendra::form
