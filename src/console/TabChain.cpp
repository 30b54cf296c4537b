#include "console/TabChain.h"

#include "console/ConsoleCanvas.h"
#include "match/MatchState.h"
#include "widgets/ElementBinding.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace kestrane::view {

TabChain::TabChain(MatchState& state, ConsoleCanvas& canvas)
    : QObject(&canvas), m_state(state), m_canvas(canvas)
{
    for (QWidget* w : m_canvas.findChildren<QWidget*>()) {
        if (w->focusPolicy() != Qt::NoFocus)
            m_policy.insert(w, w->focusPolicy());
        watch(w);
    }
    watch(&m_canvas);
    const MatchState& s = m_state;
    for (const auto& [from, to] : {std::pair{&s.Command3, &s.Command4},
                                   {&s.Command4, &s.Command3},
                                   {&s.Command11, &s.Command15},
                                   {&s.Command15, &s.Command11}})
        m_heir.insert(m_canvas.widgetFor(from), m_canvas.widgetFor(to));
    if (m_canvas.parentWidget())
        watch(m_canvas.parentWidget()); // the window's client area
    // The console starts with no control focused, so that a stray key
    // changes nothing (the S key still reaches the clock); the first Tab
    // goes to the first control.
    m_canvas.setFocusPolicy(Qt::ClickFocus);
    m_canvas.setFocus();
    rebuild();
}

void TabChain::watch(QWidget* w)
{
    w->installEventFilter(this);
}

std::vector<TabChain::Panel> TabChain::panels() const
{
    const MatchState& s = m_state;
    const std::vector<Panel> shiro = {
        {&s.SanbonB, &s.MyButton1, &s.NihonB, &s.Command9}, {&s.Frame20}, {&s.Check2}};
    const std::vector<Panel> aka = {
        {&s.Command6, &s.Command10, &s.Command8, &s.MyButton2}, {&s.Frame21}, {&s.Check11}};
    const bool shiroLeft = s.Frame20.left() <= s.Frame21.left();
    std::vector<Panel> all = shiroLeft ? shiro : aka;
    for (const Panel& p : shiroLeft ? aka : shiro)
        all.push_back(p);
    for (const Element* e :
         {&s.Frame1, &s.Frame12, &s.ippon, &s.Frame8, &s.Frame17, &s.Frame9, &s.Frame10, &s.Frame11,
          &s.Frame14, &s.Frame7, &s.Frame13, &s.Frame15, &s.Frame16})
        all.push_back({e});
    return all;
}

QList<QWidget*> TabChain::controlsOf(const Panel& panel) const
{
    QList<QWidget*> found;
    for (const Element* e : panel) {
        QWidget* w = m_canvas.widgetFor(e);
        if (!w)
            continue;
        if (m_policy.contains(w))
            found << w;
        for (QWidget* child : w->findChildren<QWidget*>()) {
            if (m_policy.contains(child))
                found << child;
        }
    }
    const auto rect = [this](const QWidget* w) {
        return QRect(w->mapTo(&m_canvas, QPoint()), w->size());
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](QWidget* a, QWidget* b) { return rect(a).top() < rect(b).top(); });
    // A row: the controls whose middle lies beside its first (highest) one.
    for (qsizetype start = 0; start < found.size();) {
        const QRect first = rect(found[start]);
        qsizetype end = start + 1;
        while (end < found.size() && rect(found[end]).center().y() <= first.bottom())
            ++end;
        std::stable_sort(found.begin() + start, found.begin() + end,
                         [&](QWidget* a, QWidget* b) { return rect(a).left() < rect(b).left(); });
        start = end;
    }
    return found;
}

bool TabChain::inSight(const QWidget* control) const
{
    if (!control->isVisibleTo(&m_canvas))
        return false;
    const QPoint middle = control->mapTo(&m_canvas, control->rect().center());
    QRect area = m_canvas.rect();
    if (const QWidget* client = m_canvas.parentWidget())
        area &= QRect(m_canvas.mapFromParent(QPoint()), client->size());
    if (!area.contains(middle))
        return false;
    const QWidget* top = m_canvas.childAt(middle);
    return top == control || control->isAncestorOf(top);
}

QList<QWidget*> TabChain::order() const
{
    QList<QWidget*> placed;
    for (const Panel& p : panels())
        placed << controlsOf(p);
    // Controls of no panel (the board's size boxes) come last, if in sight.
    Panel rest;
    for (auto it = m_policy.cbegin(); it != m_policy.cend(); ++it) {
        if (!placed.contains(it.key())) {
            for (const Element* e : m_state.elements()) {
                if (m_canvas.widgetFor(e) == it.key())
                    rest.push_back(e);
            }
        }
    }
    placed << controlsOf(rest);
    QList<QWidget*> chain;
    for (QWidget* w : placed) {
        if (inSight(w) && !chain.contains(w))
            chain << w;
    }
    return chain;
}

void TabChain::rebuild()
{
    m_pending = false;
    const QList<QWidget*> chain = order();
    for (auto it = m_policy.cbegin(); it != m_policy.cend(); ++it)
        it.key()->setFocusPolicy(chain.contains(it.key()) ? it.value() : Qt::NoFocus);
    if (!chain.isEmpty())
        QWidget::setTabOrder(&m_canvas, chain.first());
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    // A control that went out of sight keeps no focus: the next Tab starts
    // at the beginning instead of behind it.
    QWidget* focus = m_canvas.window()->focusWidget();
    if (focus && m_policy.contains(focus) && !chain.contains(focus))
        handOver(focus, false);
}

void TabChain::handOver(QWidget* from, bool heirMayBeCovered)
{
    // Just before a hide the leaving control may still stand over its heir.
    QWidget* heir = m_heir.value(from);
    const bool ready = heir && (heirMayBeCovered ? heir->isVisibleTo(&m_canvas) : inSight(heir));
    if (ready)
        heir->setFocus(Qt::OtherFocusReason);
    else
        m_canvas.setFocus(Qt::OtherFocusReason);
}

bool TabChain::clickOnly(const QWidget* w) const
{
    return m_policy.value(const_cast<QWidget*>(w), Qt::NoFocus) == Qt::TabFocus;
}

void TabChain::schedule()
{
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(this, &TabChain::rebuild, Qt::QueuedConnection);
}

bool TabChain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == ElementBinding::hidingWithFocus()) {
        handOver(static_cast<QWidget*>(watched), true);
        return true;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Runs after the toolkit's own click focus, which passes a click on
        // a button up to the client area unless the button is focused.
        const QWidget* focus = QApplication::focusWidget();
        if (clickOnly(static_cast<QWidget*>(watched)) && focus && clickOnly(focus))
            m_canvas.setFocus(Qt::MouseFocusReason);
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // Keys never change a control out of sight, whatever gave it focus.
        auto* w = static_cast<QWidget*>(watched);
        return m_policy.contains(w) && !inSight(w);
    }
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::ZOrderChange:
        schedule();
        break;
    default:
        break;
    }
    return false;
}

} // namespace kestrane::view
