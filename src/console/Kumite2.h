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

// The console as a model, and where its parts are put together: it owns the
// match state, the audience board's holder, the platform ports and every
// part (the procedures and handlers of the console, grouped by the part of
// the system they belong to), and wires them. No part sees this class; each
// is handed what it uses. The views bind widgets to the elements of `state`
// and of the board; every handler runs from an element event (click, value
// change, caption assignment, timer tick).
class Kumite2 {
public:
    // programDir is the folder of the settings file kumite.ini.
    Kumite2(Ports ports, QString programDir);
    Kumite2(const Kumite2&) = delete;
    Kumite2& operator=(const Kumite2&) = delete;

    // The console's key handler, run for each typed character while the key
    // preview is on, before the character reaches the focused control.
    void Form_KeyPress(int code) { clock.Form_KeyPress(code); }

    MatchState state;
    // The pair on the mat, when the operator named them (empty otherwise).
    Competitors competitors;
    BoardHolder boards;
    Ports ports;
    const QString programDir;

    // The parts, each given what it uses. Declared in the order they are
    // built; a part may be handed one built later, for it only keeps the
    // reference until wire() runs.
    WinnerSignal signal{state, boards, ports.sound};
    Scoring scoring{state, boards, signal, [this] { clock.stoppen(); }};
    MatchClock clock{state, boards, signal};
    ClockCorrections corrections{state, clock, signal, matchReset};
    KoTimer koTimer{state, boards, clock, signal};
    MatchReset matchReset{state, boards, clock, signal};
    PenaltyPanel penalties{state, boards, signal};
    RuleSets ruleSets{state, boards};
    BoardSync boardSync{state, boards, [this] { boardOpening.closeBoard(); }};
    BoardNames boardNames{competitors, boards};
    BoardOpening boardOpening{
        state,    boards,    ports.screens, ports.messages,
        ruleSets, boardSync, boardNames,    [this] { return commands.closed(); }};
    SideSwap sideSwap{state};
    SetupPanel setup{state, ports.sound, ports.messages, ports.files};
    ConsoleCommands commands{state, ports.windows, boardOpening, day};
    CloseGuard closeGuard{state, ports.messages, koTimer, commands};
    // The match list, the results log and the day's set-up.
    TournamentDay day{
        state, competitors, ports.messages, ports.files,
        clock, matchReset,  programDir,     [this] { return closeGuard.matchUnderWay(); }};
    StartUp startUp{state, ports.messages, ruleSets, clock, day, programDir};
};

} // namespace kestrane
