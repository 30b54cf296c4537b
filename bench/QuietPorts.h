#pragma once

#include "platform/FileDialogPort.h"
#include "platform/MessagePort.h"
#include "platform/ScreenPort.h"
#include "platform/WindowPort.h"

// Ports that do nothing, for benchmarks that run the console without its
// windows: one 1920 x 1080 screen, no messages, no dialogs.
namespace kestrane::bench {

class NoMessages final : public MessagePort {
public:
    void show(const QString&, int) override {}
    bool ask(const QString&) override { return false; }
};

class NoFiles final : public FileDialogPort {
public:
    std::optional<QString> openFile(const Request&) override { return std::nullopt; }
};

class OneScreen final : public ScreenPort {
public:
    std::vector<Screen> screens() const override
    {
        return {{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, true}};
    }
    void setScreensChanged(std::function<void()>) override {}
};

class NoWindows final : public WindowPort {
public:
    void closeConsole() override {}
    void showAbout() override {}
    void closeAbout() override {}
};

} // namespace kestrane::bench
