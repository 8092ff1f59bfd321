#pragma once

class QWidget;

namespace quendra::bench {

// Ends the event loop as soon as the window's first frame has been painted and handed to the
// platform, reporting "frame" and the CPU time used until then ("frame-cpu") to the driver; a
// window that never paints ends it with exit code 3.
void quitAfterFirstFrame(QWidget& window);

} // namespace quendra::bench
