#include "support/TestConsole.h"
#include "support/TestMain.h"

using namespace kestrane;

class TestMatchState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initialValues()
    {
        test::TestConsole c;
        const std::pair<const char*, const char*> texts[] = {
            {"scri", "0"},      {"scrw", "0"},        {"scwi", "0"},   {"scww", "0"},
            {"ippon", "1"},     {"Label1", "0"},      {"Label2", "0"}, {"Label3", "0"},
            {"Label4", ":"},    {"Text5", "1"},       {"Text6", "30"}, {"Label20", "00"},
            {"Label19", "Aka"}, {"Label18", "Shiro"}, {"eindwav", ""}, {"waarwav", ""},
            {"hsch", "1"},      {"vsch", "1"},        {"fsch", "1"},   {"Text1", "1"},
            {"sbtxt", ""},      {"shtxt", ""}};
        for (const auto& [name, text] : texts) {
            const Element* e = c.s.find(QString::fromLatin1(name));
            QVERIFY2(e && e->caption() == QString::fromLatin1(text), name);
        }
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

    // Names are how the views, the tests and the settings find elements.
    void namesAreUnique()
    {
        test::TestConsole c;
        QSet<QString> names;
        for (const Element* e : c.s.elements()) {
            QVERIFY2(!names.contains(e->name()), qPrintable(e->name()));
            names.insert(e->name());
        }
        for (int n = 1; n <= 26; ++n)
            QCOMPARE(c.s.check(n).name(), QStringLiteral("Check%1").arg(n));
        QCOMPARE(c.s.menuItems().size(), std::size_t(13));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestMatchState)
#include "tst_matchstate.moc"
