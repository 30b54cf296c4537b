#pragma once

#include "platform/DefaultSinkWatch.h"
#include "platform/SoundFile.h"
#include "platform/SoundPort.h"

#include <QAudioDevice>
#include <QDateTime>
#include <QFutureWatcher>
#include <QString>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class QAudioSink;
class QIODevice;

namespace kestrane {

class Element;

// Each of the two sounds is read into memory before it is needed, so that
// the first request sounds as promptly as the tenth and alternating the two
// sounds reloads nothing. A request hands the whole sound to the sound
// server at once: QSoundEffect feeds it in small pieces and, on PulseAudio,
// can stall for good before the first piece is heard.
//
// A relative path is taken from the program's folder, not from wherever the
// program was started. A request plays the file as it is on disk now: a
// file changed since it was read (modification time or size), appeared or
// gone, is read again; an unchanged one is not. A file that cannot be played
// gets the program's own sound of its kind, read with it, and the reason.
// Each request cuts off whatever plays, and plays on the output that is the
// system's default at that moment.
class QtSoundPort final : public SoundPort {
public:
    explicit QtSoundPort(QString programDir);
    ~QtSoundPort() override;
    QtSoundPort(const QtSoundPort&) = delete;
    QtSoundPort& operator=(const QtSoundPort&) = delete;

    void play(Sound sound, const QString& path) override;

    // Starts reading a sound in the background when path names a file other
    // than the one read, or the same file changed. Returns at once.
    void prepare(Sound sound, const QString& path);

    // Prepares the sound now and again whenever the box's text changes;
    // the box calls back into this player, which must outlive it.
    void follow(Sound sound, Element& box);

    // What a reading gives: the file's sound, or the built-in one and why.
    struct Reading {
        std::optional<SoundFile> sound;
        Problem problem = Problem::None;
    };
    static Reading read(Sound sound, const QString& path);

private:
    struct Slot {
        Sound sound = Sound::End;
        QString path; // what the operator gave; empty: silent
        QString file; // absolute path of what was read or is being read
        QDateTime modified;
        qint64 size = -1;
        std::unique_ptr<QFutureWatcher<Reading>> reading;
        std::optional<Reading> read; // nothing while reading
        bool playWhenRead = false;
        QAudioDevice device;
        std::unique_ptr<QAudioSink> sink;
        QIODevice* out = nullptr;
        qsizetype written = 0;
    };

    // Reads the file again unless the slot holds it, unchanged, or is
    // reading it; an empty path empties the slot.
    void ensureRead(Slot& slot, const QString& path);
    void startReading(Slot& slot);
    void finished(Slot& slot);
    void start(Slot& slot);
    void tell(const Slot& slot) const;
    // The output the system plays on now.
    QAudioDevice currentOutput() const;
    // Hands the sound server what it did not take at once.
    void feed();
    void stopAll();

    QString m_programDir;
    DefaultSinkWatch m_defaultSink;
    std::array<Slot, 2> m_slots;
    QTimer m_feeder;
};

} // namespace kestrane
