#include "console/SettingsFile.h"
#include "support/TestMain.h"

#include <QStringDecoder>

#include <optional>

using namespace kestrane;
namespace SF = kestrane::SettingsFile;

namespace {

const QByteArray kDefaults("\r\n\r\n1\r\n1\r\n1\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");

SF::Settings defaults()
{
    return {QString(),           QString(),           QStringLiteral("1"),
            QStringLiteral("1"), QStringLiteral("1"), {}};
}

} // namespace

// The byte format of kumite.ini: lines, numbers, encodings, and what Save
// writes.
class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("complete");

        const QByteArray twelve("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n");
        const QStringList nine{"1", "2", "3", "4", "5", "6", "7", "8", "9"};

        QTest::newRow("no bytes, no lines") << QByteArray() << QStringList() << false;
        QTest::newRow("one line without ending") << QByteArray("a") << QStringList{"a"} << false;
        QTest::newRow("ending after last line adds none")
            << QByteArray("a\r\n") << QStringList{"a"} << false;
        QTest::newRow("empty second line")
            << QByteArray("a\r\n\r\n") << QStringList{"a", ""} << false;
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""} << false;
        QTest::newRow("carriage return alone ends a line")
            << QByteArray("a\rb") << QStringList{"a", "b"} << false;
        QTest::newRow("line feed alone ends a line")
            << QByteArray("a\nb\n") << QStringList{"a", "b"} << false;
        QTest::newRow("CR CR LF is two endings")
            << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"} << false;
        QTest::newRow("LF CR is two endings")
            << QByteArray("a\n\rb") << QStringList{"a", "", "b"} << false;
        QTest::newRow("blanks kept")
            << QByteArray(" 2 \r\n\t") << QStringList{" 2 ", "\t"} << false;
        QTest::newRow("twelve lines read as nine") << twelve << nine << true;
        QTest::newRow("ninth line ended by CR only")
            << QByteArray("1\r2\r3\r4\r5\r6\r7\r8\r9\r") << nine << true;
        QTest::newRow("ninth line cut by the end")
            << QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n9") << nine << false;
        QTest::newRow("tenth line never read, not even its bytes")
            << QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n9\n\xff\xfe") << nine << true;
        QTest::newRow("UTF-8 path") << QByteArray("C:\\m\xc3\xa9z\xe2\x82\xac.wav\r\n")
                                    << QStringList{QStringLiteral(u"C:\\méz€.wav")} << false;
        QTest::newRow("Windows-1252 path") << QByteArray("C:\\m\xe9z\x80.wav\r\n")
                                           << QStringList{QStringLiteral(u"C:\\méz€.wav")} << false;
        QTest::newRow("each line decoded on its own")
            << QByteArray("\xc3\xa9\r\n\xe9\r\n")
            << QStringList{QStringLiteral(u"é"), QStringLiteral(u"é")} << false;
        QTest::newRow("overlong UTF-8 is not UTF-8")
            << QByteArray("\xc0\xaf") << QStringList{QStringLiteral(u"\u00c0\u00af")} << false;
        QTest::newRow("UTF-8 cut in the middle of a character")
            << QByteArray("\xe2\x82") << QStringList{QStringLiteral(u"\u00e2\u201a")} << false;
        QTest::newRow("byte-order mark dropped at the start only")
            << QByteArray("\xef\xbb\xbf/snd/gong.wav\r\n\xef\xbb\xbf\x62")
            << QStringList{"/snd/gong.wav", QStringLiteral(u"\ufeffb")} << false;
        QTest::newRow("NUL byte is a character")
            << QByteArray("a\0b", 3) << QStringList{QString(QStringLiteral("a%1b")).arg(QChar(0))}
            << false;
    }

    void readLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(bool, complete);
        const SF::Lines read = SF::readLines(bytes);
        QCOMPARE(read.lines, lines);
        QCOMPARE(read.complete, complete);
    }

    void readNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");

        const QString c = QStringLiteral("C");
        const QString de = QStringLiteral("de_DE");
        QTest::newRow("digit") << "1" << c << true << 1.0;
        QTest::newRow("option line") << " 1 " << c << true << 1.0;
        QTest::newRow("tabs around") << "\t0.5\t" << c << true << 0.5;
        QTest::newRow("empty") << "" << c << false << 0.0;
        QTest::newRow("blanks only") << "   " << c << false << 0.0;
        QTest::newRow("letters") << "abc" << c << false << 0.0;
        QTest::newRow("junk after the number") << "1a" << c << false << 0.0;
        QTest::newRow("blank inside") << "1 2" << c << false << 0.0;
        QTest::newRow("plus") << "+3" << c << true << 3.0;
        QTest::newRow("minus zero") << "-0" << c << true << 0.0;
        QTest::newRow("minus") << "-2.5" << c << true << -2.5;
        QTest::newRow("sign only") << "-" << c << false << 0.0;
        QTest::newRow("two signs") << "--1" << c << false << 0.0;
        QTest::newRow("no integer digits") << ".5" << c << true << 0.5;
        QTest::newRow("no fraction digits") << "5." << c << true << 5.0;
        QTest::newRow("separator only") << "." << c << false << 0.0;
        QTest::newRow("two separators") << "1.2.3" << c << false << 0.0;
        QTest::newRow("exponent") << "1e3" << c << true << 1000.0;
        QTest::newRow("signed exponent") << "1E-2" << c << true << 0.01;
        QTest::newRow("exponent plus") << "2e+1" << c << true << 20.0;
        QTest::newRow("exponent without digits") << "1e" << c << false << 0.0;
        QTest::newRow("exponent sign only") << "1e+" << c << false << 0.0;
        QTest::newRow("exponent without mantissa") << "e5" << c << false << 0.0;
        QTest::newRow("beyond double reads as 0") << "1e999" << c << true << 0.0;
        QTest::newRow("hex") << "0x1" << c << false << 0.0;
        QTest::newRow("inf") << "inf" << c << false << 0.0;
        QTest::newRow("nan") << "nan" << c << false << 0.0;
        QTest::newRow("full-width digit") << QStringLiteral(u"\uff11") << c << false << 0.0;
        QTest::newRow("comma in a point locale") << "0,9" << c << false << 0.0;
        QTest::newRow("comma locale") << "0,9" << de << true << 0.9;
        QTest::newRow("point in a comma locale") << "1.0" << de << true << 1.0;
        QTest::newRow("zero with point in a comma locale") << "0.0" << de << true << 0.0;
        QTest::newRow("comma with exponent") << "1,5e1" << de << true << 15.0;
        QTest::newRow("comma then point") << "1,.5" << de << false << 0.0;
        QTest::newRow("grouping is no number") << "1.000,5" << de << false << 0.0;
    }

    void readNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const std::optional<double> read = SF::readNumber(text, QLocale(locale));
        QCOMPARE(read.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*read, value);
    }

    void writesDefaultsAsThe33Bytes()
    {
        const std::optional<QByteArray> bytes = SF::write(defaults());
        QVERIFY(bytes);
        QCOMPARE(bytes->size(), 33);
        QCOMPARE(*bytes, kDefaults);
    }

    void writesTextsUnchangedAndOptions()
    {
        SF::Settings s{QStringLiteral("C:\\sounds\\gong.wav"),
                       QStringLiteral(" /snd/bell.wav "),
                       QStringLiteral("1.1"),
                       QStringLiteral("0,9"),
                       QString(),
                       {false, true, false, true}};
        QCOMPARE(SF::write(s).value(),
                 QByteArray("C:\\sounds\\gong.wav\r\n /snd/bell.wav \r\n1.1\r\n"
                            "0,9\r\n\r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n"));
    }

    void writesNonAsciiAsUtf8()
    {
        SF::Settings s = defaults();
        s.eindwav = QStringLiteral(u"/home/jürgen/gong€.wav");
        QVERIFY(SF::write(s).value().startsWith("/home/j\xc3\xbcrgen/gong\xe2\x82\xac.wav\r\n"));
    }

    void refusesLineBreaks_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        for (int box = 0; box < 5; ++box) {
            QTest::addRow("box %d LF", box) << box << "a\nb";
            QTest::addRow("box %d CR", box) << box << "a\r";
        }
    }

    void refusesLineBreaks()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        SF::Settings s = defaults();
        QString* boxes[] = {&s.eindwav, &s.waarwav, &s.hsch, &s.vsch, &s.fsch};
        *boxes[box] = text;
        QVERIFY(!SF::write(s));
    }

    // Whatever text a line was read as, Save writes it so that it reads back
    // as the same text in the same place.
    void writtenTextsReadBack_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("ASCII") << QByteArray("C:\\a.wav\r\n/b.wav\r\n2\r\n 1.5 \r\nabc\r\n");
        QTest::newRow("Windows-1252")
            << QByteArray("C:\\\xe9\x80\x81\r\n\x9f\xff\r\n1\r\n1\r\n1\r\n");
        QTest::newRow("UTF-8 and blanks") << QByteArray("\xc3\xa9 \r\n\t\r\n\r\n \r\n\r\n");
        QTest::newRow("byte-order mark inside and NUL")
            << QByteArray("x\r\n\xef\xbb\xbf\x61\0b\r\n1\r\n1\r\n1\r\n", 20);
    }

    void writtenTextsReadBack()
    {
        QFETCH(QByteArray, file);
        const QStringList texts = SF::readLines(file).lines;
        QCOMPARE(texts.size(), 5);
        const SF::Settings s{texts[0], texts[1], texts[2],
                             texts[3], texts[4], {true, false, true, false}};
        const QByteArray written = SF::write(s).value();
        const SF::Lines again = SF::readLines(written);
        QCOMPARE(again.lines.mid(0, 5), texts);
        QCOMPARE(again.lines.mid(5), (QStringList{" 1 ", " 0 ", " 1 ", " 0 "}));
        QVERIFY(again.complete);
        QVERIFY(!written.contains("\r\r"));
        QCOMPARE(written.count('\n'), 9);
        QCOMPARE(written.count("\r\n"), 9);
    }

    void asciiFileIsWrittenBackByteForByte()
    {
        const QByteArray file("C:\\snd\\gong.wav\r\nD:\\bell.wav\r\n 2 \r\n1.0\r\n0,9\r\n"
                              " 1 \r\n 0 \r\n 0 \r\n 1 \r\n");
        const QStringList t = SF::readLines(file).lines;
        const SF::Settings s{t[0], t[1], t[2], t[3], t[4], {true, false, false, true}};
        QCOMPARE(SF::write(s).value(), file);
    }

    void windows1252MatchesTheCodePage()
    {
        // The system's codec, where the platform has one, agrees byte for
        // byte except on the five bytes the code page leaves undefined.
        QStringDecoder system("cp1252");
        if (!system.isValid())
            QSKIP("no Windows-1252 codec on this platform to compare with");
        for (int b = 0; b < 256; ++b) {
            if (b == 0x81 || b == 0x8d || b == 0x8f || b == 0x90 || b == 0x9d)
                continue;
            const QByteArray byte(1, static_cast<char>(b));
            QCOMPARE(SF::fromWindows1252(byte), QString(system.decode(byte)));
        }
        QCOMPARE(SF::fromWindows1252("\x81\x8d\x8f\x90\x9d"),
                 QStringLiteral(u"\u0081\u008d\u008f\u0090\u009d"));
    }

    void interpretsStepByStep_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("scales"); // "-" when loading stopped there
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("rule"); // "wukf", "geenwukf" or "-"

        QTest::newRow("stops at a scale") << QByteArray("a\r\nb\r\n2\r\nx\r\n") << "-"
                                          << ""
                                          << "-";
        QTest::newRow("stops at the third option")
            << QByteArray("\r\n\r\n1\r\n1\r\n1\r\n 1 \r\n 1 \r\nx\r\n 1 \r\n") << "1|1|1"
            << "11"
            << "-";
        QTest::newRow("absent options are 0") << QByteArray("\r\n\r\n0\r\n") << "1|1|1"
                                              << "0000"
                                              << "geenwukf";
        QTest::newRow("empty scale line stops before the options")
            << QByteArray("\n\n\n\n\n\n\n\n1.0") << "-"
            << ""
            << "-";
        QTest::newRow("all set") << QByteArray("\n\n3\n0.0\n 4 \n1\n2\n1e0\n+1\n") << "3|1| 4 "
                                 << "1011"
                                 << "wukf";
    }

    void interpretsStepByStep()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, scales);
        QFETCH(QString, options);
        QFETCH(QString, rule);
        const SF::Loaded l = SF::interpret(SF::readLines(file), QLocale::c());
        QCOMPARE(l.scales ? QStringList(l.scales->begin(), l.scales->end()).join(u'|') : "-",
                 scales);
        QString o;
        for (int v : l.options)
            o += QString::number(v);
        QCOMPARE(o, options);
        QCOMPARE(l.wukf ? (*l.wukf ? "wukf" : "geenwukf") : "-", rule);
    }
};

KESTRANE_MODEL_TEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
