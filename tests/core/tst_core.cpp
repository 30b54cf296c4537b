// Numbers as the program reads and writes them.
#include "core/Numbers.h"
#include "support/TestMain.h"

#include <QLocale>

#include <clocale>

using namespace kestrane;

class TestCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("whole");
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("blanks inside") << " 1 5" << 15.0 << true;
        QTest::newRow("tab and line feed") << "\t1\n2 " << 12.0 << true;
        QTest::newRow("sign point exponent, junk after") << "-.5e1x" << -5.0 << false;
        QTest::newRow("exponent without digits") << "2e+" << 2.0 << false;
        QTest::newRow("plus sign") << "+3" << 3.0 << true;
        QTest::newRow("sign then blank") << "- 4" << -4.0 << true;
        QTest::newRow("second point stops") << "1.2.3" << 1.2 << false;
        QTest::newRow("comma stops") << "1,5" << 1.0 << false;
        QTest::newRow("beyond double") << "1e999" << 0.0 << true;
        QTest::newRow("inf is no number") << "inf" << 0.0 << false;
        QTest::newRow("12 digits") << "123456789012" << 123456789012.0 << true;
        QTest::newRow("non-ASCII digit stops") << QString::fromUtf8("1\u0663") << 1.0 << false;
    }

    void reading()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(bool, whole);
        QCOMPARE(Numbers::val(text), expected);
        QCOMPARE(Numbers::isWholeNumber(text), whole);
    }

    // The shortest text that reads back as the same value, whatever the
    // locale.
    void writing()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8"); // may not exist; harmless then
        const std::pair<double, const char*> cases[] = {{0.0, "0"},
                                                        {-0.0, "0"},
                                                        {99.0, "99"},
                                                        {-3.0, "-3"},
                                                        {0.5, "0.5"},
                                                        {0.1, "0.1"},
                                                        {9999999999.0, "9999999999"}};
        for (const auto& [value, text] : cases) {
            QCOMPARE(Numbers::str(value), QLatin1String(text));
            QCOMPARE(Numbers::val(Numbers::str(value)), value);
        }
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(Numbers::singleText(-3.5f), QStringLiteral("-3.5"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestCore)
#include "tst_core.moc"
