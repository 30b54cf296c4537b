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
//
// The focus follows the command: when the focused Start turns into Stop (or
// back), or the KO count opens over "KO Timer" or closes, it goes to the
// control that took the place, never to the next one in the chain. A
// focused control that goes otherwise leaves no control focused.
//
// Clicks do not arm Space: a click on a button or a box does not focus it,
// and takes the focus from a button or box Tab had reached; only Tab (or an
// assistive tool) focuses them.
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
    // The focus leaves `from`: to its heir when that is in sight, else to
    // no control.
    void handOver(QWidget* from, bool heirMayBeCovered);
    bool clickOnly(const QWidget* w) const;

    MatchState& m_state;
    ConsoleCanvas& m_canvas;
    // Each control with the focus policy it has when in sight.
    QHash<QWidget*, Qt::FocusPolicy> m_policy;
    // The control that takes the focus when the key one gives way to it.
    QHash<QWidget*, QWidget*> m_heir;
    bool m_pending = false;
};

} // namespace kestrane::view
