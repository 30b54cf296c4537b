#include "core/Element.h"
#include "platform/QtScreenPort.h"
#include "platform/TimerDriver.h"
#include "support/TestMain.h"

#include <QElapsedTimer>

using namespace kestrane;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The screens of the desktop, primary first as Qt orders them.
    void screensOfTheDesktop()
    {
        QtScreenPort port;
        const auto all = port.screens();
        QCOMPARE(all.size(), std::size_t(2));
        QVERIFY(all[0].primary);
        QCOMPARE(all[0].geometry, (ScreenPort::Rect{0, 0, 1280, 800}));
        QCOMPARE(all[1].geometry, (ScreenPort::Rect{1280, 0, 1920, 1080}));
        QCOMPARE(ScreenPort::screenAt(all, 1280 + 7, 0), 1);
        QCOMPARE(ScreenPort::screenAt(all, 4000, 0), -1);
        QCOMPARE(ScreenPort::primaryIndex(all), 0);
    }

    // Ticks follow the element's on/off state. Turning on a running timer
    // keeps its phase: the next tick still comes one period after the last.
    void timerDriverFollowsElements()
    {
        Element t(ElementKind::Timer, QStringLiteral("Timer3"));
        t.setInterval(100);
        QList<qint64> at;
        QElapsedTimer clock;
        clock.start();
        t.onTick = [&] {
            at << clock.elapsed();
            if (at.size() == 2)
                t.setEnabled(true); // again, while on
        };
        TimerDriver driver({&t});
        t.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(at.size() >= 4, 2000);
        t.setEnabled(false);
        const auto stoppedAt = at.size();
        QTest::qWait(250);
        QCOMPARE(at.size(), stoppedAt);
        for (int i = 1; i < 4; ++i)
            QVERIFY2(qAbs(at[i] - at[i - 1] - 100) < 40,
                     qPrintable(QString::number(at[i] - at[i - 1])));

        // After shutdown nothing ticks, whatever the model asks.
        t.setEnabled(true);
        driver.shutdown();
        t.setEnabled(false);
        t.setEnabled(true);
        QTest::qWait(250);
        QCOMPARE(at.size(), stoppedAt);
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
