#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace kestrane {

// Colours are stored as 0x00BBGGRR, blue in the high byte, exactly as the
// design tables give them. Only the views convert them to QColor.
using Colour = std::uint32_t;

enum class ElementKind {
    Form, // a top-level window (its outer geometry)
    Label,
    TextBox,
    CheckBox,
    Button,
    Frame,
    Shape,
    Line,
    Image,
    Timer,
    MenuItem,
};

enum class ShapeKind { Rectangle, RoundedRectangle, Circle };

enum class Alignment { Left, Centre, Right };

// What changed on an element, so that a view can update only that.
enum class Property {
    Caption,
    Value,
    Visible,
    Geometry,
    ForeColor,
    BackColor,
    BorderColor,
    Font,
    Alignment,
    Enabled,
    Interval,
    Repaint, // "paint this now", before the handler goes on
};

// One element of a window: a label, a text box, a check box, a push button,
// a frame, a shape, a timer or a menu item. Every value the system keeps is
// a property of one of these. Geometry is in twips relative to the element's
// container and kept as floating point; only the views round it to pixels.
//
// The handlers are plain callbacks wired by the console model:
//  - onChange runs on every caption assignment of a label (also when the
//    text stays the same): the score labels' match decision hangs here;
//  - onClick runs when a button or menu item is clicked, and when a check
//    box's value changes (by the operator or by the program);
//  - onTick runs on each tick of an enabled timer;
//  - onKeyPress filters a character typed into a text box (return 0 to
//    discard it);
//  - onFilterText filters text that reaches a text box other than by typing
//    (pasted or dropped): it returns what the box takes.
class Element {
public:
    using Observer = std::function<void(const Element&, Property)>;

    Element(ElementKind kind, QString name, int index = -1);
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    ElementKind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    int index() const { return m_index; }
    // "Label1(14)" for array members, the plain name otherwise.
    QString displayName() const;

    Element* container() const { return m_container; }
    void setContainer(Element* container) { m_container = container; }

    // Geometry, twips.
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void setGeometry(double left, double top, double width, double height);

    // Caption of a label, button, frame, check box or menu item; the text of
    // a text box. One store, two names, as the element kinds use them.
    const QString& caption() const { return m_caption; }
    const QString& text() const { return m_caption; }
    void setCaption(const QString& caption);
    void setText(const QString& text) { setCaption(text); }

    // Check box value: 0 unticked, 1 ticked, 2 greyed.
    int value() const { return m_value; }
    void setValue(int value);

    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    Colour foreColor() const { return m_foreColor; }
    Colour backColor() const { return m_backColor; }
    Colour borderColor() const { return m_borderColor; }
    void setForeColor(Colour c);
    void setBackColor(Colour c);
    void setBorderColor(Colour c);

    // Opaque elements fill their box with the back colour; transparent ones
    // draw only their text or outline.
    bool opaque() const { return m_opaque; }
    void setOpaque(bool opaque) { m_opaque = opaque; }
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int pixels) { m_borderWidth = pixels; }
    ShapeKind shape() const { return m_shape; }
    void setShape(ShapeKind s) { m_shape = s; }

    double fontSize() const { return m_fontSize; }
    bool bold() const { return m_bold; }
    void setFontSize(double points);
    void setBold(bool bold);
    void setFont(double points, bool bold);

    Alignment alignment() const { return m_alignment; }
    void setAlignment(Alignment a);

    // A label that sizes itself to its text (the renderer measures it).
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }

    // Push button looks: back colour while pressed and while hovered
    // (kNoColour: keeps its back colour), and an optional picture name.
    static constexpr Colour kNoColour = 0xFFFFFFFFu;
    Colour pressedColor() const { return m_pressedColor; }
    Colour hoverColor() const { return m_hoverColor; }
    void setPressedColor(Colour c) { m_pressedColor = c; }
    void setHoverColor(Colour c) { m_hoverColor = c; }
    const QString& picture() const { return m_picture; }
    void setPicture(const QString& p) { m_picture = p; }

    // Timers: on/off and period. Enabling a timer that is on leaves it
    // running undisturbed (its phase does not jump).
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    int interval() const { return m_interval; }
    void setInterval(int ms);

    // Events.
    void click();
    void tick();
    int keyPress(int code);
    QString filterText(const QString& text);
    // Ask the views to paint this element now.
    void refresh();

    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void()> onTick;
    std::function<int(int)> onKeyPress;
    std::function<QString(const QString&)> onFilterText;

    int addObserver(Observer observer);
    void removeObserver(int id);

private:
    void notify(Property p);
    void compactObservers();

    ElementKind m_kind;
    QString m_name;
    int m_index;
    Element* m_container = nullptr;

    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    QString m_caption;
    int m_value = 0;
    bool m_visible = true;
    Colour m_foreColor = 0x000000;
    Colour m_backColor = 0xFFFFFF;
    Colour m_borderColor = 0x000000;
    bool m_opaque = false;
    int m_borderWidth = 0;
    ShapeKind m_shape = ShapeKind::Rectangle;
    double m_fontSize = 8.25;
    bool m_bold = true;
    Alignment m_alignment = Alignment::Left;
    bool m_autoSize = false;
    Colour m_pressedColor = 0xEFD198;
    Colour m_hoverColor = 0xFDE6BE;
    QString m_picture;
    bool m_enabled = false;
    int m_interval = 0;

    struct Slot {
        int id;
        Observer fn;
    };
    std::vector<Slot> m_observers;
    int m_nextObserver = 1;
    int m_notifying = 0;
};

} // namespace kestrane
