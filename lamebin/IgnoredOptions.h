#pragma once

#include "EncoderSettings.h"

#include <string>
#include <vector>

namespace lamebin {

// A line for each option of the settings that LAME's library (3.100) takes but does not act on
// with the other settings given, so that the encoding is the same without it. Measured on
// five test signals in CBR, ABR and VBR at every quality: --athshort and -d never change the
// MP3; in VBR (-V) --athtype, --notemp and -X do not either, nor --notemp and -X at -q 7 to 9.
std::vector<std::string> ignoredByLibrary(const EncoderSettings& settings);

} // namespace lamebin
