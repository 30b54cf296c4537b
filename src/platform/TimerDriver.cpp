#include "platform/TimerDriver.h"

#include "core/Element.h"

#include <QTimer>

namespace kestrane {

TimerDriver::TimerDriver(const std::vector<Element*>& timers, QObject* parent) : QObject(parent)
{
    m_bindings.reserve(timers.size());
    for (Element* e : timers) {
        auto* t = new QTimer(this);
        t->setTimerType(Qt::PreciseTimer);
        m_bindings.push_back({e, t, 0});
        const std::size_t i = m_bindings.size() - 1;
        connect(t, &QTimer::timeout, this, [this, e] {
            if (!m_down)
                e->tick();
        });
        m_bindings[i].observer = e->addObserver([this, i](const Element&, Property p) {
            if (p == Property::Enabled || p == Property::Interval)
                sync(m_bindings[i]);
        });
        sync(m_bindings[i]);
    }
}

TimerDriver::~TimerDriver()
{
    for (Binding& b : m_bindings)
        b.element->removeObserver(b.observer);
}

void TimerDriver::shutdown()
{
    m_down = true;
    for (Binding& b : m_bindings)
        b.timer->stop();
}

void TimerDriver::sync(Binding& b)
{
    if (m_down)
        return;
    if (!b.element->enabled()) {
        b.timer->stop();
        return;
    }
    const int period = b.element->interval();
    if (b.timer->isActive() && b.timer->interval() == period)
        return; // already running: keep its phase
    if (period > 0)
        b.timer->start(period);
    else
        b.timer->stop();
}

} // namespace kestrane
