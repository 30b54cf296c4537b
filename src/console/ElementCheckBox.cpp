#include "console/ElementCheckBox.h"

#include "platform/ViewUnits.h"
#include "widgets/AccessibleNames.h"

namespace kestrane::view {

ElementCheckBox::ElementCheckBox(Element& element, QWidget* parent)
    : QCheckBox(parent), m_binding(*this, element, [this](Property p) { changed(p); })
{
    setText(element.caption());
    setChecked(element.value() == 1);
    setAccessibleName(accessibleNameFor(element));
    // Tab reaches it, a click does not: a later Space must not untick it.
    setFocusPolicy(Qt::TabFocus);
    applyLook();
    // toggled, not clicked: an accessibility Toggle changes the state
    // without a click.
    connect(this, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showingValue)
            m_binding.element().setValue(on ? 1 : 0);
    });
}

void ElementCheckBox::applyLook()
{
    const Element& e = m_binding.element();
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(e.foreColor()));
    pal.setColor(QPalette::Window, toQColor(e.backColor()));
    setPalette(pal);
    // Buttons fill with the button colour by default; a box shows the
    // colour it stands on.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(e.opaque());
}

void ElementCheckBox::changed(Property p)
{
    switch (p) {
    case Property::Value:
        // Showing the program's value is not a change by the operator (a
        // greyed 2 shows unticked and stays 2).
        m_showingValue = true;
        setChecked(m_binding.element().value() == 1);
        m_showingValue = false;
        break;
    case Property::Caption:
        setText(m_binding.element().caption());
        setAccessibleName(accessibleNameFor(m_binding.element()));
        break;
    case Property::ForeColor:
    case Property::BackColor:
        applyLook();
        break;
    default:
        break;
    }
}

} // namespace kestrane::view
