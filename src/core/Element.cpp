#include "core/Element.h"

#include <algorithm>

namespace kestrane {

Element::Element(ElementKind kind, QString name, int index)
    : m_kind(kind), m_name(std::move(name)), m_index(index)
{
    if (kind == ElementKind::CheckBox || kind == ElementKind::TextBox)
        m_bold = false;
}

QString Element::displayName() const
{
    if (m_index < 0)
        return m_name;
    return QStringLiteral("%1(%2)").arg(m_name).arg(m_index);
}

void Element::setLeft(double v)
{
    if (v == m_left)
        return;
    m_left = v;
    notify(Property::Geometry);
}

void Element::setTop(double v)
{
    if (v == m_top)
        return;
    m_top = v;
    notify(Property::Geometry);
}

void Element::setWidth(double v)
{
    if (v == m_width)
        return;
    m_width = v;
    notify(Property::Geometry);
}

void Element::setHeight(double v)
{
    if (v == m_height)
        return;
    m_height = v;
    notify(Property::Geometry);
}

void Element::setGeometry(double left, double top, double width, double height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    notify(Property::Geometry);
}

void Element::setCaption(const QString& caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        notify(Property::Caption);
    }
    // A label's change handler runs on every assignment, changed or not.
    if (m_kind == ElementKind::Label && onChange)
        onChange();
}

void Element::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    notify(Property::Value);
    if (m_kind == ElementKind::CheckBox && onClick)
        onClick();
}

void Element::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    notify(Property::Visible);
}

void Element::setForeColor(Colour c)
{
    if (c == m_foreColor)
        return;
    m_foreColor = c;
    notify(Property::ForeColor);
}

void Element::setBackColor(Colour c)
{
    if (c == m_backColor)
        return;
    m_backColor = c;
    notify(Property::BackColor);
}

void Element::setBorderColor(Colour c)
{
    if (c == m_borderColor)
        return;
    m_borderColor = c;
    notify(Property::BorderColor);
}

void Element::setFontSize(double points)
{
    if (points == m_fontSize)
        return;
    m_fontSize = points;
    notify(Property::Font);
}

void Element::setBold(bool bold)
{
    if (bold == m_bold)
        return;
    m_bold = bold;
    notify(Property::Font);
}

void Element::setFont(double points, bool bold)
{
    if (points == m_fontSize && bold == m_bold)
        return;
    m_fontSize = points;
    m_bold = bold;
    notify(Property::Font);
}

void Element::setAlignment(Alignment a)
{
    if (a == m_alignment)
        return;
    m_alignment = a;
    notify(Property::Alignment);
}

void Element::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    notify(Property::Enabled);
}

void Element::setInterval(int ms)
{
    if (ms == m_interval)
        return;
    m_interval = ms;
    notify(Property::Interval);
}

void Element::click()
{
    if (m_kind == ElementKind::CheckBox) {
        // A click on a check box toggles it; the value change runs the handler.
        setValue(m_value == 1 ? 0 : 1);
        return;
    }
    if (onClick)
        onClick();
}

void Element::tick()
{
    if (m_enabled && onTick)
        onTick();
}

int Element::keyPress(int code)
{
    return onKeyPress ? onKeyPress(code) : code;
}

QString Element::filterText(const QString& text)
{
    return onFilterText ? onFilterText(text) : text;
}

void Element::refresh()
{
    notify(Property::Repaint);
}

int Element::addObserver(Observer observer)
{
    const int id = m_nextObserver++;
    m_observers.push_back({id, std::move(observer)});
    return id;
}

void Element::removeObserver(int id)
{
    // Observers are few and may be removed while one of them runs; clearing
    // the slot first keeps the running notification safe.
    for (auto& slot : m_observers) {
        if (slot.id == id)
            slot.fn = nullptr;
    }
    if (m_notifying == 0)
        compactObservers();
}

void Element::compactObservers()
{
    m_observers.erase(
        std::remove_if(m_observers.begin(), m_observers.end(), [](const Slot& s) { return !s.fn; }),
        m_observers.end());
}

void Element::notify(Property p)
{
    ++m_notifying;
    // Index loop: an observer may add observers while we run.
    for (std::size_t i = 0; i < m_observers.size(); ++i) {
        if (m_observers[i].fn) {
            auto fn = m_observers[i].fn; // survives its own removal
            fn(*this, p);
        }
    }
    if (--m_notifying == 0)
        compactObservers();
}

} // namespace kestrane
