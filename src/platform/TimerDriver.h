#pragma once

#include <QObject>

#include <vector>

class QTimer;

namespace kestrane {

class Element;

// Runs one precise QTimer per timer element, following the element's on/off
// state and period, and delivers each timeout as the element's tick. Turning
// on a timer that already runs leaves its QTimer alone, so a blink keeps its
// phase.
class TimerDriver final : public QObject {
    Q_OBJECT
public:
    explicit TimerDriver(const std::vector<Element*>& timers, QObject* parent = nullptr);
    ~TimerDriver() override;
    // Stops every timer for good: no tick is delivered afterwards.
    void shutdown();

private:
    struct Binding {
        Element* element;
        QTimer* timer;
        int observer;
    };
    void sync(Binding& b);
    std::vector<Binding> m_bindings;
    bool m_down = false;
};

} // namespace kestrane
