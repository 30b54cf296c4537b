#pragma once

#include <QString>

namespace kestrane {

class Kubord2;
class Kumite2;

// The ten-second knock-down count.
class KoTimer {
public:
    explicit KoTimer(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void ko();
    void Timer2_Timer();
    void Command15_Click();
    // The board's vertical factor, computed again from shtxt and vsch.
    double factorF() const;
    // The count panel stands in view: counting or finished.
    bool panelOpen() const;
    // Where the count panel and its background go on a board of vertical
    // factor f.
    static void placeCount(Kubord2& board, double f);

private:
    // The count into board Label1(14), then into Label20.
    void showCount(const QString& text);
    void repaintCount();

    Kumite2& m_k;
};

} // namespace kestrane
