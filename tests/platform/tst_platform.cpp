#include "console/ConsoleWindow.h"
#include "console/Kumite2.h"
#include "console/QtWindowPort.h"
#include "platform/BuiltinSounds.h"
#include "platform/QtScreenPort.h"
#include "platform/QtSoundPort.h"
#include "support/FakePorts.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

#include <unistd.h>

using namespace kestrane;
using Problem = SoundPort::Problem;

namespace {

// Half a second of a 440 Hz sine at half of full scale, made by sox.
QString makeSound(const QTemporaryDir& dir, const QString& name, const QStringList& options)
{
    const QString path = dir.filePath(name);
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              QStringList{"-V1", "-n"} + options +
                  QStringList{path, "synth", "0.5", "sine", "440", "vol", "0.5"});
    if (!sox.waitForFinished(20000) || sox.exitCode() != 0)
        qWarning("sox: %s", sox.readAllStandardError().constData());
    return path;
}

struct Level {
    double seconds = 0;
    double peak = 0;
    double rms = 0; // of the first channel
};

Level levelOf(const SoundFile& sound)
{
    const auto* v = reinterpret_cast<const float*>(sound.samples.constData());
    const int channels = sound.format.channelCount();
    const qsizetype frames = sound.samples.size() / qsizetype(sizeof(float)) / channels;
    Level level{double(frames) / sound.format.sampleRate(), 0, 0};
    for (qsizetype f = 0; f < frames; ++f) {
        level.peak = std::max(level.peak, double(std::fabs(v[f * channels])));
        level.rms += double(v[f * channels]) * v[f * channels];
    }
    level.rms = std::sqrt(level.rms / double(std::max<qsizetype>(frames, 1)));
    return level;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The screens of the desktop, primary first as Qt orders them.
    void screensOfTheDesktop()
    {
        const auto all = QtScreenPort().screens();
        QCOMPARE(all.size(), std::size_t(2));
        QVERIFY(all[0].primary && !all[1].primary);
        QCOMPARE(all[1].geometry, (ScreenPort::Rect{1280, 0, 1920, 1080}));
    }

    // A console is stranded off every screen's usable area, across two
    // screens, or on the board's screen unless that is the primary.
    void stranded()
    {
        const std::vector<ScreenPort::Screen> desk = {
            {{0, 0, 1280, 800}, {0, 0, 1280, 760}, true},
            {{1280, 0, 1920, 1080}, {1280, 0, 1920, 1080}, false}};
        const std::tuple<const char*, ScreenPort::Rect, int, bool> rows[] = {
            {"chosen place on the primary", {100, 50, 800, 600}, 1, false},
            {"flush with the usable corner", {480, 160, 800, 600}, 1, false},
            {"on the board's screen", {1300, 0, 800, 600}, 1, true},
            {"on the other screen, no board", {1300, 0, 800, 600}, -1, false},
            {"across both", {1212, 0, 800, 600}, -1, true},
            {"off every screen", {4000, 0, 800, 600}, -1, true},
            {"board on the primary", {100, 50, 800, 600}, 0, false}};
        for (const auto& [name, frame, board, stranded] : rows)
            QVERIFY2(ScreenPort::stranded(desk, frame, board) == stranded, name);
    }

    // The console's place is counted in logical pixels from the primary
    // screen's own corner, wherever that lies on the desktop, and kept inside
    // the primary's usable area (at a pixel ratio of 2: consoleOnThePrimary).
    void placeOnPrimary()
    {
        const ScreenPort::Rect other{3200, 0, 1920, 1080};
        const std::pair<ScreenPort::Rect, QPoint> rows[] = {
            {{0, 0, 1280, 800}, {100, 50}},            // at the origin
            {{1920, 0, 1280, 800}, {2020, 50}},        // right of the other
            {{-1280, -300, 1280, 800}, {-1180, -250}}, // above, left
            {{1920, 0, 640, 520}, {1960, 20}}};        // sticking out
        for (const auto& [primary, place] : rows) {
            const std::vector<ScreenPort::Screen> desk = {{other, other, false},
                                                          {primary, primary, true}};
            const ScreenPort::Point p = ScreenPort::placeOnPrimary(desk, 1500, 750, 600, 500);
            QCOMPARE(QPoint(p.x, p.y), place);
        }
    }

    // The console window opens at its place on the primary screen, at its
    // size in logical pixels, whatever that screen's pixel ratio: ctest runs
    // this again on a desktop whose primary, of ratio 2, lies right of a
    // projector of ratio 1.
    void consoleOnThePrimary()
    {
        QTemporaryDir dir;
        test::FakePorts ports;
        QtScreenPort screens;
        view::QtWindowPort windows;
        Kumite2 k{{ports.sound, ports.messages, ports.files, screens, windows}, dir.path()};
        k.startUp.Form_Load();
        view::ConsoleWindow w(k);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QPoint corner = QGuiApplication::primaryScreen()->geometry().topLeft();
        QCOMPARE(w.devicePixelRatio(), corner.isNull() ? 1 : 2);
        QCOMPARE(w.frameGeometry(), QRect(corner + QPoint(133, 7), QSize(697, 460)));
    }

    // Every encoding people's files come in plays at its length and level,
    // brought to 48 kHz float, mono or stereo. Each row: the sox options, the
    // channels played, the level's tolerance (lossy encodings more) and the
    // padding (the encoder fills the last block with silence).
    void soundFiles()
    {
        const std::tuple<const char*, const char*, QStringList, int, double, double> rows[] = {
            {"8-bit", "a.wav", {"-b", "8", "-e", "unsigned-integer"}, 1, 0.01, 0},
            {"16-bit stereo", "a.wav", {"-b", "16", "-c", "2"}, 2, 0.005, 0},
            {"24-bit", "a.wav", {"-b", "24"}, 1, 0.005, 0},
            {"32-bit", "a.wav", {"-b", "32"}, 1, 0.005, 0},
            {"float", "a.wav", {"-e", "floating-point", "-b", "32"}, 1, 0.005, 0},
            {"double", "a.wav", {"-e", "floating-point", "-b", "64"}, 1, 0.005, 0},
            {"mu-law", "a.wav", {"-e", "mu-law"}, 1, 0.02, 0},
            {"A-law", "a.wav", {"-e", "a-law"}, 1, 0.02, 0},
            {"IMA ADPCM", "a.wav", {"-e", "ima-adpcm"}, 1, 0.05, 0.012},
            {"MS ADPCM", "a.wav", {"-e", "ms-adpcm"}, 1, 0.05, 0.012},
            {"8 kHz", "a.wav", {"-r", "8000", "-b", "16"}, 1, 0.01, 0},
            {"96 kHz", "a.wav", {"-r", "96000", "-b", "24"}, 1, 0.01, 0},
            {"6 channels", "a.wav", {"-c", "6", "-b", "16"}, 2, 0.005, 0},
            {"FLAC", "a.flac", {"-b", "16"}, 1, 0.005, 0},
            {"Ogg Vorbis", "a.ogg", {}, 1, 0.05, 0},
            {"AIFF", "a.aiff", {}, 1, 0.005, 0},
        };
        for (const auto& [name, file, options, channels, tolerance, padding] : rows) {
            const QTemporaryDir dir;
            const QtSoundPort::Reading read = QtSoundPort::read(
                SoundPort::Sound::End, makeSound(dir, QString::fromLatin1(file), options));
            QVERIFY2(read.problem == Problem::None && read.sound, name);
            const QAudioFormat& format = read.sound->format;
            QVERIFY2(format.sampleRate() == 48000 && format.sampleFormat() == QAudioFormat::Float &&
                         format.channelCount() == channels,
                     name);
            const Level level = levelOf(*read.sound);
            QVERIFY2(level.seconds > 0.495 && level.seconds < 0.505 + padding &&
                         std::fabs(level.peak - 0.5) < tolerance &&
                         std::fabs(level.rms - 0.5 / std::sqrt(2)) < tolerance,
                     qPrintable(QStringLiteral("%1: %2 s, peak %3, rms %4")
                                    .arg(name)
                                    .arg(level.seconds)
                                    .arg(level.peak)
                                    .arg(level.rms)));
        }
    }

    // What cannot be played gets the reason and the program's own sound of
    // its kind, never a crash. Each row: what is at the path (nothing, a
    // folder, or these bytes), the sound it stands for, and the reason.
    void unplayable()
    {
        using S = SoundPort::Sound;
        const QTemporaryDir dir;
        const QByteArray wav = test::readFile(makeSound(dir, "w.wav", {"-b", "16"}));
        const QByteArray flac = test::readFile(makeSound(dir, "f.flac", {}));
        QByteArray garbage(5000, '\0');
        for (qsizetype i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919 + 13) % 251);
        const std::tuple<const char*, std::optional<QByteArray>, S, Problem> rows[] = {
            {"missing", std::nullopt, S::End, Problem::Missing},
            {"a folder", std::nullopt, S::Warning, Problem::NotSound},
            {"empty file", QByteArray(), S::End, Problem::NotSound},
            {"text", "[settings]\nnot=a sound\n", S::End, Problem::NotSound},
            {"garbage", garbage, S::Warning, Problem::NotSound},
            {"header cut short", wav.left(30), S::End, Problem::Damaged},
            {"FLAC cut short", flac.left(flac.size() / 2), S::End, Problem::Damaged},
            {"no samples", wav.left(44), S::Warning, Problem::Silent},
            {"65 MB", wav + QByteArray(65 << 20, '\0'), S::End, Problem::TooLarge},
            {"unreadable", wav, S::End, Problem::Unreadable}, // the last: root skips it
        };
        for (const auto& [name, bytes, sound, problem] : rows) {
            const QString path = QLatin1String(name) == "a folder"
                                     ? dir.path()
                                     : dir.filePath(QString::fromLatin1(name) + ".wav");
            if (bytes)
                test::writeFile(path, *bytes);
            if (problem == Problem::Unreadable) {
                if (geteuid() == 0)
                    QSKIP("permissions do not bind the super-user");
                QFile::setPermissions(path, QFile::WriteOwner);
            }
            const QtSoundPort::Reading read = QtSoundPort::read(sound, path);
            QVERIFY2(read.problem == problem, name);
            const auto own = sound == S::End ? BuiltinSounds::gong() : BuiltinSounds::warning();
            const double seconds = double(own.size()) / BuiltinSounds::kRate;
            QVERIFY2(read.sound && std::fabs(levelOf(*read.sound).seconds - seconds) < 0.01, name);
        }
    }

    // The player's reason shows beside the path box in the setup row, the
    // box narrowed to make room: when a path is typed, and again when the
    // built-in sound plays in its place; a playable file or an empty box
    // shows none.
    void reasonBesideThePath()
    {
        const QTemporaryDir dir;
        makeSound(dir, "bell.wav", {"-b", "24"});
        test::FakePorts p;
        QtSoundPort player(dir.path());
        Kumite2 k({player, p.messages, p.files, p.screens, p.windows}, dir.path());
        MatchState& s = k.state;
        player.follow(SoundPort::Sound::Warning, s.waarwav);
        const double wide = s.waarwav.width();
        const auto shown = [&s] {
            return s.waarwavWhy.visible() ? s.waarwavWhy.caption() : QStringLiteral("<none>");
        };
        const std::pair<const char*, const char*> steps[] = {
            {"gone.wav", "File not found"}, {"bell.wav", "<none>"}, {"", "<none>"}};
        for (const auto& [path, why] : steps) {
            s.waarwav.setText(QString::fromLatin1(path));
            QTRY_COMPARE(shown(), QString::fromLatin1(why));
            QCOMPARE(s.waarwav.width() < wide, why != QLatin1String("<none>"));
        }
        QVERIFY(p.messages.shown.empty());
        s.waarwav.setText(QStringLiteral("gone.wav"));
        QTRY_COMPARE(shown(), QStringLiteral("File not found"));
        s.waarwavWhy.setCaption({});
        player.play(SoundPort::Sound::Warning, s.waarwav.text());
        QCOMPARE(shown(), QStringLiteral("File not found"));
        // A file replaced under its name is read again when it next plays.
        s.waarwav.setText(QStringLiteral("bell.wav"));
        QTRY_COMPARE(shown(), QStringLiteral("<none>"));
        test::writeFile(dir.filePath(QStringLiteral("bell.wav")), "not a sound");
        player.play(SoundPort::Sound::Warning, s.waarwav.text());
        QTRY_COMPARE(shown(), QStringLiteral("Not a sound file"));
        // A request made while its file is still being read plays once the
        // reading ends: here the built-in sound, which says why again.
        int told = 0;
        player.problemFound = [&told](SoundPort::Sound, Problem) { ++told; };
        test::writeFile(dir.filePath(QStringLiteral("bell.wav")), "still not a sound");
        player.play(SoundPort::Sound::Warning, s.waarwav.text());
        QTRY_COMPARE(told, 2); // read, then played
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
