#include "platform/QtScreenPort.h"

#include <QGuiApplication>
#include <QScreen>

namespace kestrane {

namespace {
ScreenPort::Rect toRect(const QRect& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}
} // namespace

QtScreenPort::QtScreenPort()
{
    auto changed = [this] {
        if (m_changed)
            m_changed();
    };
    // A screen moved or resized (a projector put on the other side) counts
    // as much as one added or removed.
    auto follow = [this, changed](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, changed);
    };
    for (QScreen* screen : QGuiApplication::screens())
        follow(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [follow, changed](QScreen* screen) {
        follow(screen);
        changed();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, changed);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, changed);
}

std::vector<ScreenPort::Screen> QtScreenPort::screens() const
{
    std::vector<Screen> out;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* s : QGuiApplication::screens())
        out.push_back({toRect(s->geometry()), toRect(s->availableGeometry()), s == primary});
    return out;
}

void QtScreenPort::setScreensChanged(std::function<void()> callback)
{
    m_changed = std::move(callback);
}

} // namespace kestrane
