#pragma once

namespace kestrane {

class Kubord2;

// Maps the board's 16000 x 9000 twip design onto the size it opened at.
// Every product is taken in double precision and kept in single precision,
// saturated at the single-precision range so that an absurd scale setting
// gives huge but finite values, never infinity or NaN.
class BoardScaling {
public:
    struct Factors {
        double ratio = 1;      // W / H
        double horizontal = 1; // W / (hsch x 16000)
        double vertical = 1;   // H / (vsch x 9000)
        double font = 1;       // W / (fsch x 16000)
        double across = 1;     // W / 16000, the half backgrounds
        double down = 1;       // H / 9000
    };

    // Font sizes stay within what a font can be drawn at.
    static constexpr double kMinFontSize = 1.0;
    static constexpr double kMaxFontSize = 2048.0;

    // The factors for a board of W x H twips and the three scale settings.
    // Each factor saturates at the single-precision range.
    static Factors factors(double W, double H, double hsch, double vsch, double fsch);

    // value x factor in double, stored as single precision, saturated.
    static float scaled(double value, double factor);
    // A font size scaled likewise and kept within the font size range.
    static float scaledFont(double points, double factor);

    // Scales every element of a board, in the order the layout needs:
    // backgrounds, clock frame line, clock digits, scores, names, frames, field
    // number box and number, Label1 items, the KO frame, the narrow-screen
    // corrections, the Shape4 items, the KO background.
    static void apply(Kubord2& board, const Factors& f);

    // Below this width-to-height ratio the narrow-screen corrections apply.
    static constexpr double kNarrowRatio = 1.5;
};

} // namespace kestrane
