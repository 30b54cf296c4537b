#pragma once

#include "platform/SoundPort.h"

#include <QDateTime>
#include <QFileInfo>
#include <QString>

#include <array>
#include <memory>
#include <optional>

class QSoundEffect;

namespace kestrane {

class Element;

// One QSoundEffect per sound, loaded before it is needed, so that the first
// request sounds as promptly as the tenth and alternating the two sounds
// reloads nothing. A relative path is taken from the program's folder, not
// from wherever the program was started. A request plays the file as it is
// on disk now: a file changed since it was loaded (modification time or
// size), or one whose last load failed, is loaded again. Each request cuts
// off whatever plays. Anything that is not a playable regular file stays
// silent.
class QtSoundPort final : public SoundPort {
public:
    explicit QtSoundPort(QString programDir);
    ~QtSoundPort() override;
    QtSoundPort(const QtSoundPort&) = delete;
    QtSoundPort& operator=(const QtSoundPort&) = delete;

    void play(Sound sound, const QString& path) override;

    // Starts loading a sound when path names a file other than the one
    // loaded. Returns at once: the effect loads in the background.
    void prepare(Sound sound, const QString& path);

    // Prepares the sound now and again whenever the box's text changes;
    // the box calls back into this player, which must outlive it.
    void follow(Sound sound, Element& box);

private:
    struct Slot {
        std::unique_ptr<QSoundEffect> effect;
        QString file; // absolute path of what the effect holds
        QDateTime modified;
        qint64 size = -1;
        bool failed = false;
    };

    // The regular file a path names, relative ones taken from the program's
    // folder; nothing for anything else.
    std::optional<QFileInfo> locate(const QString& path) const;
    // Loads the file unless the slot already holds it unchanged and loaded.
    void ensureLoaded(Slot& slot, const QFileInfo& file);

    QString m_programDir;
    std::array<Slot, 2> m_slots;
};

} // namespace kestrane
