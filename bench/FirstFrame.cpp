#include "FirstFrame.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace quendra::bench {

namespace {

class FirstFrameWatch : public QObject {
public:
    explicit FirstFrameWatch(QWidget& window) : QObject(&window), window_(window) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    // Any widget of the window will do: the window itself is never painted where its children
    // cover it whole.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || painted_ || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != &window_)
            return false;
        painted_ = true;
        // Queued behind the paint: it runs once the whole frame has been painted and flushed
        // to the platform.
        QTimer::singleShot(0, [] {
            report("frame");
            QCoreApplication::quit();
        });
        return false;
    }

private:
    QWidget& window_;
    bool painted_ = false;
};

} // namespace

void quitAfterFirstFrame(QWidget& window) {
    new FirstFrameWatch(window);
    QTimer::singleShot(30000, [] {
        std::fputs("no frame was painted within 30 s\n", stderr);
        QCoreApplication::exit(3);
    });
}

} // namespace quendra::bench
