#include "console/Kumite2.h"

#include "console/ConsoleLayout.h"

namespace kestrane {

Kumite2::Kumite2(Ports p, QString folder) : ports(p), programDir(std::move(folder))
{
    ConsoleLayout::apply(state);

    signal.wire();
    scoring.wire();
    clock.wire();
    corrections.wire();
    koTimer.wire();
    penalties.wire();
    ruleSets.wire();
    boardOpening.wire();
    boardSync.wire();
    boardNames.wire();
    sideSwap.wire();
    setup.wire();
    commands.wire();
    startUp.wire();
    day.wire();
}

} // namespace kestrane
