// Writes the program's icon as PNG files in the layout of the hicolor theme:
//   make_icons FOLDER   ->   FOLDER/NxN/apps/kestrane.png
#include "AppIcon.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    for (int size : kestrane::AppIcon::sizes()) {
        const QString dir =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(dir) ||
            !kestrane::AppIcon::image(size).save(dir + QStringLiteral("/kestrane.png"))) {
            std::fprintf(stderr, "make_icons: cannot write into %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
