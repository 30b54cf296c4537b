#include "board/Kubord2.h"

namespace kestrane {

Kubord2::Kubord2()
{
    for (int i = 0; i < kLabelCount; ++i)
        m_label1[static_cast<std::size_t>(i)] = &add(ElementKind::Label, "Label1", i);
    for (int i = 0; i < kShapeCount; ++i)
        m_shape4[static_cast<std::size_t>(i)] = &add(ElementKind::Shape, "Shape4", i);
    applyDesignLayout();
    for (Element* e : m_elements) {
        if (e->kind() != ElementKind::Label)
            continue;
        // The board owns its elements, so the observers never outlive them.
        e->addObserver([this, e](const Element&, Property p) {
            if (p == Property::Caption || p == Property::Font)
                fitToText(*e);
        });
    }
}

void Kubord2::setTextMeasure(const TextMeasure* measure)
{
    m_measure = measure;
    for (Element* e : m_elements) {
        if (e->kind() == ElementKind::Label)
            fitToText(*e);
    }
}

void Kubord2::fitToText(Element& label)
{
    if (!m_measure || !label.autoSize())
        return;
    const TextMeasure::Size size =
        m_measure->textSize(label.caption(), label.fontSize(), label.bold());
    double left = label.left();
    if (label.alignment() == Alignment::Centre)
        left += (label.width() - size.width) / 2;
    else if (label.alignment() == Alignment::Right)
        left += label.width() - size.width;
    label.setGeometry(left, label.top(), size.width, size.height);
}

Element& Kubord2::add(ElementKind kind, const char* name, int index)
{
    Element& e = m_store.emplace_back(kind, QString::fromLatin1(name), index);
    m_elements.push_back(&e);
    return e;
}

Element* Kubord2::find(const QString& displayName) const
{
    for (Element* e : m_elements) {
        if (e->displayName() == displayName)
            return e;
    }
    return nullptr;
}

std::vector<Element*> Kubord2::childrenOf(const Element* container) const
{
    std::vector<Element*> out;
    for (Element* e : m_paintOrder) {
        if (e->container() == container)
            out.push_back(e);
    }
    return out;
}

} // namespace kestrane
