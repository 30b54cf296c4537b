#include "core/Element.h"
#include "support/TestMain.h"

using kestrane::Element;
using kestrane::ElementKind;
using kestrane::Property;

class TestElement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A label's change handler runs on every assignment, also when the text
    // stays; other kinds have no change handler.
    void labelChangeRunsOnEveryAssignment()
    {
        Element label(ElementKind::Label, QStringLiteral("scri"));
        QStringList seen;
        label.onChange = [&] { seen << label.caption(); };
        label.setCaption(QStringLiteral("0"));
        label.setCaption(QStringLiteral("0"));
        label.setCaption(QStringLiteral("1"));
        QCOMPARE(seen, (QStringList{"0", "0", "1"}));

        Element box(ElementKind::TextBox, QStringLiteral("ippon"));
        int runs = 0;
        box.onChange = [&] { ++runs; };
        box.setText(QStringLiteral("2"));
        QCOMPARE(runs, 0);
    }

    // A check box's handler runs on every change of its value, whoever makes
    // it, and only on a change; the handler sees the new value.
    void checkBoxHandlerRunsOnEveryChange()
    {
        Element check(ElementKind::CheckBox, QStringLiteral("Check3"));
        QList<int> seen;
        check.onClick = [&] { seen << check.value(); };
        check.setValue(1);
        check.setValue(1);
        check.click(); // the operator unticks it
        check.setValue(2);
        check.setValue(0);
        QCOMPARE(seen, (QList<int>{1, 0, 2, 0}));
    }

    // Observers hear only real changes, and may remove themselves (a widget
    // destroyed while it is being told).
    void observersHearChanges()
    {
        Element e(ElementKind::Label, QStringLiteral("Label1"));
        QList<Property> heard;
        int self = 0;
        self = e.addObserver([&](const Element&, Property p) {
            heard << p;
            if (p == Property::Visible)
                e.removeObserver(self);
        });
        e.setCaption(QStringLiteral("x"));
        e.setCaption(QStringLiteral("x"));
        e.setLeft(120);
        e.setLeft(120);
        e.setForeColor(0x0000C0);
        e.refresh();
        e.setVisible(false);
        e.setVisible(true); // no longer heard
        QCOMPARE(heard, (QList<Property>{Property::Caption, Property::Geometry, Property::ForeColor,
                                         Property::Repaint, Property::Visible}));
    }

    // Starting a timer that is on is no change: nothing restarts it.
    void timerStartedTwiceStaysUndisturbed()
    {
        Element timer(ElementKind::Timer, QStringLiteral("Timer3"));
        timer.setInterval(500);
        int enables = 0;
        timer.addObserver([&](const Element&, Property p) {
            if (p == Property::Enabled)
                ++enables;
        });
        int ticks = 0;
        timer.onTick = [&] { ++ticks; };
        timer.tick(); // off: no tick handler
        timer.setEnabled(true);
        timer.setEnabled(true);
        timer.tick();
        QCOMPARE(enables, 1);
        QCOMPARE(ticks, 1);
    }

    void arrayMembersHaveIndexedNames()
    {
        Element lamp(ElementKind::Shape, QStringLiteral("Shape4"), 21);
        QCOMPARE(lamp.displayName(), QStringLiteral("Shape4(21)"));
        Element named(ElementKind::Label, QStringLiteral("scri"));
        QCOMPARE(named.displayName(), QStringLiteral("scri"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestElement)
#include "tst_element.moc"
