#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;

class TestMatchState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initialValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        for (const char* n : {"scri", "scrw", "scwi", "scww"})
            QTest::newRow(n) << n << "0";
        QTest::newRow("ippon") << "ippon"
                               << "1";
        QTest::newRow("Label1") << "Label1"
                                << "0";
        QTest::newRow("Label2") << "Label2"
                                << "0";
        QTest::newRow("Label3") << "Label3"
                                << "0";
        QTest::newRow("Label4") << "Label4"
                                << ":";
        QTest::newRow("Text5") << "Text5"
                               << "1";
        QTest::newRow("Text6") << "Text6"
                               << "30";
        QTest::newRow("Label20") << "Label20"
                                 << "00";
        QTest::newRow("Label19") << "Label19"
                                 << "Aka";
        QTest::newRow("Label18") << "Label18"
                                 << "Shiro";
        QTest::newRow("eindwav") << "eindwav"
                                 << "";
        QTest::newRow("waarwav") << "waarwav"
                                 << "";
        for (const char* n : {"hsch", "vsch", "fsch", "Text1"})
            QTest::newRow(n) << n << "1";
        QTest::newRow("sbtxt") << "sbtxt"
                               << "";
        QTest::newRow("shtxt") << "shtxt"
                               << "";
    }

    void initialValues()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        test::TestConsole c;
        const Element* e = c.s.find(name);
        QVERIFY2(e, qPrintable(name));
        QCOMPARE(e->caption(), text);
    }

    void boxesUntickedTimersOff()
    {
        test::TestConsole c;
        for (int n = 1; n <= 26; ++n)
            QCOMPARE(c.s.check(n).value(), 0);
        const Element* timers[] = {&c.s.Timer1, &c.s.Timer2, &c.s.Timer3, &c.s.Timer4};
        const int periods[] = {1000, 1000, 500, 500};
        for (int i = 0; i < 4; ++i) {
            QVERIFY(!timers[i]->enabled());
            QCOMPARE(timers[i]->interval(), periods[i]);
        }
        QVERIFY(c.s.keyPreview);
        QCOMPARE(c.s.Label19.foreColor(), 0xFFFFFFu);
        QCOMPARE(c.s.Label18.foreColor(), 0x400000u);
    }

    void namesAreUnique()
    {
        test::TestConsole c;
        QSet<QString> names;
        for (const Element* e : c.s.elements()) {
            QVERIFY2(!names.contains(e->name()), qPrintable(e->name()));
            names.insert(e->name());
        }
        QCOMPARE(c.s.menuItems().size(), std::size_t(13));
    }

    // Nothing of a match lives anywhere but in the elements: a second
    // console starts from the initial values again.
    void scoresDoNotSurviveANewConsole()
    {
        {
            test::TestConsole c;
            c.s.scri.setCaption(QStringLiteral("2"));
        }
        test::TestConsole fresh;
        QCOMPARE(fresh.s.scri.caption(), QStringLiteral("0"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestMatchState)
#include "tst_matchstate.moc"
