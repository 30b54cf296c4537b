#include "board/Kubord2.h"

namespace kestrane {

Kubord2::Kubord2()
{
    for (int i = 0; i < kLabelCount; ++i)
        m_label1[static_cast<std::size_t>(i)] = &add(ElementKind::Label, "Label1", i);
    for (int i = 0; i < kShapeCount; ++i)
        m_shape4[static_cast<std::size_t>(i)] = &add(ElementKind::Shape, "Shape4", i);
    applyDesignLayout();
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
