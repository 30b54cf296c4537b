#pragma once

#include <QValidator>

namespace kestrane {
class Element;
}

namespace kestrane::view {

// The one gate of a text box for text that arrives other than as a typed
// key: pastes by shortcut, context menu or middle click (the X11
// selection), drops, input methods and assistive tools all change the box
// through its validator. The text an edit inserted goes through the
// element's text filter; the rest stays as it was.
class TextBoxFilter final : public QValidator {
    Q_OBJECT
public:
    TextBoxFilter(Element& element, QObject* parent);

    State validate(QString& input, int& pos) const override;
    // While on, edits pass unfiltered: a typed character has passed the
    // element's key handler, which decides alone what the box takes.
    void setTyping(bool on) { m_typing = on; }

private:
    Element& m_element;
    bool m_typing = false;
};

} // namespace kestrane::view
