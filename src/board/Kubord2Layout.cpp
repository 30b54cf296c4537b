#include "board/Kubord2.h"

#include <utility>

namespace kestrane {

namespace {

// The board's colours, 0x00BBGGRR.
constexpr Colour kRed = 0x0000C0;
constexpr Colour kBrightRed = 0x0000FF;
constexpr Colour kDarkRed = 0x000070;
constexpr Colour kVeryDarkRed = 0x000040;
constexpr Colour kMaroon = 0x000080;
constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kBlue = 0xC00000;
constexpr Colour kLightGrey = 0xE0E0E0;
constexpr Colour kSilver = 0xC0C0C0;
constexpr Colour kGrey = 0x808080;
constexpr Colour kDarkGrey = 0x404040;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
// The system's button text colour of the standard scheme.
constexpr Colour kDefaultText = kBlack;

constexpr double kLampSize = 600;
constexpr double kBarWidth = 3375;
constexpr double kBarHeight = 900;
constexpr double kLetterPoints = 30;
constexpr double kLetterHeight = 690;
constexpr double kDigitPoints = 129.75;
constexpr double kNameTop = 100;
constexpr double kNamePoints = 24;

void label(Element& e, Element* in, double left, double top, double width, double height,
           const char* caption, double points, Colour text)
{
    e.setContainer(in);
    e.setGeometry(left, top, width, height);
    e.setCaption(QString::fromLatin1(caption));
    e.setFont(points, true);
    e.setForeColor(text);
    e.setOpaque(false);
    e.setBorderWidth(0);
    e.setAutoSize(true);
}

void opaqueLabel(Element& e, Element* in, double left, double top, double width, double height,
                 const char* caption, double points, Colour text, Colour back)
{
    label(e, in, left, top, width, height, caption, points, text);
    e.setBackColor(back);
    e.setOpaque(true);
}

void shape(Element& e, Element* in, ShapeKind kind, double left, double top, double width,
           double height, Colour back, Colour border, int borderWidth)
{
    e.setContainer(in);
    e.setShape(kind);
    e.setGeometry(left, top, width, height);
    e.setBackColor(back);
    e.setBorderColor(border);
    e.setBorderWidth(borderWidth);
    e.setOpaque(true);
}

void frame(Element& e, double left, double top, double width, double height, Colour back)
{
    e.setContainer(nullptr);
    e.setGeometry(left, top, width, height);
    e.setBackColor(back);
    e.setOpaque(true);
    e.setBorderWidth(0);
}

// One lamp position of a penalty grid: the lit lamp's index and place, then
// the unlit lamp's (the two places differ by a few twips in some cells).
struct Lamp {
    int lit;
    double litLeft;
    double litTop;
    int unlit;
    double unlitLeft;
    double unlitTop;
    bool lastColumn;
};

// Row by row, column by column.
constexpr Lamp kAkaLamps[] = {
    {5, 1830, 840, 29, 1830, 840, false},    {6, 2680, 840, 31, 2680, 840, false},
    {7, 3520, 840, 30, 3520, 840, true},     {25, 1830, 1920, 32, 1830, 1920, false},
    {24, 2685, 1920, 33, 2680, 1920, false}, {23, 3520, 1920, 34, 3520, 1920, true},
    {9, 1005, 3050, 35, 1005, 3050, false},  {10, 1830, 3045, 36, 1830, 3050, false},
    {11, 2685, 3050, 37, 2680, 3050, false}, {12, 3525, 3050, 38, 3525, 3050, true},
};

constexpr Lamp kShiroLamps[] = {
    {13, 1830, 840, 39, 1830, 840, false},   {14, 2680, 840, 40, 2680, 840, false},
    {15, 3520, 840, 41, 3520, 840, true},    {28, 1830, 1920, 42, 1830, 1920, false},
    {27, 2680, 1920, 43, 2680, 1920, false}, {26, 3520, 1920, 44, 3520, 1920, true},
    {17, 990, 3050, 45, 990, 3050, false},   {18, 1830, 3050, 46, 1830, 3050, false},
    {19, 2680, 3045, 47, 2680, 3050, false}, {20, 3520, 3045, 48, 3520, 3050, true},
};

// The letters of a penalty panel: row letters at the left edge, column
// letters along the top.
struct Letter {
    const char* caption;
    double left;
    double top;
    double width;
};

constexpr Letter kRowA = {"A", 0, 840, 405};
constexpr Letter kRowM = {"M", 0, 1905, 495};
constexpr Letter kRowJ = {"J", 0, 3000, 330};
constexpr Letter kColumnA = {"A", 1920, 0, 405};
constexpr Letter kColumnC = {"C", 2760, 0, 435};
constexpr Letter kColumnH = {"H", 3600, 0, 435};

// The element indices and colours of one penalty panel.
struct PenaltyPanel {
    int bars[3];       // rows 1, 2, 3
    const Lamp* lamps; // ten
    double barLeft;
    Colour barFill;
    Colour barBorder;
    Colour unlitBack;
    Colour unlitBorder;
    Colour letterColour;
    int letters[6]; // row A, M, J; column A, C, H
};

} // namespace

// The board's design layout: every element as a fresh board shows it, and
// the order in which the elements are painted.
void Kubord2::applyDesignLayout()
{
    Form.setContainer(nullptr);
    Form.setCaption(QStringLiteral("Form2"));
    Form.setGeometry(0, 0, 16005, 9000);
    Form.setBackColor(kBlack);
    Form.setOpaque(true);
    Form.setBorderWidth(0);

    // The window's own labels and shapes.
    shape(Shape1, nullptr, ShapeKind::Rectangle, 0, 0, 8000, 9000, kRed, kBlack, 0);
    shape(Shape2, nullptr, ShapeKind::Rectangle, 8000, 0, 8000, 9000, kLightGrey, kBlack, 0);
    label(label1(11), nullptr, 360, 0, 2145, 1395, "Aka", 60, kLightGrey);
    label1(11).setBackColor(kRed);
    label(label1(12), nullptr, 12480, 0, 3060, 1395, "Shiro", 60, kBlack);
    label1(12).setBackColor(kBlue);
    shape(Shape5, nullptr, ShapeKind::RoundedRectangle, 6840, 120, 2295, 1815, kWhite, kMaroon, 2);
    label(label1(13), nullptr, 7320, 100, 1365, 480, "Tatami", 20.25, kBlack);
    label(Label4, nullptr, 7560, 280, 900, 1860, "0", 80.25, kBlack);
    // The competitors' names, empty until someone names them: each on its
    // side's top line, in its side's colours, placed by the fit.
    label(*m_akaName, nullptr, 2640, kNameTop, 3800, 600, "", kNamePoints, kLightGrey);
    label(*m_shiroName, nullptr, 9240, kNameTop, 3000, 600, "", kNamePoints, kBlack);
    shape(Shape3, nullptr, ShapeKind::RoundedRectangle, 4920, 2040, 6120, 3135, kWhite, kMaroon, 2);

    // The KO panel's background takes the system colours: white on black.
    shape(shape4(21), nullptr, ShapeKind::RoundedRectangle, 5280, 9480, 5400, 3855, kWhite, kBlack,
          1);
    shape4(21).setVisible(false);

    shape(shape4(8), nullptr, ShapeKind::Circle, 5160, 840, 1080, 840, kBrightRed, kWhite, 2);
    shape4(8).setVisible(false);
    label(label1(4), nullptr, 5500, 940, 405, 570, "S", 30, kWhite);
    label1(4).setVisible(false);
    shape(shape4(16), nullptr, ShapeKind::Circle, 9480, 840, 1080, 840, kBrightRed, kWhite, 2);
    shape4(16).setVisible(false);
    label(label1(8), nullptr, 9820, 940, 405, 690, "S", 30, kWhite);
    label1(8).setVisible(false);

    label(label1(16), nullptr, 300, 6600, 750, 930, "IP", 39.75, kWhite);
    label(scri, nullptr, 1790, 5600, 1455, 2955, "0", kDigitPoints, kWhite);
    scri.setBackColor(kRed);
    label(label1(17), nullptr, 4000, 6600, 1290, 930, "WA", 39.75, kWhite);
    label(scrw, nullptr, 5800, 5600, 1455, 2955, "0", kDigitPoints, kWhite);
    scrw.setBackColor(kRed);
    label(label1(18), nullptr, 8300, 6600, 750, 930, "IP", 39.75, kBlack);
    label(scwi, nullptr, 9790, 5600, 1455, 2955, "0", kDigitPoints, kBlack);
    scwi.setBackColor(kBlue);
    label(label1(19), nullptr, 12000, 6600, 1290, 930, "WA", 39.75, kBlack);
    label(scww, nullptr, 13800, 5600, 1455, 2955, "0", kDigitPoints, kBlack);
    scww.setBackColor(kBlue);

    // The clock.
    frame(Frame1, 5160, 2520, 5655, 2295, kWhite);
    opaqueLabel(Label5, &Frame1, 120, -350, 1440, 2955, "0", kDigitPoints, kDefaultText, kWhite);
    label(Label7, &Frame1, 1650, -350, 885, 2955, ":", kDigitPoints, kDefaultText);
    opaqueLabel(Label6, &Frame1, 2650, -345, 1440, 2955, "0", kDigitPoints, kDefaultText, kWhite);
    opaqueLabel(Label8, &Frame1, 4150, -345, 1440, 2955, "0", kDigitPoints, kBlack, kWhite);

    // The KO count, below the canvas until the count opens it.
    frame(Frame4, 5880, 10080, 4215, 3135, kWhite);
    Frame4.setVisible(false);
    opaqueLabel(label1(14), &Frame4, 720, 0, 2880, 2955, "00", kDigitPoints, kBlack, kWhite);
    label1(14).setVisible(false);

    // The penalty panels.
    frame(Frame5, 360, 1440, 4335, 3855, kRed);
    frame(Frame6, 11280, 1440, 4335, 3855, kLightGrey);
    const PenaltyPanel aka{{1, 0, 2}, kAkaLamps, 885,
                           kDarkRed,  kWhite,    kVeryDarkRed,
                           kBlack,    kWhite,    {20, 1, 9, 10, 2, 3}};
    const PenaltyPanel shiro{{3, 22, 4}, kShiroLamps,         870, kSilver, kRed, kGrey, kDarkGrey,
                             kBlack,     {21, 5, 15, 0, 6, 7}};
    const Letter* letters[6] = {&kRowA, &kRowM, &kRowJ, &kColumnA, &kColumnC, &kColumnH};
    const std::pair<const PenaltyPanel*, Element*> panels[] = {{&aka, &Frame5}, {&shiro, &Frame6}};
    for (const auto& [panel, in] : panels) {
        const double barTops[3] = {720, 1800, 2880};
        for (int row = 0; row < 3; ++row)
            shape(shape4(panel->bars[row]), in, ShapeKind::RoundedRectangle, panel->barLeft,
                  barTops[row], kBarWidth, kBarHeight, panel->barFill, panel->barBorder, 2);
        for (int i = 0; i < 10; ++i) {
            const Lamp& l = panel->lamps[i];
            shape(shape4(l.unlit), in, ShapeKind::Circle, l.unlitLeft, l.unlitTop, kLampSize,
                  kLampSize, panel->unlitBack, panel->unlitBorder, 2);
            shape(shape4(l.lit), in, ShapeKind::Circle, l.litLeft, l.litTop, kLampSize, kLampSize,
                  l.lastColumn ? kBrightRed : kYellow, l.lastColumn ? kWhite : kRed, 2);
            shape4(l.lit).setVisible(false);
        }
        for (int i = 0; i < 6; ++i) {
            const Letter& t = *letters[i];
            label(label1(panel->letters[i]), in, t.left, t.top, t.width, kLetterHeight, t.caption,
                  kLetterPoints, panel->letterColour);
        }
        // The row "A" belongs to the WUKF rule set, which shows it instead
        // of the column "A".
        label1(panel->letters[0]).setVisible(false);
    }

    // Back to front: the window's own labels and shapes first, then the
    // frames, each followed by its children; the last frame is frontmost.
    m_paintOrder = {&Shape1, &Shape2, &scri, &scww, &Shape3, &shape4(8), &label1(12), &label1(11),
                    &Shape5, &label1(13), &Label4, m_akaName, m_shiroName, &shape4(16), &label1(4),
                    &label1(8), &shape4(21), &scrw, &scwi, &label1(16), &label1(17), &label1(18),
                    &label1(19),
                    // The clock.
                    &Frame1, &Label7, &Label5, &Label6, &Label8,
                    // The KO count.
                    &Frame4, &label1(14)};
    for (const auto& [panel, in] : panels) {
        m_paintOrder.push_back(in);
        for (int bar : panel->bars)
            m_paintOrder.push_back(&shape4(bar));
        for (int i = 0; i < 10; ++i)
            m_paintOrder.push_back(&shape4(panel->lamps[i].unlit));
        for (int i = 0; i < 10; ++i)
            m_paintOrder.push_back(&shape4(panel->lamps[i].lit));
        for (int letter : panel->letters)
            m_paintOrder.push_back(&label1(letter));
    }
}

} // namespace kestrane
