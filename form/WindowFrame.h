#pragma once

#include "LayoutScale.h"

namespace quendra::form {

// Names and texts that identify the program to the user and the desktop.
inline constexpr const char* kCaption =
    "Quendra orvo 1.1 Pro   -   Tamrik Edition   -   powered by LAME 3.97";
inline constexpr const char* kApplicationTitle = "Quendra orvo 1.1 Pro";
inline constexpr const char* kDesktopFileName = "quendra-orvo";

// The window's frame: a resizable border, a title bar with the system menu, minimize and close,
// never maximized. When the client area is smaller than the controls' extent, scroll bars move
// the whole content; the controls never move or stretch.
inline constexpr bool kResizable = true;
inline constexpr bool kMinimizable = true;
inline constexpr bool kMaximizable = false;
// The outer size the layout was drawn for, around the frame it was drawn with: two 4-pixel
// sizing borders and a 19-pixel title bar (classic Windows). Frames today are larger (Windows
// 10's under wine: 16 by 40; Qt's own on Wayland: 6 by 33), so the window is sized by its client
// area and the platform's frame is added to it; under this frame the outer size is this one.
inline constexpr int kOuterWidth = 642;
inline constexpr int kOuterHeight = 692;
inline constexpr int kAssumedFrameWidth = 8;
inline constexpr int kAssumedFrameHeight = 27;

// What a frame adds on each side of the client area, in pixels.
struct FrameExtents {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const FrameExtents& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
// The frame the layout was drawn around, for a shell to count with until the platform tells it
// its own: two 4-pixel borders and a 19-pixel title bar.
inline constexpr FrameExtents kAssumedFrame{4, kAssumedFrameHeight - 4, 4, 4};

// The window systems that differ in what a program is told of its frame.
enum class WindowSystem {
    X11,     // the window manager tells the frame once it has framed the window
    Wayland, // Qt's own frame is known; a compositor's own frame is told to no program
    Other,
};

// The frame a window counts with before, or without, being told its own, one a window system.
struct AssumedFrame {
    WindowSystem system;
    FrameExtents frame;
};
// On Wayland a compositor that draws the frame tells no program its size: allowed for
// generously, a title bar taller than the desktops' (Breeze's 37 pixels with its bottom edge,
// sway's 25, Qt's own 30) and borders around it. Elsewhere the layout's own frame holds until the
// platform tells its own.
inline constexpr AssumedFrame kAssumedFrames[] = {
    {WindowSystem::X11, kAssumedFrame},
    {WindowSystem::Wayland, {4, 40, 4, 4}},
    {WindowSystem::Other, kAssumedFrame},
};

// The frame to count with: the one the platform reported (the window manager's extents on X11,
// Qt's own frame on Wayland), else the one assumed for the window system. A frame of nothing is
// no report: a platform that draws none and a window not framed yet look alike.
FrameExtents frameToAllowFor(WindowSystem system, const FrameExtents& reported);

// The client area the window opens with, at the layout's scale: the one the layout was drawn
// for (the outer size less the assumed frame), which holds clientExtent() with room to spare
// below. The outer size is this plus whatever frame the platform draws.
PixelRect clientAtStart(double scale);

// A window on its screen: its outer rectangle, frame included, and the client area inside it,
// both in the screen's coordinates.
struct WindowPlace {
    PixelRect outer;
    PixelRect client;
};

// Where a window goes on the available area of its screen (the area less the desktop's panels:
// Windows' work area), given its client area where the platform put it and the frame around it.
// Where the window lies wholly on the area it stays as it is. Else it is made no larger than the
// area, the client area giving up what the window has too much (the scroll bars show the rest),
// and it moves the least way that puts all of it on the area. An empty area changes nothing.
WindowPlace placeOnScreen(const PixelRect& client, const FrameExtents& frame,
                          const PixelRect& available);

// The room a scroll bar takes: a vertical bar's width, a horizontal bar's height.
struct ScrollBarExtents {
    int vertical = 0;
    int horizontal = 0;
};

// The client area's size a window wants on a room of the given size for its client: its start
// size where that fits. Where it does not, no larger than the room, and where only one way is
// short, larger the other way by the scroll bar that shows then, as far as the room allows, so
// that no second bar shows for the room the first one takes. `content` is what the scroll bars
// move.
PixelRect fitClient(const PixelRect& start, const PixelRect& content, ScrollBarExtents bars,
                    int roomWidth, int roomHeight);

// Where the window goes at its start: its client area where the platform put it, at the size it
// starts with, fitted (fitClient) to the available area less the frame, then put on the area as
// placeOnScreen does.
WindowPlace placeAtStart(const PixelRect& client, const PixelRect& content, ScrollBarExtents bars,
                         const FrameExtents& frame, const PixelRect& available);

// The largest client area the window may take: its start size, or its content with both scroll
// bars where that is larger. More shows nothing but the face, and a window manager or compositor
// told so offers no maximizing or grows the window no further.
PixelRect largestClient(const PixelRect& start, const PixelRect& content, ScrollBarExtents bars);

// The window's icon, the same picture in each size.
inline constexpr int kIconSizes[] = {16, 32, 48};

} // namespace quendra::form
