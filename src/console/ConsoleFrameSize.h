#pragma once

namespace kestrane::view {

// How the console's outer height (title bar, borders and menu included, as
// the model keeps it) maps onto the real window. The console was designed
// for a title bar, menu and borders of kDesignNonClient pixels together:
// at the closed height the setup row must lie just below the visible client
// area, at the open height just inside it. Real window frames differ, so the
// client area shown is always outer - kDesignNonClient: a thinner frame
// leaves a strip of background below it, a thicker frame makes the window
// taller by the difference. All values in logical pixels.
struct ConsoleFrameSize {
    static constexpr int kDesignNonClient = 46;

    // The outer height to give the window for the model's outer height,
    // with this window frame and menu bar (nonClient pixels together).
    static int windowOuterHeight(int modelOuter, int nonClient);
    // The model's outer height for a window of this outer height.
    static int modelOuterHeight(int windowOuter, int nonClient);
    // The visible height of the console's client area.
    static int visibleClientHeight(int modelOuter);
};

} // namespace kestrane::view
