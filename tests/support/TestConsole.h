#pragma once

#include "console/Kumite2.h"
#include "support/FakePorts.h"

#include <QTemporaryDir>

namespace kestrane::test {

// A console model on fake ports, with its program folder in a fresh
// temporary directory.
struct TestConsole {
    QTemporaryDir dir;
    FakePorts ports;
    Kumite2 k{{ports.sound, ports.messages, ports.files, ports.screens, ports.windows}, dir.path()};
    MatchState& s = k.state;
};

} // namespace kestrane::test
