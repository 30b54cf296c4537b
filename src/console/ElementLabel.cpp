#include "console/ElementLabel.h"

#include "console/ViewUnits.h"

namespace kestrane::view {

namespace {

Qt::Alignment alignmentOf(Alignment a)
{
    // Labels put their text at the top, as designed.
    switch (a) {
    case Alignment::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

} // namespace

ElementLabel::ElementLabel(Element& element, QWidget* parent)
    : QLabel(parent), m_binding(*this, element, [this](Property p) { changed(p); })
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setText(element.caption());
    applyLook();
    fitText();
}

void ElementLabel::applyLook()
{
    const Element& e = m_binding.element();
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(e.foreColor()));
    pal.setColor(QPalette::Window, toQColor(e.backColor()));
    setPalette(pal);
    setAutoFillBackground(e.opaque());
    setAlignment(alignmentOf(e.alignment()));
}

void ElementLabel::changed(Property p)
{
    switch (p) {
    case Property::Caption:
        setText(m_binding.element().caption());
        fitText();
        break;
    case Property::Geometry:
    case Property::Font:
        fitText();
        break;
    case Property::ForeColor:
    case Property::BackColor:
    case Property::Alignment:
        applyLook();
        fitText();
        break;
    default:
        break;
    }
}

// A right-aligned label whose text is wider than its box grows to the left,
// keeping its right edge: the clock's minutes show in full from ten on.
void ElementLabel::fitText()
{
    const Element& e = m_binding.element();
    const QRect box = rectOf(e);
    QRect wanted = box;
    if (e.alignment() == Alignment::Right) {
        const int needed = fontMetrics().horizontalAdvance(text()) + 2 * margin() + 2;
        if (needed > box.width())
            wanted.setLeft(box.right() + 1 - needed);
    }
    if (geometry() != wanted)
        setGeometry(wanted);
}

} // namespace kestrane::view
