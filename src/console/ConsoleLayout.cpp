#include "console/ConsoleLayout.h"

#include "console/SetupPanel.h"
#include "match/MatchState.h"
#include "penalties/PenaltyBoxes.h"

namespace kestrane::ConsoleLayout {

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kGrey = 0xE0E0E0;     // Shiro's half
constexpr Colour kRed = 0x0000C0;      // Aka's half
constexpr Colour kDarkBlue = 0x400000; // text on grey
constexpr Colour kPanelBorder = 0x000080;
constexpr Colour kButtonGrey = 0xE1D7D5;  // the default button face
constexpr Colour kButtonRed = 0x8080FF;   // Aka's buttons and the stop buttons
constexpr Colour kButtonGreen = 0x80FF80; // Start
constexpr Colour kButtonBlue = 0xFF8080;  // KO Timer
constexpr Colour kButtonLightGreen = 0xC0FFC0;

void place(Element& e, Element* container, double left, double top, double width, double height)
{
    e.setContainer(container);
    e.setGeometry(left, top, width, height);
}

// A frame. Frames with a border show their caption on it; the borderless
// ones keep a caption that is never drawn.
void frame(Element& e, Element* container, double left, double top, double width, double height,
           const char* caption, Colour back = kWhite, bool border = true)
{
    place(e, container, left, top, width, height);
    e.setCaption(QString::fromUtf8(caption));
    e.setBackColor(back);
    e.setOpaque(true);
    e.setBorderWidth(border ? 1 : 0);
    e.setForeColor(0x000000);
    e.setFont(8.25, true);
}

// A push button. The grey ones have a lighter border than the coloured ones.
void button(Element& e, Element* container, double left, double top, double width, double height,
            const char* caption, Colour back = kButtonGrey, double points = 8.25)
{
    place(e, container, left, top, width, height);
    e.setCaption(QString::fromUtf8(caption));
    e.setBackColor(back);
    e.setForeColor(0x000000);
    e.setBorderColor(back == kButtonGrey ? 0x808080 : 0x707070);
    e.setPressedColor(0xEFD198);
    e.setHoverColor(0xFDE6BE);
    e.setOpaque(true);
    e.setFont(points, true);
}

// A transparent label; its caption only when the design fixes it (the
// match values keep what the match state gave them).
void label(Element& e, Element* container, double left, double top, double width, double height,
           double points, bool bold, Colour fore, Alignment align = Alignment::Left)
{
    place(e, container, left, top, width, height);
    e.setFont(points, bold);
    e.setForeColor(fore);
    e.setAlignment(align);
    e.setOpaque(false);
}

void caption(Element& e, const char* text)
{
    e.setCaption(QString::fromUtf8(text));
}

void textBox(Element& e, Element* container, double left, double top, double width, double height,
             double points = 8.25, bool bold = false, Alignment align = Alignment::Left)
{
    place(e, container, left, top, width, height);
    e.setFont(points, bold);
    e.setAlignment(align);
    e.setForeColor(0x000000);
    e.setBackColor(kWhite);
    e.setOpaque(true);
}

// A check box on a background of the given colour; penalty boxes are bare
// tick squares without a caption.
void checkBox(Element& e, Element* container, double left, double top, double width, double height,
              Colour back, Colour fore = 0x000000, const char* text = "", bool bold = false)
{
    place(e, container, left, top, width, height);
    e.setCaption(QString::fromUtf8(text));
    e.setBackColor(back);
    e.setForeColor(fore);
    e.setOpaque(true);
    e.setFont(8.25, bold);
}

void shape(Element& e, Element* container, ShapeKind kind, double left, double top, double width,
           double height, Colour fill, Colour border, int borderWidth)
{
    place(e, container, left, top, width, height);
    e.setShape(kind);
    e.setBackColor(fill);
    e.setOpaque(true);
    e.setBorderColor(border);
    e.setBorderWidth(borderWidth);
}

void scoringPanel(MatchState& s)
{
    frame(s.Frame2, nullptr, 120, 120, 8050, 5895, "");
    shape(s.Shape1, &s.Frame2, ShapeKind::Rectangle, 120, 200, 3900, 5500, kGrey, kGrey, 0);
    shape(s.Shape2, &s.Frame2, ShapeKind::Rectangle, 4020, 195, 3900, 5500, kRed, kRed, 0);
    shape(s.Shape3, &s.Frame2, ShapeKind::RoundedRectangle, 2160, 240, 3735, 2655, kWhite,
          kPanelBorder, 1);

    label(s.Label18, &s.Frame2, 480, 240, 1515, 690, 30, true, kDarkBlue);
    s.Label18.setBackColor(kGrey);
    s.Label18.setOpaque(true);
    label(s.Label19, &s.Frame2, 6600, 240, 1065, 690, 30, true, kWhite);
    s.Label19.setBackColor(kRed);
    s.Label19.setOpaque(true);

    for (Element* e : {&s.scwi, &s.scww, &s.scri, &s.scrw}) {
        const bool shiro = e == &s.scwi || e == &s.scww;
        const bool ippon = e == &s.scwi || e == &s.scri;
        label(*e, &s.Frame2, shiro ? 1320 : 6165, ippon ? 840 : 2280, 570, 1170, 50.25, true,
              shiro ? kDarkBlue : kWhite, Alignment::Centre);
        e->setBackColor(shiro ? kGrey : kRed);
        e->setOpaque(true);
    }

    frame(s.Frame1, &s.Frame2, 2280, 380, 3495, 2295, "Timer", kWhite, false);

    shape(s.Shape11, &s.Frame2, ShapeKind::RoundedRectangle, 3105, 3000, 1815, 1095, kWhite,
          kPanelBorder, 1);
    label(s.Label22, &s.Frame2, 3340, 3120, 1380, 210, 8.25, true, kDarkBlue);
    caption(s.Label22, "Number of Ippon");
    textBox(s.ippon, &s.Frame2, 3720, 3480, 615, 360, 9.75, true, Alignment::Centre);

    // The "S" boxes stand in Frame2 near the middle, each on its side's colour.
    label(s.Label13, &s.Frame2, 3360, 4560, 255, 300, 12, true, kDarkBlue, Alignment::Centre);
    checkBox(s.Check2, &s.Frame2, 3360, 4920, 255, 255, kGrey);
    label(s.Label9, &s.Frame2, 4320, 4560, 255, 300, 12, true, kWhite, Alignment::Centre);
    checkBox(s.Check11, &s.Frame2, 4320, 4920, 255, 255, kRed, kWhite);

    struct ScoreButton {
        Element* e;
        double left, top;
        const char* text;
        Colour back;
        double points;
    };
    const ScoreButton buttons[] = {
        {&s.SanbonB, 240, 1080, "Ippon", kButtonGrey, 8.25},
        {&s.MyButton1, 240, 1560, "-1", kButtonGrey, 12},
        {&s.NihonB, 240, 2520, "Waza-ari", kButtonGrey, 8.25},
        {&s.Command9, 240, 3000, "-1", kButtonGrey, 12},
        {&s.Command6, 6960, 1080, "Ippon", kButtonRed, 8.25},
        {&s.Command10, 6960, 1560, "-1", kButtonRed, 12},
        {&s.Command8, 6960, 2520, "Waza-ari", kButtonRed, 8.25},
        {&s.MyButton2, 6960, 3000, "-1", kButtonRed, 12},
    };
    for (const ScoreButton& b : buttons)
        button(*b.e, &s.Frame2, b.left, b.top, 855, 375, b.text, b.back, b.points);
}

void clockPanel(MatchState& s)
{
    button(s.Command3, &s.Frame1, 0, 0, 1815, 735, "Start ", kButtonGreen, 14.25);
    button(s.Command4, &s.Frame1, 1680, 0, 1815, 735, "Stop", kButtonRed, 14.25);
    // Start and Stop keep their colour under the pointer.
    s.Command3.setHoverColor(Element::kNoColour);
    s.Command4.setHoverColor(Element::kNoColour);
    button(s.Command11, &s.Frame1, 960, 960, 1575, 375, "KO Timer", kButtonBlue);
    button(s.tijdu, &s.Frame1, 3000, 960, 495, 555, "");
    s.tijdu.setPicture(QStringLiteral("arrow-up"));
    button(s.tijdd, &s.Frame1, 3000, 1680, 495, 555, "");
    s.tijdd.setPicture(QStringLiteral("arrow-down"));

    // Minutes are right-aligned against the colon, so that ten minutes and
    // more grow to the left and show in full.
    label(s.Label1, &s.Frame1, 680, 1320, 600, 1125, 48, true, kDarkBlue, Alignment::Right);
    label(s.Label4, &s.Frame1, 1290, 1320, 345, 1125, 48, false, kDarkBlue);
    label(s.Label2, &s.Frame1, 1635, 1320, 600, 1125, 48, true, kDarkBlue);
    label(s.Label3, &s.Frame1, 2235, 1320, 600, 1125, 48, true, kDarkBlue);
}

void penaltyPanel(MatchState& s, bool shiro)
{
    Element& panel = shiro ? s.Frame20 : s.Frame21;
    const Colour back = shiro ? kGrey : kRed;
    const Colour fore = shiro ? kDarkBlue : kWhite;
    frame(panel, &s.Frame2, shiro ? 240 : 5160, 3720, 2655, 1815, "", back, false);

    Element* rows[3] = {shiro ? &s.Frame3 : &s.Frame5, shiro ? &s.Frame18 : &s.Frame19,
                        shiro ? &s.Frame4 : &s.Frame6};
    const double rowTop[3] = {shiro ? 250.0 : 280.0, shiro ? 750.0 : 780.0,
                              shiro ? 1250.0 : 1280.0};
    for (int r = 0; r < 3; ++r)
        frame(*rows[r], &panel, 280, rowTop[r], 2300, 500, "", back, true);

    // Column captions over "A", "C", "H"; row captions at the left edge.
    Element* columns[3] = {shiro ? &s.Label12 : &s.Label14, shiro ? &s.Label26 : &s.Label27,
                           shiro ? &s.Label11 : &s.Label15};
    const double columnLeft[3] = {1005, 1600, 2200};
    const char* columnText[3] = {"A", "C", "H"};
    for (int c = 0; c < 3; ++c) {
        label(*columns[c], &panel, columnLeft[c], 0, 255, 225, 8.25, true, fore, Alignment::Centre);
        caption(*columns[c], columnText[c]);
    }
    Element* rowLabels[3] = {shiro ? &s.Label7 : &s.Label17, shiro ? &s.Label10 : &s.Label16,
                             shiro ? &s.Label8 : &s.Label21};
    const double rowLabelTop[3] = {420, shiro ? 930.0 : 960.0, shiro ? 1410.0 : 1440.0};
    const char* rowText[3] = {"A", "M", "J"};
    for (int r = 0; r < 3; ++r) {
        label(*rowLabels[r], &panel, 0, rowLabelTop[r], 255, 225, 8.25, true, fore,
              Alignment::Centre);
        caption(*rowLabels[r], rowText[r]);
    }
    // The row "A" caption belongs to the other rule set: hidden at first.
    rowLabels[0]->setVisible(false);

    // Each box in its row frame; the extra box of row "J" stands before "A".
    const PenaltyBox::Side side = shiro ? PenaltyBox::Side::Shiro : PenaltyBox::Side::Aka;
    for (const PenaltyBox& box : kPenaltyBoxes) {
        if (box.side != side || !box.inGrid())
            continue;
        const double left[] = {120, 720, 1320, 1920}; // by column: extra, A, C, H
        checkBox(s.check(box.box), rows[static_cast<int>(box.row)],
                 left[static_cast<int>(box.column)], 200, 255, 255, back, fore);
    }
}

void rightColumn(MatchState& s)
{
    frame(s.Frame8, nullptr, 8280, 120, 1935, 1575, "Time");
    button(s.Command5, &s.Frame8, 120, 240, 1695, 375, "Reset time");
    label(s.Label30, &s.Frame8, 120, 750, 945, 225, 9, true, 0x000000);
    caption(s.Label30, "Match time");
    textBox(s.Text5, &s.Frame8, 1080, 720, 330, 285);
    label(s.Label5, &s.Frame8, 1425, 750, 105, 225, 9, true, 0x000000, Alignment::Centre);
    textBox(s.Text6, &s.Frame8, 1545, 720, 330, 285);
    button(s.Command17, &s.Frame8, 120, 1100, 1695, 375, "Extra time");

    frame(s.Frame17, nullptr, 8280, 1680, 1935, 615, "");
    button(s.Command16, &s.Frame17, 120, 160, 1695, 375, "60 Seconds");

    frame(s.Frame9, nullptr, 8280, 2295, 1935, 735, "Field number");
    textBox(s.Text1, &s.Frame9, 120, 260, 615, 330);
    button(s.Command12, &s.Frame9, 960, 240, 855, 375, "Set");

    frame(s.Frame10, nullptr, 8280, 3015, 1935, 600, "");
    button(s.Command13, &s.Frame10, 120, 150, 1695, 375, "Reset match");

    frame(s.Frame11, nullptr, 8280, 3645, 1935, 1100, "External scorebord");
    button(s.command1, &s.Frame11, 120, 240, 1695, 375, "Start Scoreboard", kButtonLightGreen);
    button(s.Command2, &s.Frame11, 120, 660, 1695, 375, "Close Scoreboard", kButtonRed);

    frame(s.Frame14, nullptr, 8280, 4755, 1935, 615, "");
    button(s.MyButton9, &s.Frame14, 120, 160, 1695, 375, "Setup");

    frame(s.Frame7, nullptr, 8280, 5400, 1935, 615, "");
    button(s.Command14, &s.Frame7, 120, 160, 1695, 375, "Close");
}

void setupRow(MatchState& s)
{
    frame(s.Frame13, nullptr, 120, 6240, 6855, 1575, "Setup");
    button(s.MyButton3, &s.Frame13, 240, 240, 1245, 375, "End of match");
    textBox(s.eindwav, &s.Frame13, 1680, 300, 4335, 285);
    button(s.MyButton5, &s.Frame13, 6120, 240, 525, 375, "");
    s.MyButton5.setPicture(QStringLiteral("folder"));
    button(s.MyButton4, &s.Frame13, 240, 720, 1245, 375, "Warning");
    textBox(s.waarwav, &s.Frame13, 1680, 750, 4335, 315);
    button(s.MyButton8, &s.Frame13, 6120, 720, 525, 375, "");
    s.MyButton8.setPicture(QStringLiteral("folder"));

    checkBox(s.Check25, &s.Frame13, 120, 1200, 2535, 255, kWhite, 0x000000,
             "Two Waza-ari is one Ippon", true);
    checkBox(s.Check26, &s.Frame13, 2670, 1200, 825, 255, kWhite, 0x000000, "WUKF", true);
    label(s.Label25, &s.Frame13, 3520, 1220, 1050, 210, 8.25, true, 0x000000);
    caption(s.Label25, "Mirror board");
    checkBox(s.Check24, &s.Frame13, 4680, 1200, 975, 255, kWhite, 0x000000, "internal", true);
    checkBox(s.Check23, &s.Frame13, 5760, 1200, 975, 255, kWhite, 0x000000, "external", true);

    // Separators: under the two sound lines, and between the scoring options
    // and the mirror options. A line runs from (left, top) by (width, height).
    for (Element* line : {&s.Line1, &s.Line2}) {
        line->setForeColor(0x808080);
        line->setBorderColor(0x808080);
        line->setBorderWidth(1);
    }
    place(s.Line1, &s.Frame13, 120, 1140, 6615, 0);
    place(s.Line2, &s.Frame13, 3505, 1200, 0, 255);

    // Shown, with the path box narrowed to make room, while a sound file
    // cannot be played.
    for (Element* why : {&s.eindwavWhy, &s.waarwavWhy}) {
        const double top = why == &s.eindwavWhy ? 330 : 780;
        label(*why, &s.Frame13, SetupPanel::kWhyLeft, top, 6045 - SetupPanel::kWhyLeft, 225, 8.25,
              true, 0x0000C0);
        why->setVisible(false);
    }

    frame(s.Frame15, nullptr, 7080, 6240, 2055, 1575, "Scoreboard correction");
    struct Scale {
        Element* label;
        Element* box;
        const char* text;
        double top;
    };
    const Scale scales[] = {{&s.Label6, &s.hsch, "Horiz. scale", 315},
                            {&s.Label24, &s.vsch, "Vert.scale", 720},
                            {&s.Label23, &s.fsch, "Font scale", 1080}};
    for (const Scale& sc : scales) {
        label(*sc.label, &s.Frame15, 120, sc.top + 45, 1140, 225, 8.25, true, 0x000000);
        caption(*sc.label, sc.text);
        textBox(*sc.box, &s.Frame15, 1320, sc.top, 600, 315);
    }

    frame(s.Frame16, nullptr, 9240, 6240, 975, 1575, "");
    button(s.MyButton7, &s.Frame16, 120, 1080, 735, 375, "Save");
}

void outOfView(MatchState& s)
{
    // The KO panel is a child of the window, so that at 2400, 500 it lies
    // exactly over the clock frame; until then it waits below the window.
    frame(s.Frame12, nullptr, 2760, 9000, 3495, 2415, "Timer", kWhite, false);
    label(s.Label20, &s.Frame12, 480, 120, 2535, 1575, 72, true, kDarkBlue, Alignment::Centre);
    button(s.Command15, &s.Frame12, 960, 1800, 1575, 375, "Stop", kButtonRed);

    // The board's measured size, right of the visible area.
    textBox(s.sbtxt, nullptr, 10800, 120, 615, 285);
    textBox(s.shtxt, nullptr, 10800, 480, 615, 285);
}

void menu(MatchState& s)
{
    caption(s.Menu, "Menu");
    struct Item {
        Element* e;
        const char* text;
    };
    const Item items[] = {
        {&s.startext, "Start external scoreboard"},
        {&s.closeext, "Close external scoreboard"},
        {&s.lijn1, "-"},
        {&s.setu, "Setup"},
        {&s.lijn2, "-"},
        {&s.rema, "Reset match"},
        {&s.retime, "Reset time"},
        {&s.etime, "Extra time"},
        {&s.zessec, "60 seconds"},
        {&s.lijn3, "-"},
        {&s.over, "About"},
        {&s.lijn5, "-"},
        {&s.sluit, "Close"},
    };
    for (const Item& i : items) {
        i.e->setContainer(&s.Menu);
        caption(*i.e, i.text);
    }
}

} // namespace

void apply(MatchState& state)
{
    caption(state.Kumite2, "Kestrane " KESTRANE_VERSION);
    state.Kumite2.setBackColor(kWhite);
    scoringPanel(state);
    clockPanel(state);
    penaltyPanel(state, true);
    penaltyPanel(state, false);
    rightColumn(state);
    setupRow(state);
    outOfView(state);
    menu(state);
}

} // namespace kestrane::ConsoleLayout
