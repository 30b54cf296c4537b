#include "support/Files.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLocale>

using namespace kestrane;
using test::readFile;
using test::TestConsole;
using test::writeFile;

namespace {

const QByteArray kDefaults("\r\n\r\n1\r\n1\r\n1\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");

QString iniPath(const TestConsole& c)
{
    return c.dir.path() + QStringLiteral("/kumite.ini");
}

QString checks(const MatchState& s)
{
    QString out;
    for (const Element* e : {&s.Check23, &s.Check24, &s.Check25, &s.Check26})
        out += QString::number(e->value());
    return out;
}

// Which rule-set procedure ran last, seen on the console's captions. The
// test puts them into a state neither procedure leaves (the row "A" and the
// column "A" both shown), so "-" means neither ran.
void markRuleSet(MatchState& s)
{
    s.Label7.setVisible(true);
    s.Label12.setVisible(true);
}

QString ruleSetRun(const MatchState& s)
{
    if (s.Label7.visible() && s.Label12.visible())
        return QStringLiteral("-");
    if (s.Label7.visible() && !s.Label12.visible())
        return QStringLiteral("wukf");
    if (!s.Label7.visible() && s.Label12.visible())
        return QStringLiteral("geenwukf");
    return QStringLiteral("?");
}

// Aka's panel left of Shiro's: the console's sides are swapped.
bool sidesSwapped(const MatchState& s)
{
    return s.Frame21.left() < s.Frame20.left();
}

class LocaleGuard {
public:
    explicit LocaleGuard(const QString& name)
    {
        if (!name.isEmpty())
            QLocale::setDefault(QLocale(name));
    }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    QLocale m_saved;
};

} // namespace

// Start-up over kumite.ini, and Save.
class TestSettingsStartUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The table's numbers are written with "."; the comma rows set their
        // own locale.
        QLocale::setDefault(QLocale::c());
    }

    void startUp_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("texts"); // eindwav, waarwav, hsch, vsch, fsch
        QTest::addColumn<QString>("checks");    // Check23..Check26
        QTest::addColumn<QString>("rule");      // wukf, geenwukf, "-" for neither

        const QStringList initial{"", "", "1", "1", "1"};
        const QByteArray full("C:\\a.wav\r\nC:\\b.wav\r\n2\r\n3\r\n4\r\n");

        QTest::newRow("missing file") << false << QByteArray() << "" << initial << "0000"
                                      << "-";
        QTest::newRow("empty file") << true << QByteArray() << "" << initial << "0000"
                                    << "geenwukf";
        QTest::newRow("the 33 default bytes") << true << kDefaults << "" << initial << "0000"
                                              << "geenwukf";
        QTest::newRow("two lines") << true << QByteArray("C:\\a.wav\r\nC:\\b.wav\r\n") << ""
                                   << QStringList{"C:\\a.wav", "C:\\b.wav", "1", "1", "1"} << "0000"
                                   << "geenwukf";
        QTest::newRow("line 3 blank zero")
            << true << QByteArray("\r\n\r\n 0 \r\n") << "" << initial << "0000"
            << "geenwukf";
        QTest::newRow("line 3 0.0") << true << QByteArray("\r\n\r\n0.0\r\n2\r\n") << ""
                                    << QStringList{"", "", "1", "2", "1"} << "0000"
                                    << "geenwukf";
        QTest::newRow("scales keep their own text")
            << true << QByteArray("\r\n\r\n 2 \r\n1.0\r\n\t3e0\r\n") << ""
            << QStringList{"", "", " 2 ", "1.0", "\t3e0"} << "0000"
            << "geenwukf";
        QTest::newRow("empty line 4 stops loading")
            << true << QByteArray("p1\r\np2\r\n2\r\n\r\n3\r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n") << ""
            << QStringList{"p1", "p2", "1", "1", "1"} << "0000"
            << "-";
        QTest::newRow("line 9 one")
            << true << full + " 0 \r\n 0 \r\n 0 \r\n 1 \r\n"
            << "" << QStringList{"C:\\a.wav", "C:\\b.wav", "2", "3", "4"} << "0001"
            << "wukf";
        QTest::newRow("line 7 one")
            << true << full + " 0 \r\n 1 \r\n 0 \r\n 0 \r\n"
            << "" << QStringList{"C:\\a.wav", "C:\\b.wav", "2", "3", "4"} << "0100"
            << "geenwukf";
        QTest::newRow("line 6 two")
            << true << full + "2\r\n1\r\n1\r\n0\r\n"
            << "" << QStringList{"C:\\a.wav", "C:\\b.wav", "2", "3", "4"} << "0110"
            << "geenwukf";
        QTest::newRow("scale not a number stops there")
            << true
            << QByteArray("/snd/end.wav\r\n\r\nabc\r\nabc\r\nabc\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n")
            << "" << QStringList{"/snd/end.wav", "", "1", "1", "1"} << "0000"
            << "-";
        QTest::newRow("option not a number stops there")
            << true << full + " 1 \r\n 1 \r\nyes\r\n 1 \r\n"
            << "" << QStringList{"C:\\a.wav", "C:\\b.wav", "2", "3", "4"} << "1100"
            << "-";
        QTest::newRow("twelve lines")
            << true << full + " 0 \r\n 0 \r\n 1 \r\n 1 \r\nx\r\ny\r\n\r\n"
            << "" << QStringList{"C:\\a.wav", "C:\\b.wav", "2", "3", "4"} << "0011"
            << "wukf";
        QTest::newRow("Windows-1252 path")
            << true
            << QByteArray("C:\\m\xfasica\\gong\x96"
                          "1.wav\r\n")
            << "" << QStringList{QStringLiteral(u"C:\\música\\gong–1.wav"), "", "1", "1", "1"}
            << "0000"
            << "geenwukf";
        QTest::newRow("byte-order mark, line feeds only, line 3 0.5")
            << true << QByteArray("\xef\xbb\xbf/a.wav\n/b.wav\n0.5\n1\n2\n 0 \n 1 \n 1 \n 1 \n")
            << "" << QStringList{"/a.wav", "/b.wav", "0.5", "1", "2"} << "0111"
            << "wukf";
        QTest::newRow("comma locale")
            << true << QByteArray("\r\n\r\n0,9\r\n1.1\r\n0,0\r\n1,0\r\n 0 \r\n 0 \r\n1.0\r\n")
            << "de_DE" << QStringList{"", "", "0,9", "1.1", "1"} << "1001"
            << "wukf";
        QTest::newRow("comma in a point locale stops")
            << true << QByteArray("\r\n\r\n0,9\r\n") << "en_US" << initial << "0000"
            << "-";
    }

    void startUp()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, file);
        QFETCH(QString, locale);
        QFETCH(QStringList, texts);
        QFETCH(QString, checks);
        QFETCH(QString, rule);

        LocaleGuard guard(locale);
        TestConsole c;
        if (exists)
            writeFile(iniPath(c), file);
        markRuleSet(c.s);
        c.k.startUp.Form_Load();

        QCOMPARE((QStringList{c.s.eindwav.text(), c.s.waarwav.text(), c.s.hsch.text(),
                              c.s.vsch.text(), c.s.fsch.text()}),
                 texts);
        QCOMPARE(::checks(c.s), checks);
        QVERIFY(c.ports.messages.shown.empty());
        QCOMPARE(ruleSetRun(c.s), rule);
        // Swapped (or not) before the console is first shown.
        QCOMPARE(sidesSwapped(c.s), checks[1] == u'1');
        // The clock digits come before the file and stay whatever happens.
        QCOMPARE(c.s.Label1.caption(), QStringLiteral("1"));
        QCOMPARE(c.s.Label2.caption(), QStringLiteral("3"));
        QCOMPARE(c.s.Label3.caption(), QStringLiteral("0"));
        QCOMPARE(c.s.Kumite2.height(), 6900.0);
    }

    // A settings file cannot be a device that never ends.
    void endlessFileIsIgnored()
    {
        TestConsole c;
        if (!QFile::link(QStringLiteral("/dev/zero"), iniPath(c)))
            QSKIP("cannot link to /dev/zero here");
        c.k.startUp.Form_Load();
        QCOMPARE(c.s.eindwav.text(), QString());
        QCOMPARE(c.s.hsch.text(), QStringLiteral("1"));
    }

    void longFileStopsAfterNineLines()
    {
        // Nine short lines followed by several megabytes: loads normally.
        TestConsole c;
        writeFile(iniPath(c), "a\r\nb\r\n2\r\n1\r\n1\r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n" +
                                  QByteArray(3 << 20, 'x'));
        c.k.startUp.Form_Load();
        QCOMPARE(c.s.hsch.text(), QStringLiteral("2"));
        QCOMPARE(checks(c.s), QStringLiteral("0011"));
    }

    void saveWritesTheDefaults()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        c.s.MyButton7.click();
        QCOMPARE(readFile(iniPath(c)), kDefaults);
        QCOMPARE(c.ports.messages.shown.size(), 1u);
        QCOMPARE(c.ports.messages.shown[0].first, QStringLiteral("Ini-file saved"));
        QCOMPARE(c.ports.messages.shown[0].second, 64);
    }

    void saveWritesPathsScalesAndOptions()
    {
        TestConsole c;
        c.k.startUp.Form_Load();
        // An older, longer file is replaced whole.
        writeFile(iniPath(c), QByteArray(200, 'z'));
        c.s.eindwav.setText(QStringLiteral("C:\\sounds\\gong.wav"));
        c.s.waarwav.setText(QStringLiteral("/home/op/bell.wav"));
        c.s.hsch.setText(QStringLiteral("1.1"));
        c.s.vsch.setText(QStringLiteral("0,9"));
        c.s.Check25.setValue(1);
        c.s.Check26.setValue(1);
        c.s.MyButton7.click();
        QCOMPARE(readFile(iniPath(c)),
                 QByteArray("C:\\sounds\\gong.wav\r\n/home/op/bell.wav\r\n"
                            "1.1\r\n0,9\r\n1\r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n"));
        QCOMPARE(c.ports.messages.shown.back().first, QStringLiteral("Ini-file saved"));
    }

    // A box with a line break would shift every later line: nothing is
    // written and the old file stays.
    void saveRefusesLineBreaks_data()
    {
        QTest::addColumn<QString>("box");
        for (const char* name : {"eindwav", "fsch"})
            QTest::newRow(name) << name;
    }

    void saveRefusesLineBreaks()
    {
        QFETCH(QString, box);
        TestConsole c;
        writeFile(iniPath(c), kDefaults);
        c.s.find(box)->setText(QStringLiteral("1\r\n2"));
        c.s.MyButton7.click();
        QCOMPARE(readFile(iniPath(c)), kDefaults);
        QCOMPARE(c.ports.messages.shown.size(), 1u);
        QCOMPARE(c.ports.messages.shown[0].first, QStringLiteral("Error saving"));
        QCOMPARE(c.ports.messages.shown[0].second, 16);
        QCOMPARE(
            QDir(c.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"kumite.ini"});
    }
};

KESTRANE_MODEL_TEST_MAIN(TestSettingsStartUp)
#include "tst_settingsstartup.moc"
