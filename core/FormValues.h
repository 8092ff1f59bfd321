#pragma once

#include <string_view>

namespace quendra {

// The modes of the "bitrate mode" radio group (RadioGroup1), by item index.
enum class BitrateMode : int { Cbr = 0, Vbr = 1, Abr = 2 };

// The text of a drop-down or field that leaves a value to the encoder.
inline constexpr std::string_view kAuto = "auto";

// What the tag fields read until the user types a tag.
namespace placeholder {
inline constexpr std::string_view Title = "<title>";
inline constexpr std::string_view Artist = "<artist>";
inline constexpr std::string_view Album = "<album>";
inline constexpr std::string_view Year = "<year>";
inline constexpr std::string_view Comment = "<additional info>";
inline constexpr std::string_view Track = "<track number>";
inline constexpr std::string_view Genre = "<genre>";
} // namespace placeholder

} // namespace quendra
