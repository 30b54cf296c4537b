// Numbers as the program reads and writes them.
#include "core/Numbers.h"
#include "support/TestMain.h"

#include <QLocale>

#include <clocale>

using namespace kestrane;

class TestCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The leading number of a text, and whether nothing else follows it.
    void reading()
    {
        const std::tuple<const char*, double, bool> rows[] = {
            {"", 0.0, false},
            {" 1 5", 15.0, true},    // blanks inside
            {"\t1\n2 ", 12.0, true}, // tab and line feed
            {"-.5e1x", -5.0, false}, // sign, point, exponent, junk after
            {"2e+", 2.0, false},     // exponent without digits
            {"+3", 3.0, true},
            {"- 4", -4.0, true},   // sign then blank
            {"1.2.3", 1.2, false}, // a second point stops
            {"1,5", 1.0, false},   // a comma stops
            {"1e999", 0.0, true},  // beyond double
            {"inf", 0.0, false},   // no number
            {"123456789012", 123456789012.0, true},
            {"1\u0663", 1.0, false}}; // a non-ASCII digit stops
        for (const auto& [text, value, whole] : rows) {
            QVERIFY2(Numbers::val(QString::fromUtf8(text)) == value, text);
            QVERIFY2(Numbers::isWholeNumber(QString::fromUtf8(text)) == whole, text);
        }
    }

    // The shortest text that reads back as the same value, whatever the
    // locale.
    void writing()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8"); // may not exist; harmless then
        const double values[] = {0.0, -0.0, 99.0, -3.0, 0.5, 0.1, 9999999999.0};
        const char* texts[] = {"0", "0", "99", "-3", "0.5", "0.1", "9999999999"};
        for (std::size_t i = 0; i < std::size(values); ++i) {
            QCOMPARE(Numbers::str(values[i]), QLatin1String(texts[i]));
            QCOMPARE(Numbers::val(Numbers::str(values[i])), values[i]);
        }
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(Numbers::singleText(-3.5f), QStringLiteral("-3.5"));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestCore)
#include "tst_core.moc"
