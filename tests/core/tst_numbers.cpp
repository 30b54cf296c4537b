#include "core/Numbers.h"
#include "support/TestMain.h"

#include <QLocale>

#include <clocale>

using kestrane::Numbers::isWholeNumber;
using kestrane::Numbers::singleText;
using kestrane::Numbers::str;
using kestrane::Numbers::val;

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("whole");

        QTest::newRow("plain") << "7" << 7.0 << true;
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("letters") << "abc" << 0.0 << false;
        QTest::newRow("blanks inside") << " 1 5" << 15.0 << true;
        QTest::newRow("tab and line feed") << "\t1\n2 " << 12.0 << true;
        QTest::newRow("sign point exponent, junk after") << "-.5e1x" << -5.0 << false;
        QTest::newRow("plus sign") << "+3" << 3.0 << true;
        QTest::newRow("sign then blank") << "- 4" << -4.0 << true;
        QTest::newRow("exponent without digits") << "2e" << 2.0 << false;
        QTest::newRow("exponent with sign only") << "2e-" << 2.0 << false;
        QTest::newRow("second point stops") << "1.2.3" << 1.2 << false;
        QTest::newRow("comma stops") << "0,9" << 0.0 << false;
        QTest::newRow("comma after digits") << "1,5" << 1.0 << false;
        QTest::newRow("beyond double") << "1e999" << 0.0 << true;
        QTest::newRow("inf is no number") << "inf" << 0.0 << false;
        QTest::newRow("nan is no number") << "nan" << 0.0 << false;
        QTest::newRow("hex reads its zero") << "0x2" << 0.0 << false;
        QTest::newRow("12-digit integer") << "123456789012" << 123456789012.0 << true;
        QTest::newRow("lone point") << "." << 0.0 << false;
        QTest::newRow("lone sign") << "-" << 0.0 << false;
        QTest::newRow("leading zeros") << "007" << 7.0 << true;
        QTest::newRow("trailing point") << "5." << 5.0 << true;
        QTest::newRow("non-ASCII digit stops") << QString::fromUtf8("1\u0663") << 1.0 << false;
    }

    void readsLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(bool, whole);
        QCOMPARE(val(text), expected);
        QCOMPARE(isWholeNumber(text), whole);
    }

    void ignoresTheLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8"); // may not exist; harmless then
        QCOMPARE(val(QStringLiteral("1.5")), 1.5);
        QCOMPARE(str(0.5), QStringLiteral("0.5"));
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(before);
    }

    void writesShortestText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("seven") << 7.0 << "7";
        QTest::newRow("ninety-nine") << 99.0 << "99";
        QTest::newRow("negative") << -3.0 << "-3";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("ten digits") << 9999999999.0 << "9999999999";
        QTest::newRow("just below 1e15") << 999999999999999.0 << "999999999999999";
    }

    void writesShortestText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(str(value), expected);
        // What is written reads back as the same value.
        QCOMPARE(val(str(value)), value);
    }

    void singlePrecisionText()
    {
        QCOMPARE(singleText(28800.0f), QStringLiteral(" 28800"));
        QCOMPARE(singleText(1718.4f), QStringLiteral(" 1718.4"));
        QCOMPARE(singleText(-3.5f), QStringLiteral("-3.5"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestNumbers)
#include "tst_numbers.moc"
