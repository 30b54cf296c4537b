#include "console/ConsoleCanvas.h"
#include "console/ConsoleWindow.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

using namespace kestrane;
using test::TestConsole;

// The setup row and the input checks as the operator meets them: real key
// presses, pastes and clicks on the console window.
class TestSetupWidgets : public QObject {
    Q_OBJECT

    struct Shown {
        TestConsole c;
        std::unique_ptr<view::ConsoleWindow> window;
        QStringList previewed;

        Shown()
        {
            c.k.startUp.Form_Load();
            window = std::make_unique<view::ConsoleWindow>(c.k);
            // The clock's S key is not under test here: record instead.
            window->setKeyPreviewHandler([this](int code) { previewed << QChar(code); });
            window->show();
            window->activateWindow();
        }
        template <typename W> W* widget(const char* name)
        {
            return qobject_cast<W*>(
                window->canvas().widgetFor(c.s.find(QString::fromLatin1(name))));
        }
        QLineEdit* box(const char* name)
        {
            QLineEdit* e = widget<QLineEdit>(name);
            if (e) {
                c.s.find(QString::fromLatin1(name))->setText(QString());
                e->setFocus();
            }
            return e;
        }
    };

private Q_SLOTS:
    void typingIntoNumberBoxes_data()
    {
        QTest::addColumn<QString>("box");
        for (const char* b : {"ippon", "Text1", "Text5", "Text6"})
            QTest::newRow(b) << b;
    }

    void typingIntoNumberBoxes()
    {
        QFETCH(QString, box);
        const QByteArray name = box.toLatin1();
        Shown w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        QLineEdit* e = w.box(name.constData());
        QVERIFY(e);
        Element& element = *w.c.s.find(box);

        QTest::keyClicks(e, QStringLiteral("1.5"));
        QCOMPARE(e->text(), QStringLiteral("15"));
        QCOMPARE(element.text(), QStringLiteral("15"));
        QCOMPARE(w.c.ports.messages.shown.size(), 1u);
        QCOMPARE(w.c.ports.messages.shown[0].first, QStringLiteral(" only full numbers allowed !"));
        QCOMPARE(w.c.ports.messages.shown[0].second, 48);

        // Minus, letters, comma and blank vanish silently; Backspace deletes.
        QTest::keyClicks(e, QStringLiteral("-3a, "));
        QCOMPARE(element.text(), QStringLiteral("153"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, QStringLiteral("7"));
        QCOMPARE(element.text(), QStringLiteral("157"));
        QCOMPARE(w.c.ports.messages.shown.size(), 1u);

        // Keys that type nothing still move and delete.
        QTest::keyClick(e, Qt::Key_Home);
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, QStringLiteral("9"));
        QCOMPARE(element.text(), QStringLiteral("957"));

        // A paste keeps only the digits, at the cursor.
        QGuiApplication::clipboard()->setText(QStringLiteral("-4.5 x\n6"));
        if (QGuiApplication::clipboard()->text() != QStringLiteral("-4.5 x\n6"))
            QSKIP("no clipboard on this platform");
        QTest::keySequence(e, QKeySequence::Paste);
        QCOMPARE(element.text(), QStringLiteral("945657"));
    }

    void pastingIntoSingleLineBoxes()
    {
        Shown w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        for (const char* name : {"eindwav", "waarwav", "hsch", "vsch", "fsch"}) {
            QLineEdit* e = w.box(name);
            QVERIFY2(e, name);
            QGuiApplication::clipboard()->setText(QStringLiteral("C:\\a 1,5.wav\r\nsecond"));
            if (QGuiApplication::clipboard()->text().isEmpty())
                QSKIP("no clipboard on this platform");
            QTest::keySequence(e, QKeySequence::Paste);
            QCOMPARE(w.c.s.find(QString::fromLatin1(name))->text(),
                     QStringLiteral("C:\\a 1,5.wav"));
        }
        QVERIFY(w.c.ports.messages.shown.empty());
    }

    void setupButtonAndMenu()
    {
        Shown w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        auto* button = w.widget<QAbstractButton>("MyButton9");
        QVERIFY(button);
        auto* menuItem = w.window->findChild<QAction*>(QStringLiteral("setu"));
        QVERIFY(menuItem);

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.c.s.Kumite2.height(), 8740.0);
        QCOMPARE(w.c.s.MyButton9.caption(), QStringLiteral("Close setup"));
        QVERIFY(!w.c.s.keyPreview);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.c.s.Kumite2.height(), 6900.0);
        QCOMPARE(w.c.s.MyButton9.caption(), QStringLiteral("Setup"));
        QVERIFY(w.c.s.keyPreview);

        menuItem->trigger();
        QCOMPARE(w.c.s.Kumite2.height(), 8740.0);
        QCOMPARE(w.c.s.MyButton9.caption(), QStringLiteral("Close setup"));
        QVERIFY(w.c.s.keyPreview);
        menuItem->trigger();
        QCOMPARE(w.c.s.Kumite2.height(), 8740.0);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.c.s.Kumite2.height(), 6900.0);
        QCOMPARE(w.c.s.MyButton9.caption(), QStringLiteral("Setup"));
        QVERIFY(w.c.s.keyPreview);
    }

    void soundButtons()
    {
        Shown w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        w.c.s.MyButton9.click(); // the setup row in view
        auto* browse = w.widget<QAbstractButton>("MyButton5");
        QLineEdit* path = w.widget<QLineEdit>("eindwav");
        QVERIFY(browse && path);

        w.c.ports.files.answer = QStringLiteral("C:\\wav\\gong.wav");
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(path->text(), QStringLiteral("C:\\wav\\gong.wav"));
        QCOMPARE(w.c.ports.files.requests.size(), 1u);
        QCOMPARE(w.c.ports.files.requests[0].title, QStringLiteral("Find soundfile"));

        w.c.ports.files.answer.reset();
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(path->text(), QStringLiteral("C:\\wav\\gong.wav"));
        QVERIFY(w.c.ports.messages.shown.empty());
    }
};

KESTRANE_TEST_MAIN(TestSetupWidgets)
#include "tst_setupwidgets.moc"
