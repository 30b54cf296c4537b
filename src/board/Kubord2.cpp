#include "board/Kubord2.h"

#include "board/BoardFit.h"
#include "match/CompetitorText.h"

namespace kestrane {

Kubord2::Kubord2()
{
    for (int i = 0; i < kLabelCount; ++i)
        m_label1[static_cast<std::size_t>(i)] = &add(ElementKind::Label, "Label1", i);
    for (int i = 0; i < kShapeCount; ++i)
        m_shape4[static_cast<std::size_t>(i)] = &add(ElementKind::Shape, "Shape4", i);
    // Last, so that a new fit places them once everything else has its place.
    m_akaName = &add(ElementKind::Label, "akaName");
    m_shiroName = &add(ElementKind::Label, "shiroName");
    applyDesignLayout();
    for (Element* e : m_elements) {
        if (e->kind() != ElementKind::Label)
            continue;
        m_own[e] = {e->left(),    e->top(),  e->fontSize(), e->caption(),
                    e->caption(), e->left(), e->top()};
        // The board owns its elements, so the observers never outlive them.
        e->addObserver([this, e](const Element&, Property p) { changed(*e, p); });
    }
}

void Kubord2::setTextMeasure(const TextMeasure* measure)
{
    m_measure = measure;
    for (Element* e : m_elements)
        place(*e);
}

void Kubord2::setFitting(bool on)
{
    m_fitting = on;
    for (Element* e : m_elements)
        place(*e);
}

// What is written from outside becomes the label's own value; the fit only
// ever derives the shown values from those.
void Kubord2::changed(Element& label, Property p)
{
    if (m_placing)
        return;
    Own& own = m_own.at(&label);
    switch (p) {
    case Property::Font:
        own.font = label.fontSize();
        break;
    case Property::Geometry:
        if (label.left() != own.shownLeft) {
            const double offset = m_measure ? natural(label).left - own.home : 0.0;
            own.home = label.left() - offset;
        }
        if (label.top() != own.shownTop)
            own.top = label.top();
        break;
    case Property::Caption:
        own.text = label.caption();
        break;
    case Property::Alignment:
        break;
    default:
        return;
    }
    place(label);
    own.shownLeft = label.left();
    own.shownTop = label.top();
}

LabelBox Kubord2::natural(const Element& label)
{
    const Own& own = m_own.at(&label);
    const TextMeasure::Size size = m_measure->textSize(own.text, own.font, label.bold());
    LabelBox box{own.home, own.top, size.width, size.height, own.font, own.text};
    const double share = BoardFit(*this, *m_measure).anchorShare(label);
    if (m_fitting && share > 0 && own.text != own.design)
        box.left +=
            share * (m_measure->textSize(own.design, own.font, label.bold()).width - size.width);
    return box;
}

void Kubord2::place(Element& label)
{
    if (!m_measure || !label.autoSize() || label.kind() != ElementKind::Label)
        return;
    const BoardFit fit(*this, *m_measure);
    const std::vector<Element*> group = fit.groupOf(label);
    std::vector<LabelBox> boxes;
    for (const Element* e : group)
        boxes.push_back(natural(*e));
    if (m_fitting)
        fit.fit(group, boxes);
    for (std::size_t i = 0; i < group.size(); ++i)
        write(*group[i], boxes[i]);
}

void Kubord2::write(Element& label, const LabelBox& box)
{
    m_placing = true;
    if (label.caption() != box.text)
        label.setCaption(box.text);
    label.setFontSize(box.font);
    label.setGeometry(box.left, box.top, box.width, box.height);
    m_placing = false;
    Own& own = m_own.at(&label);
    own.shownLeft = box.left;
    own.shownTop = box.top;
}

void Kubord2::setCompetitors(const Competitor& aka, const Competitor& shiro)
{
    m_aka = CompetitorText::cleaned(aka);
    m_shiro = CompetitorText::cleaned(shiro);
    m_akaName->setCaption(CompetitorText::boardLine(m_aka));
    m_shiroName->setCaption(CompetitorText::boardLine(m_shiro));
}

QString Kubord2::ownText(const Element& label) const
{
    const auto it = m_own.find(&label);
    return it == m_own.end() ? label.caption() : it->second.text;
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
