#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QScreen>

#include <cfloat>
#include <cmath>

using namespace kestrane;
using namespace kestrane::test;

// The opened board as the audience sees it, on the offscreen desktop of two
// screens (1280 x 800 primary, 1920 x 1080 right of it).
class TestOpeningView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onSecondScreenFilled()
    {
        TestConsole c;
        BoardPresenter presenter(c.k.boards);
        c.s.command1.click();
        BoardWindow* w = presenter.window();
        QVERIFY(w);
        QTRY_VERIFY(w->isVisible());
        QCOMPARE(w->screen(), QGuiApplication::screens().at(1));
        QTRY_COMPARE(w->geometry(), QRect(1280, 0, 1920, 1080));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!(w->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
        c.s.Command2.click();
        QVERIFY(!presenter.window());
    }

    // A lamp ticked before the opening is lit where the scaling put it; its
    // neighbour stays unlit. Mirrored, Shiro's panel stands on the left.
    void lampLitAtScaledPlace_data()
    {
        QTest::addColumn<int>("mirror");
        QTest::addColumn<QPoint>("lit");
        QTest::addColumn<QPoint>("unlit");
        // Shape4(13): Frame6 (11280, 1440) + (1830, 840), 600 x 600, all x 1.8,
        // centre at 24138 / 15, 4644 / 15 pixels; Shape4(14) 850 twips right.
        QTest::newRow("design") << 0 << QPoint(1609, 310) << QPoint(1711, 310);
        // Mirrored Frame6 at 240.
        QTest::newRow("mirrored") << 1 << QPoint(284, 310) << QPoint(386, 310);
    }

    void lampLitAtScaledPlace()
    {
        QFETCH(int, mirror);
        QFETCH(QPoint, lit);
        QFETCH(QPoint, unlit);
        TestConsole c;
        BoardPresenter presenter(c.k.boards);
        c.s.Check1.setValue(1);
        c.s.Check23.setValue(mirror);
        c.s.command1.click();
        BoardWindow* w = presenter.window();
        QVERIFY(w);
        QTRY_COMPARE(w->size(), QSize(1920, 1080));
        const QImage image = w->grab().toImage();
        QCOMPARE(image.pixelColor(lit), QColor(0xFF, 0xFF, 0x00));   // yellow
        QCOMPARE(image.pixelColor(unlit), QColor(0x80, 0x80, 0x80)); // grey
    }

    // Tiny, huge and negative scales are used as they are: the board opens,
    // the KO count opens over it, every place stays finite within single
    // precision, fonts drawable, and the board still paints.
    void absurdScalesStayFinite_data()
    {
        QTest::addColumn<QStringList>("scales"); // hsch, vsch, fsch
        for (const char* value : {"1e-40", "1e-300", "1e300"}) {
            for (int box = 0; box < 3; ++box) {
                QStringList scales{"1", "1", "1"};
                scales[box] = QString::fromLatin1(value);
                QTest::addRow("%s", qPrintable(scales.join(u' '))) << scales;
            }
        }
        QTest::newRow("all -1") << QStringList{"-1", "-1", "-1"};
        QTest::newRow("denormal") << QStringList{"4.9e-324", "-4.9e-324", "4.9e-324"};
    }

    void absurdScalesStayFinite()
    {
        QFETCH(QStringList, scales);
        TestConsole c;
        BoardPresenter presenter(c.k.boards);
        c.s.hsch.setText(scales[0]);
        c.s.vsch.setText(scales[1]);
        c.s.fsch.setText(scales[2]);
        c.s.command1.click();
        c.s.Command11.click();
        QVERIFY(c.ports.messages.shown.empty());
        for (const Element* e : c.k.kubord2().elements()) {
            for (double v : {e->left(), e->top(), e->width(), e->height()})
                QVERIFY2(std::isfinite(v) && std::abs(v) <= FLT_MAX, qPrintable(e->displayName()));
            QVERIFY2(std::isfinite(e->fontSize()) && e->fontSize() >= 1 && e->fontSize() <= 2048,
                     qPrintable(e->displayName()));
        }
        BoardWindow* w = presenter.window();
        QVERIFY(w);
        QTRY_COMPARE(w->size(), QSize(1920, 1080));
        const QImage image = w->grab().toImage();
        QCOMPARE(image.pixelColor(4, 1075), QColor(0xC0, 0x00, 0x00)); // Aka's half
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestOpeningView)
#include "tst_openingview.moc"
