// Checks an installed Kestrane from the inside of Qt, for tests/install/run.sh:
//   install_probe icon NAME    the icon resolves in the hicolor theme
//   install_probe wav FILE...  each file is a WAV the sound player can play
#include "platform/WavFile.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

namespace {

int icon(const QString& name)
{
    QIcon::setThemeName(QStringLiteral("hicolor"));
    const QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull() || icon.availableSizes().isEmpty()) {
        std::printf("icon %s not found; searched %s\n", qPrintable(name),
                    qPrintable(QIcon::themeSearchPaths().join(QLatin1Char(' '))));
        return 1;
    }
    for (const QSize& s : icon.availableSizes())
        std::printf("icon %s %dx%d\n", qPrintable(name), s.width(), s.height());
    return 0;
}

int wav(const QStringList& files)
{
    int failed = 0;
    for (const QString& file : files) {
        QFile f(file);
        const auto parsed =
            f.open(QIODevice::ReadOnly) ? kestrane::WavFile::parse(f.readAll()) : std::nullopt;
        const bool ready = parsed && !parsed->samples.isEmpty();
        std::printf("%s: %s\n", qPrintable(file), ready ? "Ready" : "not playable");
        failed += ready ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QStringLiteral("icon"))
        return icon(args[1]);
    if (args.size() >= 2 && args[0] == QStringLiteral("wav"))
        return wav(args.mid(1));
    std::fprintf(stderr, "usage: install_probe icon NAME | wav FILE...\n");
    return 2;
}
