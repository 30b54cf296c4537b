#pragma once

#include "board/LabelBox.h"
#include "board/TextMeasure.h"
#include "core/Element.h"
#include "match/Competitors.h"

#include <QString>

#include <array>
#include <deque>
#include <unordered_map>
#include <vector>

namespace kestrane {

// The audience board: a set of labels, shapes and frames with no logic of
// its own. The console writes captions, colours, visibility and positions
// into it. A fresh board holds the design layout on its 16000 x 9000 twip
// canvas (applyDesignLayout).
//
// Labels size themselves to their text: once a TextMeasure is set, every
// change of an auto-sized label's caption or font size gives it the size of
// its text. A label's own place is where its design caption starts: a
// left-aligned text starts there, a centred one is centred on the design
// caption's centre (a score going from "9" to "10", or copied as "10" before
// it was centred, stays centred), a right-aligned one ends where the design
// caption ends. Without a TextMeasure the sizes stay as stored.
//
// Some labels have a room their text must fit (BoardFit): where it does
// not, the font shrinks just enough, the label keeping its anchor. A
// competitor's name may also be cut short; its label keeps the whole text
// as its own and shows the part that fits.
class Kubord2 {
public:
    static constexpr double kDesignWidth = 16000.0;
    static constexpr double kDesignHeight = 9000.0;

    Kubord2();
    Kubord2(const Kubord2&) = delete;
    Kubord2& operator=(const Kubord2&) = delete;

    const std::vector<Element*>& elements() const { return m_elements; }
    Element* find(const QString& displayName) const;

    // The board's window (caption "Form2", borderless).
    Element& form() { return Form; }

    // Elements of the window and of each frame, back to front: what the
    // renderer paints, in order. Frames come after (in front of) the window's
    // own labels and shapes; a frame's children follow it.
    const std::vector<Element*>& paintOrder() const { return m_paintOrder; }
    std::vector<Element*> childrenOf(const Element* container) const;

    // Sizes every auto-sized label to its text now and on every later
    // change. The measure must outlive the board (or be reset to nullptr).
    void setTextMeasure(const TextMeasure* measure);
    const TextMeasure* textMeasure() const { return m_measure; }

    // Off, every auto-sized label shows its own font at its own place (the
    // left of its design caption), unfitted: what the scaling maps. On again
    // (the default), every label is sized and fitted anew.
    void setFitting(bool on);
    bool fitting() const { return m_fitting; }

    // The pair on the mat, each side's line in its name label; both empty
    // (the default) leave the board exactly as without names.
    void setCompetitors(const Competitor& aka, const Competitor& shiro);
    const Competitor& akaCompetitor() const { return m_aka; }
    const Competitor& shiroCompetitor() const { return m_shiro; }
    Element& akaName() { return *m_akaName; }
    Element& shiroName() { return *m_shiroName; }
    bool isName(const Element& e) const { return &e == m_akaName || &e == m_shiroName; }
    // A label's text as written into it (a name's whole line).
    QString ownText(const Element& label) const;

private:
    Element& add(ElementKind kind, const char* name, int index = -1);

    std::deque<Element> m_store;
    std::vector<Element*> m_elements;
    std::vector<Element*> m_paintOrder;
    const TextMeasure* m_measure = nullptr;

    // A label's own values, as set from outside: the fit never changes them.
    struct Own {
        double home = 0; // the left edge of its design caption
        double top = 0;
        double font = 0;
        QString design;
        QString text;         // as written; the caption may show less
        double shownLeft = 0; // as last placed, to tell writes from outside
        double shownTop = 0;
    };
    std::unordered_map<const Element*, Own> m_own;
    bool m_fitting = true;
    bool m_placing = false;
    Competitor m_aka;
    Competitor m_shiro;

public:
    Element& Form = add(ElementKind::Form, "kubord2");
    Element& Shape1 = add(ElementKind::Shape, "Shape1");
    Element& Shape2 = add(ElementKind::Shape, "Shape2");
    Element& Shape3 = add(ElementKind::Shape, "Shape3");
    Element& Shape5 = add(ElementKind::Shape, "Shape5");
    Element& Label4 = add(ElementKind::Label, "Label4"); // field number
    Element& Label5 = add(ElementKind::Label, "Label5"); // clock minutes
    Element& Label6 = add(ElementKind::Label, "Label6"); // clock tens
    Element& Label7 = add(ElementKind::Label, "Label7"); // clock ":"
    Element& Label8 = add(ElementKind::Label, "Label8"); // clock units
    Element& scri = add(ElementKind::Label, "scri");
    Element& scrw = add(ElementKind::Label, "scrw");
    Element& scwi = add(ElementKind::Label, "scwi");
    Element& scww = add(ElementKind::Label, "scww");
    Element& Frame1 = add(ElementKind::Frame, "Frame1"); // clock
    Element& Frame4 = add(ElementKind::Frame, "Frame4"); // KO count
    Element& Frame5 = add(ElementKind::Frame, "Frame5"); // Aka's penalties
    Element& Frame6 = add(ElementKind::Frame, "Frame6"); // Shiro's penalties

    static constexpr int kLabelCount = 22;
    static constexpr int kShapeCount = 49;
    Element& label1(int i) { return *m_label1.at(static_cast<std::size_t>(i)); }
    Element& shape4(int i) { return *m_shape4.at(static_cast<std::size_t>(i)); }

private:
    std::array<Element*, kLabelCount> m_label1{};
    std::array<Element*, kShapeCount> m_shape4{};
    Element* m_akaName = nullptr;
    Element* m_shiroName = nullptr;
    void applyDesignLayout();
    void changed(Element& label, Property p);
    void place(Element& label);
    void write(Element& label, const LabelBox& box);
    LabelBox natural(const Element& label);
};

} // namespace kestrane
