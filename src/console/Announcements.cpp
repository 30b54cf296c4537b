#include "console/Announcements.h"

#include "console/ConsoleCanvas.h"
#include "match/MatchState.h"

#include <QAbstractButton>
#include <QAccessibleWidget>

namespace kestrane::view {

namespace {

constexpr char kNoticeName[] = "consoleAnnouncements";

QAccessibleInterface* noticeFactory(const QString& key, QObject* object)
{
    if (object && object->isWidgetType() && key == QLatin1String("QWidget") &&
        object->objectName() == QLatin1String(kNoticeName))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

void Announcements::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(noticeFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

Announcements::Announcements(MatchState& state, ConsoleCanvas& canvas)
    : QObject(&canvas), m_state(state), m_notice(new QWidget(&canvas))
{
    installFactory();
    // A pixel in the corner, above nothing a click or the Tab chain needs.
    m_notice->setObjectName(QLatin1String(kNoticeName));
    m_notice->setGeometry(0, 0, 1, 1);
    m_notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_notice->setFocusPolicy(Qt::NoFocus);
    m_notice->show();

    MatchState& s = m_state;
    for (Element* e : {&s.scwi, &s.scww, &s.scri, &s.scrw}) {
        m_scores << e->caption();
        watch(*e, Property::Caption, &Announcements::score);
    }
    watch(s.Timer1, Property::Enabled, &Announcements::clockRuns);
    watch(s.Label3, Property::Caption, &Announcements::clockShows);
    watch(s.Timer3, Property::Enabled, &Announcements::blinks);
    watch(s.Timer4, Property::Enabled, &Announcements::blinks);
    watch(s.Label20, Property::Caption, &Announcements::koCount);
    watch(s.Frame12, Property::Geometry, &Announcements::koPanel);
    if (auto* reset = qobject_cast<QAbstractButton*>(canvas.widgetFor(&s.Command13))) {
        connect(reset, &QAbstractButton::clicked, this, [this] {
            m_reset = true;
            say(QString());
        });
    }
}

Announcements::~Announcements()
{
    for (const auto& [element, id] : m_observers)
        element->removeObserver(id);
}

void Announcements::watch(Element& e, Property p, void (Announcements::*handler)(const Element&))
{
    const int id = e.addObserver([this, p, handler](const Element& el, Property changed) {
        if (changed == p)
            (this->*handler)(el);
    });
    m_observers.emplace_back(&e, id);
}

QString Announcements::clockText() const
{
    const MatchState& s = m_state;
    return s.Label1.caption() + QLatin1Char(':') + s.Label2.caption() + s.Label3.caption();
}

void Announcements::score(const Element& e)
{
    const MatchState& s = m_state;
    const Element* labels[] = {&s.scwi, &s.scww, &s.scri, &s.scrw};
    const char* words[] = {"Shiro ippon ", "Shiro waza-ari ", "Aka ippon ", "Aka waza-ari "};
    for (int i = 0; i < 4; ++i) {
        if (labels[i] == &e && m_scores[i] != e.caption()) {
            m_scores[i] = e.caption();
            say(QLatin1String(words[i]) + e.caption());
        }
    }
}

void Announcements::clockRuns(const Element& e)
{
    if (e.enabled())
        say(QStringLiteral("Clock started at ") + clockText());
    else if (clockText() != QLatin1String("0:00"))
        say(QStringLiteral("Clock stopped at ") + clockText());
}

void Announcements::clockShows(const Element&)
{
    // The seconds part is written last: the whole time is new here.
    if (!m_state.Timer1.enabled())
        return;
    const QString time = clockText();
    if (time == QLatin1String("0:30"))
        say(QStringLiteral("30 seconds left"));
    else if (time == QLatin1String("0:00"))
        say(QStringLiteral("Time is up"));
}

void Announcements::blinks(const Element& e)
{
    // Said once both timers are set: a draw turns on one, then the other.
    if (e.enabled()) {
        m_blinkStarted = true;
        say(QString());
    }
}

void Announcements::koCount(const Element& e)
{
    if (m_koOpen)
        say(QStringLiteral("KO count ") + e.caption());
}

void Announcements::koPanel(const Element&)
{
    const bool open = m_state.Frame12.top() < 9000;
    if (open == m_koOpen) {
        return;
    }
    m_koOpen = open;
    say(open ? QStringLiteral("KO count 00") : QStringLiteral("KO count closed"));
}

void Announcements::say(const QString& words)
{
    if (!m_pending)
        QMetaObject::invokeMethod(this, &Announcements::flush, Qt::QueuedConnection);
    m_pending = true;
    if (!words.isEmpty() && !m_batch.contains(words))
        m_batch << words;
}

void Announcements::flush()
{
    m_pending = false;
    if (m_blinkStarted) {
        const bool aka = m_state.Timer3.enabled();
        const bool shiro = m_state.Timer4.enabled();
        if (aka || shiro)
            m_batch << (aka && shiro ? QStringLiteral("Both names blink")
                                     : QLatin1String(aka ? "Aka wins" : "Shiro wins"));
        m_blinkStarted = false;
    }
    // Reset match puts back every readout at once: it is said as one.
    const QString words =
        m_reset ? QStringLiteral("Match reset, ") + clockText() : m_batch.join(QLatin1String(", "));
    m_batch.clear();
    m_reset = false;
    if (words.isEmpty())
        return;
    m_last = words;
    m_notice->setAccessibleName(words);
    // A notification that shows is what a screen reader speaks.
    QAccessibleEvent shown(m_notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace kestrane::view
