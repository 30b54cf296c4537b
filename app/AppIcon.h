#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace kestrane {

// The program's icon, drawn here in one place: the window icon of both
// windows and the PNG files of the launcher (hicolor theme) come from it.
class AppIcon {
public:
    static QImage image(int size);
    static QIcon icon(); // needs a GUI application
    static const QList<int>& sizes();
};

} // namespace kestrane
