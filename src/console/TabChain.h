#pragma once

#include <QHash>
#include <QList>
#include <QObject>

#include <vector>

class QWidget;

namespace kestrane {
class Element;
class MatchState;
} // namespace kestrane

namespace kestrane::view {

class ConsoleCanvas;

// The console's Tab chain: exactly the controls a person can see in the
// window's actual area, in reading order: the competitor half on the left,
// then the one on the right (whichever stands there after the side swap),
// each from its score buttons to its penalty boxes and "S" box; the clock
// and the target in the middle; the right-hand column top to bottom; the
// setup row left to right. Within a panel: row by row, left to right.
//
// A control out of sight (below or right of the window's area, in the
// closed setup row, under the KO panel or in it while it waits below)
// takes no focus and ignores keys. The chain follows every move, resize,
// show and hide: opening the setup row or the KO panel brings their
// controls back.
class TabChain final : public QObject {
    Q_OBJECT
public:
    TabChain(MatchState& state, ConsoleCanvas& canvas);

    // The controls in Tab order now.
    QList<QWidget*> order() const;
    // Shown, its middle inside the window's area and not covered.
    bool inSight(const QWidget* control) const;
    // Applies the order now (otherwise after the change that needs it).
    void rebuild();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Panel = std::vector<const Element*>;
    // The panels in reading order.
    std::vector<Panel> panels() const;
    // A panel's controls (frames stand for the controls in them), row by
    // row, left to right.
    QList<QWidget*> controlsOf(const Panel& panel) const;
    void watch(QWidget* w);
    void schedule();

    MatchState& m_state;
    ConsoleCanvas& m_canvas;
    // Each control with the focus policy it has when in sight.
    QHash<QWidget*, Qt::FocusPolicy> m_policy;
    bool m_pending = false;
};

} // namespace kestrane::view
