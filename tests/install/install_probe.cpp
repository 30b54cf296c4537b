// Checks an installed Kestrane from the inside of Qt, for tests/install/run.sh:
//   install_probe icon NAME    the icon resolves in the hicolor theme
//   install_probe wav FILE...  each file is a sound the player can play
#include "platform/SoundFile.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QStringLiteral("icon")) {
        QIcon::setThemeName(QStringLiteral("hicolor"));
        const QList<QSize> sizes = QIcon::fromTheme(args[1]).availableSizes();
        for (const QSize& s : sizes)
            std::printf("icon %s %dx%d\n", qPrintable(args[1]), s.width(), s.height());
        if (sizes.isEmpty())
            std::printf("icon %s not found; searched %s\n", qPrintable(args[1]),
                        qPrintable(QIcon::themeSearchPaths().join(QLatin1Char(' '))));
        return sizes.isEmpty() ? 1 : 0;
    }
    if (args.size() >= 2 && args[0] == QStringLiteral("wav")) {
        int failed = 0;
        for (const QString& file : args.mid(1)) {
            QFile f(file);
            const auto decoded = f.open(QIODevice::ReadOnly)
                                     ? kestrane::SoundFile::decode(f.readAll()).sound
                                     : std::nullopt;
            const bool ready = decoded && !decoded->samples.isEmpty();
            std::printf("%s: %s\n", qPrintable(file), ready ? "Ready" : "not playable");
            failed += ready ? 0 : 1;
        }
        return failed == 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: install_probe icon NAME | wav FILE...\n");
    return 2;
}
