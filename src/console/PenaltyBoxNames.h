#pragma once

#include "penalties/PenaltyBoxes.h"

#include <QObject>
#include <QString>

#include <utility>
#include <vector>

namespace kestrane {
class Element;
class MatchState;
} // namespace kestrane

namespace kestrane::view {

class ConsoleCanvas;

// The names a screen reader gives the penalty grids' boxes, built from the
// letters the operator sees around each box: the side, the row's letter
// where one is shown ("row M"), the column's letter where one is shown
// ("column C"), else the box's place in its row ("first box"). The names
// follow the rule set's captions as they change.
class PenaltyBoxNames final : public QObject {
    Q_OBJECT
public:
    PenaltyBoxNames(MatchState& state, ConsoleCanvas& canvas);
    ~PenaltyBoxNames() override;

    // rowLetter: the first row's "A" is shown; columnLetter: the first
    // column's "A" is shown.
    static QString nameOf(const PenaltyBox& box, bool rowLetter, bool columnLetter);

private:
    void update();

    MatchState& m_state;
    ConsoleCanvas& m_canvas;
    std::vector<std::pair<Element*, int>> m_observers;
};

} // namespace kestrane::view
