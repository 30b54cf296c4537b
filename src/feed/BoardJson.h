#pragma once

#include <QByteArray>

namespace kestrane {

class Kubord2;

// The board's state as JSON for the browser: every element the board has,
// back to front, with its name, kind, frame, visibility, geometry, caption,
// colours and font.
//
// Scaled (`pixels` true): boxes in whole pixels of the page, measured from
// its top-left corner, rounded exactly as the board window rounds them;
// font sizes in pixels. Design (false): the model's twips, relative to the
// element's frame, and font sizes in points.
//
// Beside the elements, "competitors" holds the pair on the mat as typed
// (cleaned to one line each): {"aka": {"name", "club"}, "shiro": {...}}.
class BoardJson {
public:
    static QByteArray toJson(const Kubord2& board, bool pixels, int widthPx, int heightPx,
                             bool boardShown);
};

} // namespace kestrane
