#pragma once

#include "platform/SoundPort.h"
#include "platform/WavFile.h"

#include <QDateTime>
#include <QFileInfo>
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
// file changed since it was read (modification time or size), or one whose
// last reading failed, is read again; an unchanged one is not. Each request
// cuts off whatever plays. Anything that is not a playable WAV file stays
// silent, without a message.
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

private:
    struct Slot {
        QString file; // absolute path of what was read or is being read
        QDateTime modified;
        qint64 size = -1;
        std::unique_ptr<QFutureWatcher<std::optional<WavFile>>> reading;
        std::optional<WavFile> wav; // nothing while reading or after a failure
        bool playWhenRead = false;
        std::unique_ptr<QAudioSink> sink;
        QIODevice* out = nullptr;
        qsizetype written = 0;
    };

    // The regular file a path names, relative ones taken from the program's
    // folder; nothing for anything else.
    std::optional<QFileInfo> locate(const QString& path) const;
    // Reads the file again unless the slot holds it, unchanged, or is
    // reading it.
    void ensureRead(Slot& slot, const QFileInfo& file);
    void read(Slot& slot);
    void start(Slot& slot);
    // Hands the sound server what it did not take at once.
    void feed();
    void stopAll();

    QString m_programDir;
    std::array<Slot, 2> m_slots;
    QTimer m_feeder;
};

} // namespace kestrane
