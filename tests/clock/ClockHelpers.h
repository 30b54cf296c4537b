#pragma once

#include "support/TestConsole.h"

#include <QStringList>

namespace kestrane::test {

// Puts "M:TS" into the console's and the board's clock digits.
inline void setClock(TestConsole& c, const QString& mts)
{
    const QString m = mts.section(':', 0, 0);
    const QString secs = mts.section(':', 1);
    const QString t = secs.left(secs.size() - 1);
    const QString s = secs.right(1);
    c.s.Label1.setCaption(m);
    c.s.Label2.setCaption(t);
    c.s.Label3.setCaption(s);
    Kubord2& b = c.k.kubord2();
    b.Label5.setCaption(m);
    b.Label6.setCaption(t);
    b.Label8.setCaption(s);
}

inline QString consoleClock(TestConsole& c)
{
    return c.s.Label1.caption() + ':' + c.s.Label2.caption() + c.s.Label3.caption();
}

inline QString boardClock(TestConsole& c)
{
    Kubord2& b = c.k.kubord2();
    return b.Label5.caption() + ':' + b.Label6.caption() + b.Label8.caption();
}

// The text colours of board Label5, Label6, Label8 and Label7.
inline QList<Colour> boardClockColours(TestConsole& c)
{
    Kubord2& b = c.k.kubord2();
    return {b.Label5.foreColor(), b.Label6.foreColor(), b.Label8.foreColor(), b.Label7.foreColor()};
}

inline bool running(TestConsole& c)
{
    return c.s.Timer1.enabled();
}

// Running or stopped, and the one button of the two that is visible.
inline bool consistentRunState(TestConsole& c)
{
    return c.s.Command4.visible() == running(c) && c.s.Command3.visible() == !running(c);
}

inline void setScoresQuietly(TestConsole& c, const QStringList& scores)
{
    Element* console[] = {&c.s.scri, &c.s.scrw, &c.s.scwi, &c.s.scww};
    for (int i = 0; i < 4; ++i) {
        auto handler = std::exchange(console[i]->onChange, nullptr);
        console[i]->setCaption(scores.at(i));
        console[i]->onChange = std::move(handler);
    }
}

} // namespace kestrane::test
