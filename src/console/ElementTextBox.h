#pragma once

#include "console/ElementBinding.h"

#include <QLineEdit>

namespace kestrane::view {

// A text box. Every typed character passes the element's key handler first
// (0 discards it, any other code is what the box takes); pasted and dropped
// text passes its text filter. Edits are written into the element; changes
// the program makes to the element show in the box.
class ElementTextBox final : public QLineEdit {
    Q_OBJECT
public:
    ElementTextBox(Element& element, QWidget* parent);

    // Inserts text as a paste would, through the element's text filter.
    void insertFiltered(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void pasteFiltered();
    void applyLook();
    void changed(Property p);

    ElementBinding m_binding;
};

} // namespace kestrane::view
