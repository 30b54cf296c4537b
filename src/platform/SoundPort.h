#pragma once

#include <QString>

#include <functional>

namespace kestrane {

// Plays a sound file by its path, asynchronously: the call returns at once
// and the sound plays in the background. A new request replaces a sound that
// is still playing. The path is the text the operator gave, unchanged; how it
// is found on disk is the player's business. Which of the two sounds is asked
// for lets a player keep each one loaded.
//
// An empty path is silent. A file that cannot be played is replaced by the
// program's own sound of that kind, so that the hall still hears it, and the
// player says why through problemFound: when it finds out (a file chosen,
// typed or read at start-up) and again each time the replacement plays.
// Problem::None tells that the path plays as it is (or is empty).
class SoundPort {
public:
    enum class Sound { End, Warning };
    enum class Problem {
        None,
        Missing,
        Unreadable,
        TooLarge,
        NotSound,
        Unsupported,
        Damaged,
        Silent
    };

    virtual ~SoundPort() = default;
    virtual void play(Sound sound, const QString& path) = 0;

    std::function<void(Sound, Problem)> problemFound;
};

} // namespace kestrane
