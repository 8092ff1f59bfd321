#pragma once

namespace quendra::form {

// Names and texts that identify the program to the user and the desktop.
inline constexpr const char* kCaption =
    "Quendra orvo 1.1 Pro   -   Tamrik Edition   -   powered by LAME 3.97";
inline constexpr const char* kApplicationTitle = "Quendra orvo 1.1 Pro";
inline constexpr const char* kDesktopFileName = "quendra-orvo";

// The window's frame: a fixed outer size at the design density, a resizable border, a title bar
// with the system menu, minimize and close, never maximized. When the client area is smaller
// than the controls' extent, scroll bars move the whole content; the controls never move or
// stretch.
inline constexpr int kOuterWidth = 642;
inline constexpr int kOuterHeight = 692;
inline constexpr bool kResizable = true;
inline constexpr bool kMinimizable = true;
inline constexpr bool kMaximizable = false;
// The frame assumed until the platform reports its own: two 4-pixel sizing borders and a
// 19-pixel title bar.
inline constexpr int kAssumedFrameWidth = 8;
inline constexpr int kAssumedFrameHeight = 27;

// The window's icon, the same picture in each size.
inline constexpr int kIconSizes[] = {16, 32, 48};

} // namespace quendra::form
