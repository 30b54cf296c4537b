#pragma once

#include "core/Element.h"

#include <QString>

#include <array>
#include <deque>
#include <vector>

namespace kestrane {

// The record of one match and of the operator's settings, kept exactly as
// the console keeps it: one element per console control, under the control's
// own name. Every value is the caption, text, check value or on/off state of
// one of these elements. The console window binds one widget to each.
//
// The constructor gives every element its kind, its name and the initial
// match value; the console's design layout (geometry, containers, colours,
// fonts, the captions of the controls) is applied by ConsoleLayout.
class MatchState {
public:
    MatchState();
    MatchState(const MatchState&) = delete;
    MatchState& operator=(const MatchState&) = delete;

    // Every element, in declaration order.
    const std::vector<Element*>& elements() const { return m_elements; }
    Element* find(const QString& name) const;
    // The penalty box CheckN, 1 <= n <= 26 (1 to 22 are the penalty boxes).
    Element& check(int n) const;

private:
    Element& add(ElementKind kind, const char* name);

    std::deque<Element> m_store;
    std::vector<Element*> m_elements;

public:
    // The console window itself: outer Left, Top, Width, Height in twips.
    Element& Kumite2 = add(ElementKind::Form, "Kumite2");
    // Typed characters go to Form_KeyPress first while this is on.
    bool keyPreview = true;

    // Scoring panel.
    Element& Frame2 = add(ElementKind::Frame, "Frame2");
    Element& Shape1 = add(ElementKind::Shape, "Shape1");
    Element& Shape2 = add(ElementKind::Shape, "Shape2");
    Element& Shape3 = add(ElementKind::Shape, "Shape3");
    Element& Label18 = add(ElementKind::Label, "Label18"); // "Shiro"
    Element& Label19 = add(ElementKind::Label, "Label19"); // "Aka"
    Element& scwi = add(ElementKind::Label, "scwi");
    Element& scww = add(ElementKind::Label, "scww");
    Element& scri = add(ElementKind::Label, "scri");
    Element& scrw = add(ElementKind::Label, "scrw");
    Element& Shape11 = add(ElementKind::Shape, "Shape11");
    Element& Label22 = add(ElementKind::Label, "Label22");
    Element& ippon = add(ElementKind::TextBox, "ippon");
    Element& SanbonB = add(ElementKind::Button, "SanbonB");
    Element& MyButton1 = add(ElementKind::Button, "MyButton1");
    Element& NihonB = add(ElementKind::Button, "NihonB");
    Element& Command9 = add(ElementKind::Button, "Command9");
    Element& Command6 = add(ElementKind::Button, "Command6");
    Element& Command10 = add(ElementKind::Button, "Command10");
    Element& Command8 = add(ElementKind::Button, "Command8");
    Element& MyButton2 = add(ElementKind::Button, "MyButton2");

    // Clock panel.
    Element& Frame1 = add(ElementKind::Frame, "Frame1");
    Element& Command3 = add(ElementKind::Button, "Command3");   // "Start "
    Element& Command4 = add(ElementKind::Button, "Command4");   // "Stop"
    Element& Command11 = add(ElementKind::Button, "Command11"); // "KO Timer"
    Element& tijdu = add(ElementKind::Button, "tijdu");
    Element& tijdd = add(ElementKind::Button, "tijdd");
    Element& Label1 = add(ElementKind::Label, "Label1"); // minutes
    Element& Label4 = add(ElementKind::Label, "Label4"); // ":"
    Element& Label2 = add(ElementKind::Label, "Label2"); // tens of seconds
    Element& Label3 = add(ElementKind::Label, "Label3"); // units of seconds

    // Penalty panels: Shiro's Frame20 with row frames Frame3, Frame18, Frame4;
    // Aka's Frame21 with Frame5, Frame19, Frame6.
    Element& Frame20 = add(ElementKind::Frame, "Frame20");
    Element& Frame3 = add(ElementKind::Frame, "Frame3");
    Element& Frame18 = add(ElementKind::Frame, "Frame18");
    Element& Frame4 = add(ElementKind::Frame, "Frame4");
    Element& Label12 = add(ElementKind::Label, "Label12"); // column "A"
    Element& Label26 = add(ElementKind::Label, "Label26"); // column "C"
    Element& Label11 = add(ElementKind::Label, "Label11"); // column "H"
    Element& Label7 = add(ElementKind::Label, "Label7");   // row "A" (WUKF)
    Element& Label10 = add(ElementKind::Label, "Label10"); // row "M"
    Element& Label8 = add(ElementKind::Label, "Label8");   // row "J"
    Element& Frame21 = add(ElementKind::Frame, "Frame21");
    Element& Frame5 = add(ElementKind::Frame, "Frame5");
    Element& Frame19 = add(ElementKind::Frame, "Frame19");
    Element& Frame6 = add(ElementKind::Frame, "Frame6");
    Element& Label14 = add(ElementKind::Label, "Label14"); // column "A"
    Element& Label27 = add(ElementKind::Label, "Label27"); // column "C"
    Element& Label15 = add(ElementKind::Label, "Label15"); // column "H"
    Element& Label17 = add(ElementKind::Label, "Label17"); // row "A" (WUKF)
    Element& Label16 = add(ElementKind::Label, "Label16"); // row "M"
    Element& Label21 = add(ElementKind::Label, "Label21"); // row "J"
    Element& Label13 = add(ElementKind::Label, "Label13"); // "S" above Check2
    Element& Label9 = add(ElementKind::Label, "Label9");   // "S" above Check11
    Element& Check1 = add(ElementKind::CheckBox, "Check1");
    Element& Check2 = add(ElementKind::CheckBox, "Check2");
    Element& Check3 = add(ElementKind::CheckBox, "Check3");
    Element& Check4 = add(ElementKind::CheckBox, "Check4");
    Element& Check5 = add(ElementKind::CheckBox, "Check5");
    Element& Check6 = add(ElementKind::CheckBox, "Check6");
    Element& Check7 = add(ElementKind::CheckBox, "Check7");
    Element& Check8 = add(ElementKind::CheckBox, "Check8");
    Element& Check9 = add(ElementKind::CheckBox, "Check9");
    Element& Check10 = add(ElementKind::CheckBox, "Check10");
    Element& Check11 = add(ElementKind::CheckBox, "Check11");
    Element& Check12 = add(ElementKind::CheckBox, "Check12");
    Element& Check13 = add(ElementKind::CheckBox, "Check13");
    Element& Check14 = add(ElementKind::CheckBox, "Check14");
    Element& Check15 = add(ElementKind::CheckBox, "Check15");
    Element& Check16 = add(ElementKind::CheckBox, "Check16");
    Element& Check17 = add(ElementKind::CheckBox, "Check17");
    Element& Check18 = add(ElementKind::CheckBox, "Check18");
    Element& Check19 = add(ElementKind::CheckBox, "Check19");
    Element& Check20 = add(ElementKind::CheckBox, "Check20");
    Element& Check21 = add(ElementKind::CheckBox, "Check21");
    Element& Check22 = add(ElementKind::CheckBox, "Check22");

    // Right-hand column.
    Element& Frame8 = add(ElementKind::Frame, "Frame8");        // "Time"
    Element& Command5 = add(ElementKind::Button, "Command5");   // "Reset time"
    Element& Label30 = add(ElementKind::Label, "Label30");      // "Match time"
    Element& Text5 = add(ElementKind::TextBox, "Text5");        // match minutes
    Element& Label5 = add(ElementKind::Label, "Label5");        // ":"
    Element& Text6 = add(ElementKind::TextBox, "Text6");        // match seconds
    Element& Command17 = add(ElementKind::Button, "Command17"); // "Extra time"
    Element& Frame17 = add(ElementKind::Frame, "Frame17");
    Element& Command16 = add(ElementKind::Button, "Command16"); // "60 Seconds"
    Element& Frame9 = add(ElementKind::Frame, "Frame9");        // "Field number"
    Element& Text1 = add(ElementKind::TextBox, "Text1");
    Element& Command12 = add(ElementKind::Button, "Command12"); // "Set"
    Element& Frame10 = add(ElementKind::Frame, "Frame10");
    Element& Command13 = add(ElementKind::Button, "Command13"); // "Reset match"
    Element& Frame11 = add(ElementKind::Frame, "Frame11");      // "External scorebord"
    Element& command1 = add(ElementKind::Button, "command1");   // "Start Scoreboard"
    Element& Command2 = add(ElementKind::Button, "Command2");   // "Close Scoreboard"
    Element& Frame14 = add(ElementKind::Frame, "Frame14");
    Element& MyButton9 = add(ElementKind::Button, "MyButton9"); // "Setup"
    Element& Frame7 = add(ElementKind::Frame, "Frame7");
    Element& Command14 = add(ElementKind::Button, "Command14"); // "Close"

    // Setup row.
    Element& Frame13 = add(ElementKind::Frame, "Frame13");      // "Setup"
    Element& MyButton3 = add(ElementKind::Button, "MyButton3"); // "End of match"
    Element& eindwav = add(ElementKind::TextBox, "eindwav");
    Element& MyButton5 = add(ElementKind::Button, "MyButton5"); // browse
    Element& MyButton4 = add(ElementKind::Button, "MyButton4"); // "Warning"
    Element& waarwav = add(ElementKind::TextBox, "waarwav");
    Element& MyButton8 = add(ElementKind::Button, "MyButton8"); // browse
    Element& Check25 = add(ElementKind::CheckBox, "Check25");   // two waza-ari
    Element& Check26 = add(ElementKind::CheckBox, "Check26");   // WUKF
    Element& Label25 = add(ElementKind::Label, "Label25");      // "Mirror board"
    Element& Check24 = add(ElementKind::CheckBox, "Check24");   // "internal"
    Element& Check23 = add(ElementKind::CheckBox, "Check23");   // "external"
    Element& Line1 = add(ElementKind::Line, "Line1");
    Element& Line2 = add(ElementKind::Line, "Line2");
    // Why a sound file cannot be played, beside its path box; empty otherwise.
    Element& eindwavWhy = add(ElementKind::Label, "eindwavWhy");
    Element& waarwavWhy = add(ElementKind::Label, "waarwavWhy");
    Element& Frame15 = add(ElementKind::Frame, "Frame15"); // "Scoreboard correction"
    Element& Label6 = add(ElementKind::Label, "Label6");   // "Horiz. scale"
    Element& hsch = add(ElementKind::TextBox, "hsch");
    Element& Label24 = add(ElementKind::Label, "Label24"); // "Vert.scale"
    Element& vsch = add(ElementKind::TextBox, "vsch");
    Element& Label23 = add(ElementKind::Label, "Label23"); // "Font scale"
    Element& fsch = add(ElementKind::TextBox, "fsch");
    Element& Frame16 = add(ElementKind::Frame, "Frame16");
    Element& MyButton7 = add(ElementKind::Button, "MyButton7"); // "Save"

    // KO count panel, out of view until opened.
    Element& Frame12 = add(ElementKind::Frame, "Frame12");
    Element& Command15 = add(ElementKind::Button, "Command15"); // "Stop"
    Element& Label20 = add(ElementKind::Label, "Label20");      // the count

    // The board's measured size, outside the visible area.
    Element& sbtxt = add(ElementKind::TextBox, "sbtxt");
    Element& shtxt = add(ElementKind::TextBox, "shtxt");

    // Timers.
    Element& Timer1 = add(ElementKind::Timer, "Timer1"); // match clock
    Element& Timer2 = add(ElementKind::Timer, "Timer2"); // KO count
    Element& Timer3 = add(ElementKind::Timer, "Timer3"); // Aka's name blinks
    Element& Timer4 = add(ElementKind::Timer, "Timer4"); // Shiro's name blinks

    // The menu "Menu" and its items, in order.
    Element& Menu = add(ElementKind::MenuItem, "Menu");
    Element& startext = add(ElementKind::MenuItem, "startext");
    Element& closeext = add(ElementKind::MenuItem, "closeext");
    Element& lijn1 = add(ElementKind::MenuItem, "lijn1");
    Element& setu = add(ElementKind::MenuItem, "setu");
    Element& lijn2 = add(ElementKind::MenuItem, "lijn2");
    Element& rema = add(ElementKind::MenuItem, "rema");
    Element& retime = add(ElementKind::MenuItem, "retime");
    Element& etime = add(ElementKind::MenuItem, "etime");
    Element& zessec = add(ElementKind::MenuItem, "zessec");
    Element& lijn3 = add(ElementKind::MenuItem, "lijn3");
    Element& over = add(ElementKind::MenuItem, "over");
    Element& lijn5 = add(ElementKind::MenuItem, "lijn5");
    Element& sluit = add(ElementKind::MenuItem, "sluit");

    // The menu items of "Menu", in their order (separators included).
    std::vector<Element*> menuItems() const;

private:
    // Check1 to Check26 by number.
    const std::array<Element*, 26> m_checks{
        &Check1,  &Check2,  &Check3,  &Check4,  &Check5,  &Check6,  &Check7,  &Check8,  &Check9,
        &Check10, &Check11, &Check12, &Check13, &Check14, &Check15, &Check16, &Check17, &Check18,
        &Check19, &Check20, &Check21, &Check22, &Check23, &Check24, &Check25, &Check26};
};

} // namespace kestrane
