#include "console/Kumite2.h"
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
Q_DECLARE_METATYPE(kestrane::ScreenPort::Rect)

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
    void stranded_data()
    {
        using R = ScreenPort::Rect;
        QTest::addColumn<ScreenPort::Rect>("frame");
        QTest::addColumn<int>("board");
        QTest::addColumn<bool>("stranded");
        QTest::newRow("chosen place on the primary") << R{100, 50, 800, 600} << 1 << false;
        QTest::newRow("flush with the usable corner") << R{480, 160, 800, 600} << 1 << false;
        QTest::newRow("on the board's screen") << R{1300, 0, 800, 600} << 1 << true;
        QTest::newRow("on the other screen, no board") << R{1300, 0, 800, 600} << -1 << false;
        QTest::newRow("across both") << R{1212, 0, 800, 600} << -1 << true;
        QTest::newRow("off every screen") << R{4000, 0, 800, 600} << -1 << true;
        QTest::newRow("board on the primary") << R{100, 50, 800, 600} << 0 << false;
    }
    void stranded()
    {
        QFETCH(ScreenPort::Rect, frame);
        QFETCH(int, board);
        QFETCH(bool, stranded);
        const std::vector<ScreenPort::Screen> desk = {
            {{0, 0, 1280, 800}, {0, 0, 1280, 760}, true},
            {{1280, 0, 1920, 1080}, {1280, 0, 1920, 1080}, false}};
        QCOMPARE(ScreenPort::stranded(desk, frame, board), stranded);
    }

    // The console's place is counted in logical pixels from the primary
    // screen's own corner, wherever that lies on the desktop and whatever
    // its pixel ratio, and kept inside the primary's usable area.
    void placeOnPrimary_data()
    {
        using R = ScreenPort::Rect;
        QTest::addColumn<ScreenPort::Rect>("primary");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("at the origin") << R{0, 0, 1280, 800} << 1.0 << QPoint(100, 50);
        QTest::newRow("right of the other") << R{1920, 0, 1280, 800} << 1.0 << QPoint(2020, 50);
        QTest::newRow("above, left") << R{-1280, -300, 1280, 800} << 1.0 << QPoint(-1180, -250);
        QTest::newRow("ratio 2") << R{0, 0, 1280, 800} << 2.0 << QPoint(100, 50);
        QTest::newRow("ratio 2, right") << R{1920, 0, 1280, 800} << 2.0 << QPoint(2020, 50);
        QTest::newRow("sticking out") << R{1920, 0, 640, 520} << 1.0 << QPoint(1960, 20);
    }
    void placeOnPrimary()
    {
        QFETCH(ScreenPort::Rect, primary);
        QFETCH(double, ratio);
        QFETCH(QPoint, place);
        const ScreenPort::Rect other{3200, 0, 1920, 1080};
        const std::vector<ScreenPort::Screen> desk = {{other, other, false, ratio},
                                                      {primary, primary, true, ratio}};
        const ScreenPort::Point p = ScreenPort::placeOnPrimary(desk, 1500, 750, 600, 500);
        QCOMPARE(QPoint(p.x, p.y), place);
    }

    // Every encoding people's files come in plays at its length and level,
    // brought to 48 kHz float, mono or stereo.
    void soundFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("channels");
        QTest::addColumn<double>("tolerance"); // of the level, lossy encodings more
        QTest::addColumn<double>("padding");   // the encoder fills the last block with silence
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
        for (const auto& [name, file, options, channels, tolerance, padding] : rows)
            QTest::newRow(name) << QString::fromLatin1(file) << options << channels << tolerance
                                << padding;
    }
    void soundFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(int, channels);
        QFETCH(double, tolerance);
        QFETCH(double, padding);
        const QTemporaryDir dir;
        const QtSoundPort::Reading read =
            QtSoundPort::read(SoundPort::Sound::End, makeSound(dir, file, options));
        QCOMPARE(read.problem, Problem::None);
        QCOMPARE(read.sound->format.sampleRate(), 48000);
        QCOMPARE(read.sound->format.sampleFormat(), QAudioFormat::Float);
        QCOMPARE(read.sound->format.channelCount(), channels);
        const Level level = levelOf(*read.sound);
        QVERIFY2(level.seconds > 0.495 && level.seconds < 0.505 + padding,
                 qPrintable(QString::number(level.seconds)));
        QVERIFY2(std::fabs(level.peak - 0.5) < tolerance, qPrintable(QString::number(level.peak)));
        QVERIFY2(std::fabs(level.rms - 0.5 / std::sqrt(2)) < tolerance,
                 qPrintable(QString::number(level.rms)));
    }

    // What cannot be played gets the reason and the program's own sound of
    // its kind, never a crash.
    void unplayable_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("sound");
        QTest::addColumn<Problem>("problem");
        const std::tuple<const char*, SoundPort::Sound, Problem> rows[] = {
            {"missing", SoundPort::Sound::End, Problem::Missing},
            {"a folder", SoundPort::Sound::Warning, Problem::NotSound},
            {"empty file", SoundPort::Sound::End, Problem::NotSound},
            {"text", SoundPort::Sound::End, Problem::NotSound},
            {"garbage", SoundPort::Sound::Warning, Problem::NotSound},
            {"header cut short", SoundPort::Sound::End, Problem::Damaged},
            {"FLAC cut short", SoundPort::Sound::End, Problem::Damaged},
            {"no samples", SoundPort::Sound::Warning, Problem::Silent},
            {"unreadable", SoundPort::Sound::End, Problem::Unreadable},
            {"65 MB", SoundPort::Sound::End, Problem::TooLarge},
        };
        for (const auto& [name, sound, problem] : rows)
            QTest::newRow(name) << QString::fromLatin1(name) << int(sound) << problem;
    }
    void unplayable()
    {
        QFETCH(QString, fault);
        QFETCH(int, sound);
        QFETCH(Problem, problem);
        const QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("x.wav"));
        const QByteArray wav = test::readFile(makeSound(dir, "w.wav", {"-b", "16"}));
        const QByteArray flac = test::readFile(makeSound(dir, "f.flac", {}));
        QByteArray garbage(5000, '\0');
        for (qsizetype i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919 + 13) % 251);
        if (fault == "a folder")
            path = dir.path();
        else if (fault == "empty file")
            test::writeFile(path, {});
        else if (fault == "text")
            test::writeFile(path, "[settings]\nnot=a sound\n");
        else if (fault == "garbage")
            test::writeFile(path, garbage);
        else if (fault == "header cut short")
            test::writeFile(path, wav.left(30));
        else if (fault == "FLAC cut short")
            test::writeFile(path, flac.left(flac.size() / 2));
        else if (fault == "no samples")
            test::writeFile(path, wav.left(44));
        else if (fault == "65 MB")
            test::writeFile(path, wav + QByteArray(65 << 20, '\0'));
        else if (fault == "unreadable") {
            if (geteuid() == 0)
                QSKIP("permissions do not bind the super-user");
            test::writeFile(path, wav);
            QFile::setPermissions(path, QFile::WriteOwner);
        }
        const QtSoundPort::Reading read = QtSoundPort::read(SoundPort::Sound(sound), path);
        QCOMPARE(read.problem, problem);
        const bool end = SoundPort::Sound(sound) == SoundPort::Sound::End;
        const auto own = end ? BuiltinSounds::gong() : BuiltinSounds::warning();
        const double seconds = double(own.size()) / BuiltinSounds::kRate;
        QVERIFY(read.sound && std::fabs(levelOf(*read.sound).seconds - seconds) < 0.01);
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
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
