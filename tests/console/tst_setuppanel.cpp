#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;
using test::TestConsole;

namespace {

// Types keys into a box the way the console window does: each character
// goes through the box's key filter; what comes back is inserted at the
// end (Backspace deletes the last character, 0 is dropped).
void typeInto(Element& box, const QString& keys)
{
    QString text = box.text();
    for (const QChar key : keys) {
        const int code = box.keyPress(key.unicode());
        if (code == 8)
            text.chop(1);
        else if (code != 0)
            text += QChar(static_cast<char16_t>(code));
    }
    box.setText(text);
}

} // namespace

// The setup row, the sound file dialog, and the input checks.
class TestSetupPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toggle_data()
    {
        QTest::addColumn<double>("startHeight");
        QTest::addColumn<QString>("actions"); // b: MyButton9, m: menu item setu
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("keyPreview");

        QTest::newRow("button opens") << 6900.0 << "b" << 8740.0 << "Close setup" << false;
        QTest::newRow("button twice") << 6900.0 << "bb" << 6900.0 << "Setup" << true;
        QTest::newRow("button three times") << 6900.0 << "bbb" << 8740.0 << "Close setup" << false;
        QTest::newRow("menu opens, key preview untouched")
            << 6900.0 << "m" << 8740.0 << "Close setup" << true;
        QTest::newRow("menu on an open row") << 6900.0 << "mm" << 8740.0 << "Close setup" << true;
        QTest::newRow("menu then button") << 6900.0 << "mb" << 6900.0 << "Setup" << true;
        QTest::newRow("button then menu") << 6900.0 << "bm" << 8740.0 << "Close setup" << false;
        QTest::newRow("dragged to the threshold counts as closed")
            << 8100.0 << "b" << 8740.0 << "Close setup" << false;
        QTest::newRow("dragged above the threshold counts as open")
            << 8101.0 << "b" << 6900.0 << "Setup" << true;
    }

    void toggle()
    {
        QFETCH(double, startHeight);
        QFETCH(QString, actions);
        QFETCH(double, height);
        QFETCH(QString, caption);
        QFETCH(bool, keyPreview);

        TestConsole c;
        c.k.startUp.Form_Load();
        QCOMPARE(c.s.Kumite2.height(), 6900.0);
        QVERIFY(c.s.keyPreview);
        c.s.Kumite2.setHeight(startHeight);
        const double width = c.s.Kumite2.width();
        for (const QChar a : actions)
            (a == u'b' ? c.s.MyButton9 : c.s.setu).click();
        QCOMPARE(c.s.Kumite2.height(), height);
        QCOMPARE(c.s.MyButton9.caption(), caption);
        QCOMPARE(c.s.keyPreview, keyPreview);
        QCOMPARE(c.s.Kumite2.width(), width);
    }

    void digitFilter_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("messages");

        for (const char* box : {"ippon", "Text1", "Text5", "Text6"}) {
            QTest::addRow("%s: 1 . 5", box) << box << "1.5"
                                            << "15" << 1;
            QTest::addRow("%s: minus 3", box) << box << "-3"
                                              << "3" << 0;
            QTest::addRow("%s: backspace", box) << box << "12\b3"
                                                << "13" << 0;
            QTest::addRow("%s: others silently", box)
                << box << QStringLiteral(u"a ,+e\r\n\t\x1b\u00e9\u0661") << "" << 0;
            QTest::addRow("%s: two points", box) << box << "..9"
                                                 << "9" << 2;
        }
    }

    void digitFilter()
    {
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, messages);

        TestConsole c;
        Element& e = *c.s.find(box);
        e.setText(QString());
        typeInto(e, keys);
        QCOMPARE(e.text(), text);
        QCOMPARE(int(c.ports.messages.shown.size()), messages);
        for (const auto& [message, style] : c.ports.messages.shown) {
            QCOMPARE(message, QStringLiteral(" only full numbers allowed !"));
            QCOMPARE(style, 48);
        }
    }

    void pasteFilter_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("taken");

        for (const char* box : {"ippon", "Text1", "Text5", "Text6"}) {
            QTest::addRow("%s: digits only", box) << box << "-1.5 x\r\n7"
                                                  << "157";
            QTest::addRow("%s: no digits", box) << box << "abc"
                                                << "";
            QTest::addRow("%s: other scripts' digits", box)
                << box << QStringLiteral(u"\u0661\uff12") << "";
        }
        for (const char* box : {"eindwav", "waarwav", "hsch", "vsch", "fsch"}) {
            QTest::addRow("%s: first line", box) << box << "C:\\a b.wav\r\nmore"
                                                 << "C:\\a b.wav";
            QTest::addRow("%s: line feed", box) << box << " 1,5 \nx"
                                                << " 1,5 ";
            QTest::addRow("%s: carriage return", box) << box << "x\ry"
                                                      << "x";
            QTest::addRow("%s: starts with a break", box) << box << "\nabc"
                                                          << "";
            QTest::addRow("%s: any one-line text", box)
                << box << QStringLiteral(u" -.,abc\tü ") << QStringLiteral(u" -.,abc\tü ");
        }
    }

    void pasteFilter()
    {
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QFETCH(QString, taken);
        TestConsole c;
        QCOMPARE(c.s.find(box)->filterText(pasted), taken);
        QVERIFY(c.ports.messages.shown.empty());
    }

    void singleLineBoxesTakeAnyTypedCharacterButLineBreaks()
    {
        TestConsole c;
        for (Element* e : {&c.s.eindwav, &c.s.waarwav, &c.s.hsch, &c.s.vsch, &c.s.fsch}) {
            e->setText(QString());
            typeInto(*e, QStringLiteral("1.5,-a\r\n b\b"));
            QCOMPARE(e->text(), QStringLiteral("1.5,-a "));
        }
        QVERIFY(c.ports.messages.shown.empty());
    }

    void soundDialog_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::newRow("end of match") << "MyButton5"
                                      << "eindwav";
        QTest::newRow("warning") << "MyButton8"
                                 << "waarwav";
    }

    void soundDialog()
    {
        QFETCH(QString, button);
        QFETCH(QString, box);
        TestConsole c;
        Element& target = *c.s.find(box);
        Element& other = *c.s.find(box == QStringLiteral("eindwav") ? QStringLiteral("waarwav")
                                                                    : QStringLiteral("eindwav"));
        target.setText(QStringLiteral("/old.wav"));
        other.setText(QStringLiteral("/other.wav"));

        c.ports.files.answer = QStringLiteral("C:\\wav\\gong.wav");
        c.s.find(button)->click();
        QCOMPARE(c.ports.files.requests.size(), 1u);
        const auto& r = c.ports.files.requests[0];
        QCOMPARE(r.title, QStringLiteral("Find soundfile"));
        QCOMPARE(r.fileName, QStringLiteral("*.wav"));
        QCOMPARE(r.filter, QStringLiteral("*.wav"));
        QCOMPARE(r.initialFolder, QStringLiteral("\\"));
        QCOMPARE(target.text(), QStringLiteral("C:\\wav\\gong.wav"));
        QCOMPARE(other.text(), QStringLiteral("/other.wav"));

        // A path is taken exactly as the dialog gives it.
        c.ports.files.answer = QStringLiteral(u"/home/op/Sounds/ gong ü.WAV");
        c.s.find(button)->click();
        QCOMPARE(target.text(), QStringLiteral(u"/home/op/Sounds/ gong ü.WAV"));

        // Cancelled: the box keeps its text, and nothing is said.
        c.ports.files.answer.reset();
        c.s.find(button)->click();
        QCOMPARE(c.ports.files.requests.size(), 3u);
        QCOMPARE(target.text(), QStringLiteral(u"/home/op/Sounds/ gong ü.WAV"));
        QVERIFY(c.ports.messages.shown.empty());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestSetupPanel)
#include "tst_setuppanel.moc"
