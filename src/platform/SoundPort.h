#pragma once

#include <QString>

namespace kestrane {

// Plays a WAV file by its path, asynchronously: the call returns at once and
// the sound plays in the background. A new request replaces a sound that is
// still playing. The outcome is never reported back. The path is the text
// the operator gave, unchanged; how it is found on disk is the player's
// business. Which of the two sounds is asked for lets a player keep each
// one loaded.
class SoundPort {
public:
    enum class Sound { End, Warning };

    virtual ~SoundPort() = default;
    virtual void play(Sound sound, const QString& path) = 0;
};

} // namespace kestrane
