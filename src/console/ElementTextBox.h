#pragma once

#include "widgets/ElementBinding.h"

#include <QLineEdit>

namespace kestrane::view {

class TextBoxFilter;

// A text box. Every typed character passes the element's key handler first
// (0 discards it, any other code is what the box takes); text that enters
// any other way passes its text filter (TextBoxFilter). Every change of the
// box is written into the element; changes the program makes to the
// element show in the box.
class ElementTextBox final : public QLineEdit {
    Q_OBJECT
public:
    ElementTextBox(Element& element, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyLook();
    void changed(Property p);
    void type(const std::function<void()>& edit);

    ElementBinding m_binding;
    TextBoxFilter* m_filter = nullptr;
};

} // namespace kestrane::view
