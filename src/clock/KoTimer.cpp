#include "clock/KoTimer.h"

#include "board/BoardHolder.h"
#include "board/BoardScaling.h"
#include "clock/MatchClock.h"
#include "core/Numbers.h"
#include "match/MatchState.h"
#include "match/WinnerSignal.h"

#include <cmath>

namespace kestrane {

namespace {
constexpr double kPanelOpenTop = 500;
constexpr double kPanelOpenLeft = 2400;
constexpr double kPanelClosedTop = 9000; // below the visible console
constexpr int kCountLabel = 14;          // board Label1(14)
constexpr int kCountOutline = 21;        // board Shape4(21)
} // namespace

void KoTimer::wire()
{
    MatchState& s = m_state;
    s.Command11.onClick = [this] { ko(); };
    s.Timer2.onTick = [this] { Timer2_Timer(); };
    s.Command15.onClick = [this] { Command15_Click(); };
}

bool KoTimer::panelOpen() const
{
    return m_state.Frame12.top() != kPanelClosedTop;
}

double KoTimer::factorF() const
{
    const double height = Numbers::val(m_state.shtxt.text());
    const double divisor = Numbers::val(m_state.vsch.text()) * Kubord2::kDesignHeight;
    // A zero scale would divide by zero: treat it as a board never measured,
    // so no infinite or undefined position reaches the board.
    if (divisor == 0)
        return 0;
    const double f = height / divisor;
    return std::isfinite(f) ? f : 0;
}

void KoTimer::ko()
{
    const double f = factorF();
    MatchState& s = m_state;
    m_boards.currentOrNewHidden().label1(kCountLabel).setCaption(QStringLiteral("00"));
    s.Label20.setCaption(QStringLiteral("00"));
    m_clock.stoppen();
    s.Frame12.setTop(kPanelOpenTop);
    s.Frame12.setLeft(kPanelOpenLeft);

    Kubord2& b = m_boards.currentOrNewHidden();
    b.Frame1.setVisible(false);
    b.shape4(kCountOutline).setVisible(true);
    b.label1(kCountLabel).setVisible(true);
    b.Frame4.setVisible(true);
    placeCount(b, f);
    s.Timer2.setEnabled(true);
    b.form().refresh();
}

void KoTimer::placeCount(Kubord2& b, double f)
{
    // Single precision and saturated, as every scaled board position: a
    // scale of 1e-300 gives a huge but finite place, never infinity.
    b.shape4(kCountOutline).setTop(BoardScaling::scaled(120, f));
    b.Frame4.setTop(BoardScaling::scaled(520, f));
}

void KoTimer::Timer2_Timer()
{
    MatchState& s = m_state;
    const double k = Numbers::val(s.Label20.caption()) + 1;

    if (k == 7) {
        showCount(QStringLiteral("07"));
        repaintCount();
        m_signal.waargeluid();
        return;
    }
    if (k == 10) {
        showCount(QStringLiteral("10"));
        repaintCount();
        s.Timer2.setEnabled(false);
        m_signal.eindstraf();
    } else {
        m_signal.knipperuit();
    }
    const QString digits = Numbers::str(k);
    showCount(k < 10 ? QStringLiteral("0") + digits.right(1) : digits.right(2));
}

void KoTimer::Command15_Click()
{
    MatchState& s = m_state;
    s.Frame12.setTop(kPanelClosedTop);
    s.Label20.setCaption(QStringLiteral("00"));
    s.Timer2.setEnabled(false);
    Kubord2& b = m_boards.currentOrNewHidden();
    b.shape4(kCountOutline).setVisible(false);
    b.label1(kCountLabel).setVisible(false);
    b.Frame4.setVisible(false);
    b.Frame1.setVisible(true);
    m_signal.knipperuit();
}

void KoTimer::showCount(const QString& text)
{
    m_boards.currentOrNewHidden().label1(kCountLabel).setCaption(text);
    m_state.Label20.setCaption(text);
}

void KoTimer::repaintCount()
{
    m_boards.currentOrNewHidden().label1(kCountLabel).refresh();
    m_state.Label20.refresh();
}

} // namespace kestrane
