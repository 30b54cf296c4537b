#pragma once

#include <QString>

namespace kestrane {

// Plays a WAV file by its path, asynchronously: the call returns at once and
// the sound plays in the background. A new request replaces a sound that is
// still playing. The outcome is never reported back.
class SoundPort {
public:
    virtual ~SoundPort() = default;
    virtual void play(const QString& path) = 0;
};

} // namespace kestrane
