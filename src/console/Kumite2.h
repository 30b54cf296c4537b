#pragma once

#include "board/BoardHolder.h"
#include "board/BoardNames.h"
#include "board/BoardOpening.h"
#include "board/BoardSync.h"
#include "board/SideSwap.h"
#include "clock/ClockCorrections.h"
#include "clock/KoTimer.h"
#include "clock/MatchClock.h"
#include "clock/MatchReset.h"
#include "console/CloseGuard.h"
#include "console/ConsoleCommands.h"
#include "console/SetupPanel.h"
#include "console/StartUp.h"
#include "match/Competitors.h"
#include "match/MatchState.h"
#include "match/Scoring.h"
#include "match/WinnerSignal.h"
#include "penalties/PenaltyPanel.h"
#include "penalties/RuleSets.h"
#include "platform/FileDialogPort.h"
#include "platform/MessagePort.h"
#include "platform/ScreenPort.h"
#include "platform/SoundPort.h"
#include "platform/WindowPort.h"
#include "tournament/TournamentDay.h"

#include <QString>

namespace kestrane {

// What the console model needs of the platform.
struct Ports {
    SoundPort& sound;
    MessagePort& messages;
    FileDialogPort& files;
    ScreenPort& screens;
    WindowPort& windows;
};

// The operator console as a model: the match state, the audience board it
// writes into, and every procedure and handler of the console, grouped by
// the part of the system they belong to. The views bind widgets to the
// elements of `state` and of the board; every handler runs from an element
// event (click, value change, caption assignment, timer tick).
class Kumite2 {
public:
    // programDir is the folder of the settings file kumite.ini.
    Kumite2(Ports ports, QString programDir);
    Kumite2(const Kumite2&) = delete;
    Kumite2& operator=(const Kumite2&) = delete;

    // The audience board, created hidden when none exists.
    Kubord2& kubord2() { return boards.board(); }

    // The console's key handler, run for each typed character while the key
    // preview is on, before the character reaches the focused control.
    void Form_KeyPress(int code) { clock.Form_KeyPress(code); }

    MatchState state;
    // The pair on the mat, when the operator named them (empty otherwise).
    Competitors competitors;
    BoardHolder boards;
    Ports ports;
    const QString programDir;

    WinnerSignal signal{*this};
    Scoring scoring{*this};
    MatchClock clock{*this};
    ClockCorrections corrections{*this};
    KoTimer koTimer{*this};
    MatchReset matchReset{*this};
    PenaltyPanel penalties{*this};
    RuleSets ruleSets{*this};
    BoardOpening boardOpening{*this};
    BoardSync boardSync{*this};
    BoardNames boardNames{*this};
    SideSwap sideSwap{*this};
    SetupPanel setup{*this};
    ConsoleCommands commands{*this};
    CloseGuard closeGuard{*this};
    // The match list, the results log and the day's set-up.
    TournamentDay day{*this};
    StartUp startUp{*this};
};

} // namespace kestrane
