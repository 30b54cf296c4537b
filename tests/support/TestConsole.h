#pragma once

#include "console/Kumite2.h"
#include "support/FakePorts.h"

#include <QTemporaryDir>

namespace kestrane::test {

// A console model on fake ports, with its program folder in a fresh
// temporary directory.
struct TestConsole {
    QTemporaryDir dir;
    FakePorts ports;
    Kumite2 k{{ports.sound, ports.messages, ports.files, ports.screens, ports.windows}, dir.path()};
    MatchState& s = k.state;
};

// Runs operator actions by element name, in order: a button is clicked, a
// box ticked or unticked, a timer ticks once. "Text5=2" sets a text box's
// text, "Check5=2" a box's value, "Timer4=1" turns a timer on; "0:01" sets
// the clock's digits.
inline void operate(TestConsole& c, const QString& actions)
{
    for (const QString& a : actions.split(u' ', Qt::SkipEmptyParts)) {
        Element* e = c.s.find(a.section(u'=', 0, 0));
        const QString value = a.section(u'=', 1);
        if (a.contains(u':')) {
            c.s.Label1.setCaption(a.section(u':', 0, 0));
            c.s.Label2.setCaption(a.section(u':', 1).left(1));
            c.s.Label3.setCaption(a.section(u':', 1).right(1));
        } else if (!e) {
            qFatal("no element %s", qPrintable(a));
        } else if (e->kind() == ElementKind::Timer) {
            value.isEmpty() ? e->tick() : e->setEnabled(value == u'1');
        } else if (e->kind() == ElementKind::CheckBox) {
            e->setValue(value.isEmpty() ? 1 - e->value() : value.toInt());
        } else if (a.contains(u'=')) {
            e->setText(value);
        } else {
            e->click();
        }
    }
}

} // namespace kestrane::test
