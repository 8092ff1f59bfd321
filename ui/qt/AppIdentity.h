#pragma once

namespace quendra::ui {

// Names the application to the platform: its title and version, and its desktop entry. The
// title is set as the application name, not as the display name, because Qt appends a display
// name to every window caption that does not already end with it.
void setApplicationIdentity();

} // namespace quendra::ui
