#pragma once

#include "platform/SoundPort.h"

#include <QString>

namespace kestrane {

class Element;
class FileDialogPort;
class MatchState;
class MessagePort;
class SoundPort;

// The setup row: opening and closing it, choosing the sound files, and the
// input checks: the digit filter of the number boxes and the single-line
// rule of the path and scale boxes, and the reason beside a path box whose
// file cannot be played.
//
// The console window feeds each typed character through the box's
// keyPress() and all other text that enters the box (pasted by any means,
// dropped, from an input method) through its filterText(); keys that type
// no character (arrows, Delete, Home, End) never reach the key filter.
class SetupPanel {
public:
    // Where the reason starts in the setup frame; the path box ends before it.
    static constexpr double kWhyLeft = 4245;
    static constexpr double kPathWidth = 4335;

    // The short text naming why a sound file cannot be played; empty for None.
    static QString problemText(SoundPort::Problem problem);

    SetupPanel(MatchState& state, SoundPort& sound, MessagePort& messages, FileDialogPort& files)
        : m_state(state), m_sound(sound), m_messages(messages), m_files(files)
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void MyButton9_Click();
    void setu_Click();
    void MyButton5_Click();
    void MyButton8_Click();
    // The digit filter of ippon, Text1, Text5 and Text6: returns the code
    // to pass on, 0 to discard the key.
    int digitFilter(int code);

private:
    void chooseSoundFile(Element& box);
    void showProblem(SoundPort::Sound sound, SoundPort::Problem problem);

    MatchState& m_state;
    SoundPort& m_sound;
    MessagePort& m_messages;
    FileDialogPort& m_files;
};

} // namespace kestrane
