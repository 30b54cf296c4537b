#pragma once

#include "core/Element.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QWidget;

namespace kestrane {
class MatchState;
}

namespace kestrane::view {

class ConsoleCanvas;

// Says what changes on the console to a screen reader, which ignores the
// name changes of plain labels: a score ("Aka ippon 2"), a win, Reset
// match, the clock starting and stopping, its warning and its end, the KO
// count opening, each of its steps and its closing. The clock's seconds
// are not said (the clock's label reads the time on demand). What one
// handler changes is said once, together, after it.
//
// The words go out through a notification object on the accessibility bus
// that shows anew for each: the one kind of unfocused change a screen
// reader presents with what Qt 6.4 offers.
class Announcements final : public QObject {
    Q_OBJECT
public:
    Announcements(MatchState& state, ConsoleCanvas& canvas);
    ~Announcements() override;

    // What was said last (also the notification's accessible name).
    QString last() const { return m_last; }

    // Lets the notification answer assistive tools; before it is made.
    static void installFactory();

private:
    void watch(Element& e, Property p, void (Announcements::*handler)(const Element&));
    void score(const Element& e);
    void clockRuns(const Element& e);
    void clockShows(const Element& e);
    void blinks(const Element& e);
    void koCount(const Element& e);
    void koPanel(const Element& e);
    void say(const QString& words);
    void flush();
    QString clockText() const;

    MatchState& m_state;
    QWidget* m_notice;
    std::vector<std::pair<Element*, int>> m_observers;
    QStringList m_batch;
    bool m_pending = false;
    bool m_reset = false;
    bool m_blinkStarted = false;
    bool m_koOpen = false;
    QString m_last;
    QStringList m_scores;
};

} // namespace kestrane::view
