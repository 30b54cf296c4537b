#pragma once

#include "about/Overfrm.h"
#include "platform/WindowPort.h"

#include <QPointer>
#include <QWidget>

namespace kestrane::view {

// The console and About windows for the model: closes the console window
// and opens (one at a time, non-modal) or closes the About window.
class QtWindowPort final : public WindowPort {
public:
    QtWindowPort() = default;
    ~QtWindowPort() override;
    QtWindowPort(const QtWindowPort&) = delete;
    QtWindowPort& operator=(const QtWindowPort&) = delete;

    // The console window, once it exists.
    void setConsole(QWidget* console) { m_console = console; }
    // The About window while it is open, else nullptr.
    Overfrm* about() const { return m_about.data(); }

    void closeConsole() override;
    void showAbout() override;
    void closeAbout() override;

private:
    QPointer<QWidget> m_console;
    QPointer<Overfrm> m_about;
};

} // namespace kestrane::view
