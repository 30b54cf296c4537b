#pragma once

#include "platform/FileDialogPort.h"
#include "platform/MessagePort.h"
#include "platform/ScreenPort.h"
#include "platform/SoundPort.h"
#include "platform/WindowPort.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kestrane::test {

// Records every sound request: the path, in order.
class FakeSound final : public SoundPort {
public:
    void play(Sound, const QString& path) override
    {
        played.push_back(path);
        if (onPlay)
            onPlay(path);
    }
    QStringList played;
    std::function<void(const QString&)> onPlay;
};

// Records every message box: its text and style; every question is
// recorded and answered with `yes`.
class FakeMessages final : public MessagePort {
public:
    void show(const QString& text, int style) override { shown.push_back({text, style}); }
    bool ask(const QString& text) override
    {
        asked << text;
        if (onAsk)
            onAsk();
        return yes;
    }
    std::vector<std::pair<QString, int>> shown;
    QStringList asked;
    bool yes = false;
    std::function<void()> onAsk; // runs while the question is open
};

// Answers the file dialog with `answer` and records each request.
class FakeFileDialog final : public FileDialogPort {
public:
    std::optional<QString> openFile(const Request& request) override
    {
        requests.push_back(request);
        return answer;
    }
    std::vector<Request> requests;
    std::optional<QString> answer;
};

// A configurable desktop; by default an operator screen of 1280 x 800 with
// an audience screen of 1920 x 1080 to its right.
class FakeScreens final : public ScreenPort {
public:
    std::vector<Screen> screens() const override { return all; }
    void setScreensChanged(std::function<void()> callback) override
    {
        changed = std::move(callback);
    }
    // Replaces the desktop and tells the model, as a hot-plug would.
    void replace(std::vector<Screen> screens)
    {
        all = std::move(screens);
        if (changed)
            changed();
    }
    std::vector<Screen> all{{{0, 0, 1280, 800}, {0, 0, 1280, 800}, true},
                            {{1280, 0, 1920, 1080}, {1280, 0, 1920, 1080}, false}};
    std::function<void()> changed;
};

// Records what the model asked of the console and About windows.
class FakeWindows final : public WindowPort {
public:
    void closeConsole() override { calls << QStringLiteral("closeConsole"); }
    void showAbout() override { calls << QStringLiteral("showAbout"); }
    void closeAbout() override { calls << QStringLiteral("closeAbout"); }
    QStringList calls;
};

// All five fakes, ready to hand to a Kumite2.
struct FakePorts {
    FakeSound sound;
    FakeMessages messages;
    FakeFileDialog files;
    FakeScreens screens;
    FakeWindows windows;
};

} // namespace kestrane::test
