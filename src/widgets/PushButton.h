#pragma once

#include "widgets/ElementBinding.h"

#include <QAbstractButton>

namespace kestrane::view {

// The console's push button: caption, font, back colour, a back colour
// while pressed and while the pointer is over it (none: keeps its back
// colour), a border colour and an optional picture drawn in code
// ("arrow-up", "arrow-down", "folder"). A click runs the element's click.
class PushButton final : public QAbstractButton {
    Q_OBJECT
public:
    PushButton(Element& element, QWidget* parent);

    QSize sizeHint() const override;
    // The back colour the button shows now (pressed, hovered or plain).
    QColor currentBackColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void paintPicture(QPainter& p, const QRect& area) const;
    void changed(Property p);

    ElementBinding m_binding;
};

} // namespace kestrane::view
