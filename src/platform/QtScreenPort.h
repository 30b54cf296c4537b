#pragma once

#include "platform/ScreenPort.h"

#include <QObject>

namespace kestrane {

class QtScreenPort final : public QObject, public ScreenPort {
    Q_OBJECT
public:
    QtScreenPort();
    std::vector<Screen> screens() const override;
    void setScreensChanged(std::function<void()> callback) override;

private:
    std::function<void()> m_changed;
};

} // namespace kestrane
