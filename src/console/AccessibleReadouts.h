#pragma once

#include <QObject>

#include <utility>
#include <vector>

namespace kestrane {
class Element;
class MatchState;
} // namespace kestrane

namespace kestrane::view {

class ConsoleCanvas;

// What a screen reader hears of the console's readouts, kept up to date as
// they change: each score with its side and kind ("Aka ippon 2"), the clock
// as one text ("Match clock 1:30") whose other three digit labels stay
// silent, the KO count ("KO count 07"), and the captions over the number
// of Ippon and the field number with the value under them. The captions on the screen do
// not change.
class AccessibleReadouts final : public QObject {
    Q_OBJECT
public:
    AccessibleReadouts(MatchState& state, ConsoleCanvas& canvas);
    ~AccessibleReadouts() override;

    // Lets the console's labels answer assistive tools with these names;
    // before the first label is made.
    static void installFactory();

private:
    void update();
    void name(const Element& e, const QString& text);

    MatchState& m_state;
    ConsoleCanvas& m_canvas;
    std::vector<std::pair<Element*, int>> m_observers;
};

} // namespace kestrane::view
