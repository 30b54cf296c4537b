#pragma once

#include <QWidget>

namespace kestrane::view {

// The maker's logo: a round emblem of the two competitors' colours with a
// "K", drawn in code at 120 x 120 pixels and centred in its box.
class AboutLogo final : public QWidget {
    Q_OBJECT
public:
    explicit AboutLogo(QWidget* parent);
    // The emblem as a 120 x 120 picture.
    static QImage picture();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kestrane::view
