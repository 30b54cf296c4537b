#pragma once

#include "platform/ScreenPort.h"

#include <optional>

namespace kestrane {

class Kumite2;

// Opening the board on the second screen and scaling it; closing it; the field number.
class BoardOpening {
public:
    explicit BoardOpening(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void startbord();
    void closeBoard();
    void Command12_Click();
    // A screen was added or removed while the board may be shown.
    void screensChanged();

    static constexpr const char* kZeroScaleMessage = "scale can not be zero in setup file";

private:
    Kumite2& m_k;
    // Where the open board was put, to notice when that screen goes away.
    std::optional<ScreenPort::Rect> m_boardScreen;
};

} // namespace kestrane
