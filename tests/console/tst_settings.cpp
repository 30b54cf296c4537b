#include "support/Files.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <tuple>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrane;
using test::readFile;
using test::writeFile;

namespace {

const QByteArray kDefaults("\r\n\r\n1\r\n1\r\n1\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
const QByteArray kOld("old\r\nfile\r\n2\r\n2\r\n2\r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n");
const QByteArray kNew("/snd/new.wav\r\n\r\n1\r\n1\r\n1\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n");

// What the operator was told: the one message and its style.
QString told(const test::FakeMessages& messages)
{
    const auto& shown = messages.shown;
    return shown.size() == 1 ? QStringLiteral("%1 %2").arg(shown[0].first).arg(shown[0].second)
                             : QStringLiteral("%1 messages").arg(shown.size());
}

struct Console : test::TestConsole {
    const QString ini = dir.path() + QStringLiteral("/kumite.ini");

    // The five setup boxes and the four options as one text: "a|b|1|1|1 0000".
    QString loaded() const
    {
        QStringList texts{s.eindwav.text(), s.waarwav.text(), s.hsch.text(), s.vsch.text(),
                          s.fsch.text()};
        QString options;
        for (const Element* e : {&s.Check23, &s.Check24, &s.Check25, &s.Check26})
            options += QString::number(e->value());
        return texts.join(u'|') + u' ' + options;
    }
    QString save()
    {
        ports.messages.shown.clear();
        s.MyButton7.click();
        return told(ports.messages);
    }
};

} // namespace

// The setup row: kumite.ini as start-up reads it and Save writes it (also
// under faults), the Setup toggle, the sound dialog and the input checks.
class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Writing past the file-size limit must fail the write, not end the process.
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    // File, locale, what the boxes and options show after start-up, and
    // which rule set ran ("-" for neither: loading stopped before line 9).
    void startUp()
    {
        const QByteArray full = "C:\\a.wav\r\nC:\\b.wav\r\n2\r\n3\r\n4\r\n";
        const std::tuple<QByteArray, const char*, QString, const char*> rows[] = {
            {"", "C", "||1|1|1 0000", "-"}, // no file at all
            {kDefaults, "C", "||1|1|1 0000", "geenwukf"},
            {"\r\n\r\n 0 \r\n0.0\r\n 2 \r\n", "C", "||1|1| 2  0000", "geenwukf"},
            {"p1\r\np2\r\n2\r\n\r\n3\r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n", "C", "p1|p2|1|1|1 0000",
             "-"},
            {full + "2\r\n1\r\n1.0\r\n-1\r\n", "C", "C:\\a.wav|C:\\b.wav|2|3|4 0110", "geenwukf"},
            {"/e.wav\r\n\r\n2x\r\n1\r\n1\r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n", "C",
             "/e.wav||1|1|1 0000", "-"},
            {full + " 1 \r\n 1 \r\n1e\r\n 1 \r\nx\r\ny\r\n", "C", "C:\\a.wav|C:\\b.wav|2|3|4 1100",
             "-"},
            {"\xef\xbb\xbf/a.wav\n/b.wav\n0.5\n1\n2\n 0 \n 1 \n 1 \n 1 \n\n\n", "C",
             "/a.wav|/b.wav|0.5|1|2 0111", "wukf"},
            {"/a.wav\r\r2\r1e0\r1\r0\r0\r0\r1", "C", "/a.wav||2|1e0|1 0001", "wukf"},
            {"\r\n\r\n0,9\r\n1.1\r\n0,0\r\n1,0\r\n 0 \r\n 0 \r\n1.0\r\n", "de_DE",
             "||0,9|1.1|1 1001", "wukf"},
            {"\r\n\r\n0,9\r\n", "en_US", "||1|1|1 0000", "-"},
            {"C:\\m\xfasica\\gong\x80\x96.wav\r\n", "C", // Windows-1252, not UTF-8
             QStringLiteral(u"C:\\música\\gong€–.wav||1|1|1 0000"), "geenwukf"}};
        for (const auto& [file, locale, result, rule] : rows) {
            QLocale::setDefault(QLocale(locale));
            Console c;
            if (!file.isEmpty())
                writeFile(c.ini, file);
            // Row "A" and column "A" both shown: a state neither rule set leaves.
            c.s.Label7.setVisible(true);
            c.s.Label12.setVisible(true);
            c.k.startUp.Form_Load();
            QLocale::setDefault(QLocale::c());
            QCOMPARE(c.loaded(), result);
            const bool row = c.s.Label7.visible(), column = c.s.Label12.visible();
            QCOMPARE(row == column ? (row ? "-" : "?") : (row ? "wukf" : "geenwukf"), rule);
            QVERIFY(c.ports.messages.shown.empty());
            // Mirrored before the console is first shown: Aka's panel on the left.
            QCOMPARE(c.s.Frame21.left() < c.s.Frame20.left(), c.s.Check24.value() == 1);
        }
    }

    // A device that never ends is no settings file.
    void endlessFile()
    {
        Console c;
        if (!QFile::link(QStringLiteral("/dev/zero"), c.ini))
            QSKIP("cannot link to /dev/zero here");
        c.k.startUp.Form_Load();
        QCOMPARE(c.loaded(), QStringLiteral("||1|1|1 0000"));
    }

    void save()
    {
        Console c;
        c.k.startUp.Form_Load();
        QCOMPARE(c.save(), QStringLiteral("Ini-file saved 64"));
        QCOMPARE(readFile(c.ini), kDefaults);
        // An older, longer file is replaced whole.
        writeFile(c.ini, QByteArray(200, 'z'));
        c.s.eindwav.setText(QStringLiteral(u"C:\\sounds\\gong€.wav"));
        c.s.waarwav.setText(QStringLiteral(u" /home/jürgen/bell.wav "));
        c.s.vsch.setText(QStringLiteral("0,9"));
        c.s.Check25.setValue(1);
        c.s.Check26.setValue(1);
        QCOMPARE(c.save(), QStringLiteral("Ini-file saved 64"));
        QCOMPARE(readFile(c.ini),
                 QByteArray("C:\\sounds\\gong\xe2\x82\xac.wav\r\n /home/j\xc3\xbcrgen/bell.wav "
                            "\r\n1\r\n0,9\r\n1\r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n"));
    }

    // Save under faults: the old file stays exactly as it was, no temporary
    // file is left behind, and the operator sees "Error saving"; once the
    // fault is gone, Save works. A folder where nothing can be made refuses
    // Save, even though kumite.ini itself could be rewritten in place.
    void saveFaults_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char* fault : {"line break in a box", "a folder in the way", "file size limit",
                                  "program folder a plain file", "writer fails part-way",
                                  "folder and file read-only", "folder read-only"})
            QTest::newRow(fault) << fault;
    }

    void saveFaults()
    {
        QFETCH(QString, fault);
        Console c;
        writeFile(c.ini, kOld);
        c.s.eindwav.setText(QStringLiteral("/snd/new.wav"));
        c.s.Check25.setValue(1);
        const auto folderRights = QFile::permissions(c.dir.path());
        QString said;
        QString kept = c.ini;
        if (fault == "line break in a box") {
            c.s.fsch.setText(QStringLiteral("1\r\n2"));
            said = c.save();
            c.s.fsch.setText(QStringLiteral("1"));
        } else if (fault == "a folder in the way") {
            QVERIFY(QFile::remove(c.ini) && QDir().mkdir(c.ini));
            kept = c.ini + QStringLiteral("/inside");
            writeFile(kept, kOld);
            said = c.save();
        } else if (fault == "file size limit") {
            rlimit saved{}, small{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
            small = {16, saved.rlim_max}; // the new file's write fails part-way
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            said = c.save();
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
        } else if (fault == "program folder a plain file") {
            test::FakePorts p;
            Kumite2 k({p.sound, p.messages, p.files, p.screens, p.windows}, c.ini);
            k.state.MyButton7.click();
            said = told(p.messages);
        } else if (fault == "writer fails part-way") {
            c.k.startUp.writeBytes = [](QIODevice& file, const QByteArray& bytes) {
                file.write(bytes.left(10));
                return qint64(-1);
            };
            said = c.save();
            c.k.startUp.writeBytes = [](QIODevice& file, const QByteArray& bytes) {
                return file.write(bytes);
            };
        } else {
            // As the super-user, whom permissions do not bind, the save runs
            // in a child process that has become an ordinary user.
            const bool fileToo = fault == "folder and file read-only";
            QFile::setPermissions(c.ini, fileToo ? QFile::ReadOwner | QFile::ReadOther
                                                 : QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ReadOther | QFile::WriteOther);
            QFile::setPermissions(c.dir.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                    QFile::ReadOther | QFile::ExeOther);
            const pid_t child = geteuid() == 0 ? fork() : -1;
            if (child == 0)
                _exit(setgid(65534) || setuid(65534) || c.save() != "Error saving 16");
            int status = 1;
            if (child > 0 && waitpid(child, &status, 0) == child && status == 0)
                said = QStringLiteral("Error saving 16");
            else
                said = child > 0 ? QStringLiteral("the ordinary user saw otherwise") : c.save();
            QFile::setPermissions(c.dir.path(), folderRights);
            QFile::setPermissions(c.ini, QFile::ReadOwner | QFile::WriteOwner);
        }
        QCOMPARE(said, QStringLiteral("Error saving 16"));
        QCOMPARE(readFile(kept), kOld);
        QCOMPARE(
            QDir(c.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"kumite.ini"});
        if (kept == c.ini) {
            QCOMPARE(c.save(), QStringLiteral("Ini-file saved 64"));
            QCOMPARE(readFile(c.ini), kNew);
        }
    }

    // The Setup button opens and closes the setup row, the menu item only
    // opens it; key preview is off while the button has it open. A height
    // the operator dragged up to 8100 counts as closed.
    void setupToggle()
    {
        Console c;
        c.k.startUp.Form_Load();
        const std::tuple<double, Element*, const char*> steps[] = {
            {6900, &c.s.MyButton9, "8740 Close setup 0"}, {8740, &c.s.MyButton9, "6900 Setup 1"},
            {6900, &c.s.setu, "8740 Close setup 1"},      {8740, &c.s.setu, "8740 Close setup 1"},
            {8100, &c.s.MyButton9, "8740 Close setup 0"}, {8101, &c.s.MyButton9, "6900 Setup 1"}};
        for (const auto& [height, control, after] : steps) {
            c.s.Kumite2.setHeight(height);
            control->click();
            const QString seen = QString::number(c.s.Kumite2.height()) + " " +
                                 c.s.MyButton9.caption() + " " + QString::number(c.s.keyPreview);
            QCOMPARE(seen, QString::fromLatin1(after));
        }
    }

    // Each sound button fills its own box with the path the dialog gives;
    // a cancelled dialog leaves it as it was, without a word.
    void soundDialog()
    {
        Console c;
        c.ports.files.answer = QStringLiteral(u"/home/op/ gong ü.WAV");
        c.s.MyButton8.click();
        c.ports.files.answer = QStringLiteral("C:\\gong.wav");
        c.s.MyButton5.click();
        c.ports.files.answer.reset();
        c.s.MyButton5.click();
        QCOMPARE(c.s.waarwav.text() + "|" + c.s.eindwav.text(),
                 QStringLiteral(u"/home/op/ gong ü.WAV|C:\\gong.wav"));
        const auto& r = c.ports.files.requests.at(2);
        QCOMPARE(QStringList({r.title, r.fileName, r.filter, r.initialFolder}),
                 QStringList({"Find soundfile", "*.wav", "*.wav", "\\"}));
        QVERIFY(c.ports.messages.shown.empty());
    }
};

KESTRANE_MODEL_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
