#include "console/AccessibleReadouts.h"

#include "console/ConsoleCanvas.h"
#include "match/MatchState.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace kestrane::view {

namespace {

constexpr char kSilent[] = "accessibleSilent";

// A console label for assistive tools: its accessible name where one is
// set, else its text; a silent one (part of a readout another label
// speaks for) is invisible to them.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (silent())
            s.invisible = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (silent())
            return {};
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = widget()->accessibleName();
        const auto* label = qobject_cast<const QLabel*>(widget());
        return name.isEmpty() && label ? label->text() : name;
    }

private:
    bool silent() const { return widget()->property(kSilent).toBool(); }
};

QAccessibleInterface* labelFactory(const QString& key, QObject* object)
{
    if (object && object->isWidgetType() && key == QLatin1String("kestrane::view::ElementLabel"))
        return new LabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void AccessibleReadouts::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(labelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

AccessibleReadouts::AccessibleReadouts(MatchState& state, ConsoleCanvas& canvas)
    : QObject(&canvas), m_state(state), m_canvas(canvas)
{
    MatchState& s = m_state;
    for (const Element* e : {&s.Label4, &s.Label2, &s.Label3}) {
        if (QWidget* w = m_canvas.widgetFor(e))
            w->setProperty(kSilent, true);
    }
    for (Element* e : {&s.scwi, &s.scww, &s.scri, &s.scrw, &s.Label1, &s.Label2, &s.Label3,
                       &s.Label20, &s.ippon, &s.Text1}) {
        const int id = e->addObserver([this](const Element&, Property p) {
            if (p == Property::Caption)
                update();
        });
        m_observers.emplace_back(e, id);
    }
    update();
}

AccessibleReadouts::~AccessibleReadouts()
{
    for (const auto& [element, id] : m_observers)
        element->removeObserver(id);
}

void AccessibleReadouts::name(const Element& e, const QString& text)
{
    QWidget* w = m_canvas.widgetFor(&e);
    if (w && w->accessibleName() != text)
        w->setAccessibleName(text);
}

void AccessibleReadouts::update()
{
    const MatchState& s = m_state;
    name(s.scwi, QStringLiteral("Shiro ippon ") + s.scwi.caption());
    name(s.scww, QStringLiteral("Shiro waza-ari ") + s.scww.caption());
    name(s.scri, QStringLiteral("Aka ippon ") + s.scri.caption());
    name(s.scrw, QStringLiteral("Aka waza-ari ") + s.scrw.caption());
    name(s.Label1, QStringLiteral("Match clock %1:%2%3")
                       .arg(s.Label1.caption(), s.Label2.caption(), s.Label3.caption()));
    name(s.Label20, QStringLiteral("KO count ") + s.Label20.caption());
    // The captions over two text boxes read with the value beneath them.
    name(s.Label22, QStringLiteral("Number of Ippon ") + s.ippon.text());
    name(s.Frame9, QStringLiteral("Field number ") + s.Text1.text());
}

} // namespace kestrane::view
