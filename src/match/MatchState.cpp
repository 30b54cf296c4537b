#include "match/MatchState.h"

#include <stdexcept>

namespace kestrane {

MatchState::MatchState()
{
    // Initial match values. Values are text; check boxes start unticked,
    // timers off.
    for (Element* score : {&scri, &scrw, &scwi, &scww})
        score->setCaption(QStringLiteral("0"));
    ippon.setText(QStringLiteral("1"));

    Label1.setCaption(QStringLiteral("0"));
    Label2.setCaption(QStringLiteral("0"));
    Label3.setCaption(QStringLiteral("0"));
    Label4.setCaption(QStringLiteral(":"));
    Text5.setText(QStringLiteral("1"));
    Text6.setText(QStringLiteral("30"));
    Label5.setCaption(QStringLiteral(":"));
    Label20.setCaption(QStringLiteral("00"));

    Label19.setCaption(QStringLiteral("Aka"));
    Label19.setForeColor(0xFFFFFF);
    Label19.setBackColor(0x0000C0);
    Label18.setCaption(QStringLiteral("Shiro"));
    Label18.setForeColor(0x400000);
    Label18.setBackColor(0xE0E0E0);
    Label9.setCaption(QStringLiteral("S"));
    Label13.setCaption(QStringLiteral("S"));

    hsch.setText(QStringLiteral("1"));
    vsch.setText(QStringLiteral("1"));
    fsch.setText(QStringLiteral("1"));
    Text1.setText(QStringLiteral("1"));

    Timer1.setInterval(1000);
    Timer2.setInterval(1000);
    Timer3.setInterval(500);
    Timer4.setInterval(500);
}

Element& MatchState::add(ElementKind kind, const char* name)
{
    Element& e = m_store.emplace_back(kind, QString::fromLatin1(name));
    m_elements.push_back(&e);
    return e;
}

Element* MatchState::find(const QString& name) const
{
    for (Element* e : m_elements) {
        if (e->name() == name)
            return e;
    }
    return nullptr;
}

Element& MatchState::check(int n) const
{
    if (n < 1 || n > static_cast<int>(m_checks.size()))
        throw std::out_of_range("no such check box");
    return *m_checks[static_cast<std::size_t>(n - 1)];
}

std::vector<Element*> MatchState::menuItems() const
{
    return {&startext, &closeext, &lijn1, &setu, &lijn2, &rema, &retime,
            &etime,    &zessec,   &lijn3, &over, &lijn5, &sluit};
}

} // namespace kestrane
