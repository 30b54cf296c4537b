#include "console/ElementTextBox.h"

#include "console/TextBoxFilter.h"
#include "platform/ViewUnits.h"
#include "widgets/AccessibleNames.h"

#include <QKeyEvent>

namespace kestrane::view {

ElementTextBox::ElementTextBox(Element& element, QWidget* parent)
    : QLineEdit(parent), m_binding(*this, element, [this](Property p) { changed(p); })
{
    setText(element.text());
    setCursorPosition(0);
    setAccessibleName(accessibleNameFor(element));
    applyLook();
    m_filter = new TextBoxFilter(element, this);
    setValidator(m_filter);
    // textChanged, not textEdited: an assistive tool sets the text without
    // an edit.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (t != m_binding.element().text())
            m_binding.element().setText(t);
    });
}

void ElementTextBox::applyLook()
{
    const Element& e = m_binding.element();
    QPalette pal = palette();
    pal.setColor(QPalette::Text, toQColor(e.foreColor()));
    pal.setColor(QPalette::Base, toQColor(e.backColor()));
    setPalette(pal);
    switch (e.alignment()) {
    case Alignment::Centre:
        setAlignment(Qt::AlignCenter);
        break;
    case Alignment::Right:
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default:
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    }
}

void ElementTextBox::changed(Property p)
{
    switch (p) {
    case Property::Caption:
        // Only a change made by the program: the box already shows its own edits.
        if (text() != m_binding.element().text())
            setText(m_binding.element().text());
        break;
    case Property::ForeColor:
    case Property::BackColor:
    case Property::Alignment:
        applyLook();
        break;
    default:
        break;
    }
}

void ElementTextBox::keyPressEvent(QKeyEvent* event)
{
    int code = 0;
    if (event->key() == Qt::Key_Backspace) {
        code = 8;
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        code = 13;
    } else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
               !event->text().isEmpty() && event->text().at(0).isPrint()) {
        code = event->text().at(0).unicode();
    }
    if (code == 0) {
        // Navigation, deletion and shortcuts are not typed characters.
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int result = m_binding.element().keyPress(code);
    if (result == 0) {
        event->accept();
        return;
    }
    if (result == code) {
        type([&] { QLineEdit::keyPressEvent(event); });
        return;
    }
    // The handler replaced the character: type the replacement instead.
    if (result == 8)
        backspace();
    else if (result >= 32)
        type([&] { insert(QString(QChar(result))); });
    event->accept();
}

void ElementTextBox::type(const std::function<void()>& edit)
{
    m_filter->setTyping(true);
    edit();
    m_filter->setTyping(false);
}

} // namespace kestrane::view
