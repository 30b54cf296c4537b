#pragma once

#include "platform/SoundPort.h"

#include <memory>

class QSoundEffect;

namespace kestrane {

// One QSoundEffect: each request replaces the sound that is playing. Only a
// regular file is played; anything else just silences the player.
class QtSoundPort final : public SoundPort {
public:
    QtSoundPort();
    ~QtSoundPort() override;
    void play(const QString& path) override;
    // After the console has closed, nothing may sound any more.
    void disable();

private:
    std::unique_ptr<QSoundEffect> m_effect;
    bool m_disabled = false;
};

} // namespace kestrane
