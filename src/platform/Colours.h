#pragma once

#include "core/Element.h"

#include <QColor>

namespace kestrane {

// The one place where a stored colour becomes a QColor. Stored colours are
// 0x00BBGGRR, red in the low byte. Values with the high bit set name a
// system colour (0x800000nn); the views show the standard scheme's value.
inline QColor toQColor(Colour c)
{
    if (c & 0x80000000u) {
        switch (c & 0xFFu) {
        case 0x05: // window background
        case 0x0E: // highlighted text
            return QColor(0xFF, 0xFF, 0xFF);
        case 0x0F: // button face
        case 0x04: // menu bar
            return QColor(0xF0, 0xF0, 0xF0);
        case 0x0D: // highlight
            return QColor(0x00, 0x78, 0xD7);
        case 0x10: // button shadow
        case 0x11: // grey text
            return QColor(0xA0, 0xA0, 0xA0);
        default: // window, menu and button text, borders
            return QColor(0, 0, 0);
        }
    }
    return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                  static_cast<int>((c >> 16) & 0xFFu));
}

} // namespace kestrane
