#pragma once

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace kestrane {

class FeedControl;

// "Board feed...": whether the feed runs and where to point a browser or
// the streaming software, with copy buttons; the operator turns it on or
// off, chooses this PC only or the hall network, the port, and whether the
// results are served. Each change takes effect at once and is kept.
class FeedWindow final : public QDialog {
    Q_OBJECT
public:
    explicit FeedWindow(FeedControl& control, QWidget* parent = nullptr);

private:
    void refresh(); // the control's state into the widgets
    void choose();

    FeedControl& m_control;
    QLabel* m_status;
    QCheckBox* m_on;
    QRadioButton* m_thisPc;
    QRadioButton* m_hall;
    QSpinBox* m_port;
    QCheckBox* m_results;
    QGridLayout* m_addresses;
    bool m_showing = false;
};

} // namespace kestrane
