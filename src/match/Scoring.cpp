#include "match/Scoring.h"

#include "board/BoardHolder.h"
#include "core/Numbers.h"
#include "match/MatchState.h"
#include "match/WinnerSignal.h"

namespace kestrane {

namespace {
constexpr double kMaxCount = 99;
}

void Scoring::wire()
{
    MatchState& s = m_state;
    s.Command6.onClick = [this] { Command6_Click(); };
    s.Command8.onClick = [this] { Command8_Click(); };
    s.Command10.onClick = [this] { Command10_Click(); };
    s.MyButton2.onClick = [this] { MyButton2_Click(); };
    s.SanbonB.onClick = [this] { SanbonB_Click(); };
    s.NihonB.onClick = [this] { NihonB_Click(); };
    s.MyButton1.onClick = [this] { MyButton1_Click(); };
    s.Command9.onClick = [this] { Command9_Click(); };
    s.scri.onChange = [this] { scri_Change(); };
    s.scrw.onChange = [this] { scrw_Change(); };
    s.scwi.onChange = [this] { scwi_Change(); };
    s.scww.onChange = [this] { scww_Change(); };
}

void Scoring::Command6_Click()
{
    ipponPress(m_state.scri);
}

void Scoring::Command8_Click()
{
    wazaariPress(m_state.scrw, m_state.scri);
}

void Scoring::Command10_Click()
{
    minusPress(m_state.scri);
}

void Scoring::MyButton2_Click()
{
    minusPress(m_state.scrw);
}

void Scoring::SanbonB_Click()
{
    ipponPress(m_state.scwi);
}

void Scoring::NihonB_Click()
{
    wazaariPress(m_state.scww, m_state.scwi);
}

void Scoring::MyButton1_Click()
{
    minusPress(m_state.scwi);
}

void Scoring::Command9_Click()
{
    minusPress(m_state.scww);
}

void Scoring::scri_Change()
{
    decide(Side::Aka);
}

void Scoring::scrw_Change()
{
    decide(Side::Aka);
}

void Scoring::scwi_Change()
{
    decide(Side::Shiro);
}

void Scoring::scww_Change()
{
    decide(Side::Shiro);
}

Element& Scoring::boardCopy(const Element& label)
{
    MatchState& s = m_state;
    Kubord2& b = m_boards.currentOrNewHidden();
    if (&label == &s.scri)
        return b.scri;
    if (&label == &s.scrw)
        return b.scrw;
    if (&label == &s.scwi)
        return b.scwi;
    return b.scww;
}

void Scoring::ipponPress(Element& ipponLabel)
{
    // Every press ends a running win signal, even one the gate ignores.
    m_signal.knipperuit();
    // The gate compares the target with the ippon count only.
    if (Numbers::val(m_state.ippon.text()) == Numbers::val(ipponLabel.caption()))
        return;
    double x = Numbers::val(ipponLabel.caption()) + 1;
    if (x >= kMaxCount) {
        x = kMaxCount;
        m_signal.eindgeluid();
    }
    ipponLabel.setCaption(Numbers::str(x)); // runs the decision
    boardCopy(ipponLabel).setCaption(Numbers::str(x));
}

void Scoring::wazaariPress(Element& wazaariLabel, Element& ipponLabel)
{
    MatchState& s = m_state;
    m_signal.knipperuit();
    if (Numbers::val(s.ippon.text()) == Numbers::val(ipponLabel.caption()))
        return;
    double x = Numbers::val(wazaariLabel.caption()) + 1;
    if (x >= kMaxCount) {
        x = kMaxCount;
        m_signal.eindgeluid();
    }
    wazaariLabel.setCaption(Numbers::str(x));
    // Two waza-ari become one ippon: same points, other display. The ippon
    // increment is taken as it comes, without gate or limit.
    if (s.Check25.value() != 0 && x == 2) {
        wazaariLabel.setCaption(QStringLiteral("0"));
        ipponLabel.setCaption(Numbers::str(Numbers::val(ipponLabel.caption()) + 1));
    }
    boardCopy(wazaariLabel).setCaption(wazaariLabel.caption());
    boardCopy(ipponLabel).setCaption(ipponLabel.caption());
}

void Scoring::minusPress(Element& label)
{
    m_signal.knipperuit();
    double x = Numbers::val(label.caption()) - 1;
    if (x <= 0)
        x = 0;
    label.setCaption(Numbers::str(x));
    boardCopy(label).setCaption(Numbers::str(x));
}

void Scoring::decide(Side side)
{
    MatchState& s = m_state;
    const bool aka = side == Side::Aka;
    const double w = Numbers::val((aka ? s.scrw : s.scww).caption());
    const double t = Numbers::val(s.ippon.text());
    const double i = Numbers::val((aka ? s.scri : s.scwi).caption());
    if (2 * i + w >= 2 * t) {
        if (aka)
            m_signal.eindstrafbl();
        else
            m_signal.eindstrafro();
        m_stopClock();
    }
}

} // namespace kestrane
