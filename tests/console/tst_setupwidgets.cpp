#include "console/ConsoleCanvas.h"
#include "console/ConsoleWindow.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

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
    // Typed keys pass the key filter: in the number boxes digits stay, a
    // full stop gets its message, other keys vanish silently; Backspace and
    // the arrows edit. Text that enters any other way keeps only what the
    // box takes, silently: the digits in the number boxes, the first line in
    // the others.
    void everyWayIn_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("way");
        for (const char* way :
             {"X11 selection", "shortcut", "drop", "input method", "assistive tool"}) {
            for (const char* box : {"ippon", "Text1", "Text5", "Text6"})
                QTest::addRow("%s, %s", box, way) << box << way;
            for (const char* box : {"eindwav", "waarwav", "hsch", "vsch", "fsch"})
                QTest::addRow("%s, %s", box, way) << box << way;
        }
    }

    void everyWayIn()
    {
        QFETCH(QString, box);
        QFETCH(QString, way);
        Shown w;
        w.c.s.MyButton9.click(); // the setup row in sight
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        QLineEdit* e = w.box(qPrintable(box));
        QVERIFY(e);
        const bool digits = QStringList{"ippon", "Text1", "Text5", "Text6"}.contains(box);
        QTest::keyClicks(e, digits ? "7.-a, 9" : "79");
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, "8");
        QTest::keyClick(e, Qt::Key_Left);
        QCOMPARE(e->text(), QStringLiteral("78"));
        const auto message = std::make_pair(QStringLiteral(" only full numbers allowed !"), 48);
        const auto messages = digits ? decltype(w.c.ports.messages.shown){message}
                                     : decltype(w.c.ports.messages.shown){};
        QCOMPARE(w.c.ports.messages.shown, messages);
        const QString text = digits ? "2abc.5" : "C:\\a 1,5.wav\r\nsecond";
        const QString base = digits ? "25" : "C:\\a 1,5.wav";
        const QString kept = way == "assistive tool" ? base : "7" + base + "8";
        if (way == "X11 selection") {
            e->insert(text); // what a middle click does with the selection
        } else if (way == "shortcut") {
            QGuiApplication::clipboard()->setText(text);
            QTest::keySequence(e, QKeySequence::Paste);
        } else if (way == "drop") {
            QMimeData data;
            data.setText(text);
            const QPoint at = e->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(e, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(e, &drop);
        } else if (way == "input method") {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(e, &commit);
        } else {
            // the whole text
            QAccessible::queryAccessibleInterface(e)->editableTextInterface()->replaceText(0, 2,
                                                                                           text);
        }
        QCOMPARE(w.c.s.find(box)->text(), kept);
        QCOMPARE(e->text(), kept);
        QCOMPARE(w.c.ports.messages.shown, messages);
    }

    // The toggle and the menu item reach the setup row; the sequences are
    // the model's (tst_setuppanel).
    void setupButtonAndMenu()
    {
        Shown w;
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        auto* button = w.widget<QAbstractButton>("MyButton9");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.c.s.Kumite2.height(), 8740.0);
        QCOMPARE(button->text(), QStringLiteral("Close setup"));
        w.window->findChild<QAction*>(QStringLiteral("setu"))->trigger();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.c.s.Kumite2.height(), 6900.0);
        QCOMPARE(button->text(), QStringLiteral("Setup"));
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
    }
};

KESTRANE_TEST_MAIN(TestSetupWidgets)
#include "tst_setupwidgets.moc"
