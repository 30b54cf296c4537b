#include "support/Files.h"
#include "support/TestConsole.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrane;
using test::readFile;
using test::TestConsole;
using test::writeFile;

namespace {

const QByteArray kOld("old\r\nfile\r\n2\r\n2\r\n2\r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n");

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

// Sets a few boxes so that a save would write something new.
void changeSomething(MatchState& s)
{
    s.eindwav.setText(QStringLiteral("/snd/new.wav"));
    s.Check25.setValue(1);
}

const QByteArray kNew("/snd/new.wav\r\n\r\n1\r\n1\r\n1\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n");

void expectOnlyMessage(const TestConsole& c, const char* text, int style)
{
    QCOMPARE(c.ports.messages.shown.size(), 1u);
    QCOMPARE(c.ports.messages.shown[0].first, QString::fromLatin1(text));
    QCOMPARE(c.ports.messages.shown[0].second, style);
}

// Restores the folder's permissions so that the temporary directory can be
// removed whatever the test did.
struct Permissions {
    explicit Permissions(QString path)
        : m_path(std::move(path)), m_saved(QFile::permissions(m_path))
    {
    }
    ~Permissions() { QFile::setPermissions(m_path, m_saved); }
    Permissions(const Permissions&) = delete;
    Permissions& operator=(const Permissions&) = delete;

private:
    QString m_path;
    QFile::Permissions m_saved;
};

const QFile::Permissions kReadOnly =
    QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;

} // namespace

// Save under faults: the old file stays exactly as it was, no temporary
// file is left behind, and the operator sees "Error saving".
class TestSettingsFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Writing past the file-size limit must fail the write, not end the
        // process.
        std::signal(SIGXFSZ, SIG_IGN);
    }

    void settingsPathIsADirectory()
    {
        TestConsole c;
        const QString ini = c.dir.path() + QStringLiteral("/kumite.ini");
        QVERIFY(QDir().mkdir(ini));
        writeFile(ini + QStringLiteral("/inside"), "x");
        c.s.MyButton7.click();
        expectOnlyMessage(c, "Error saving", 16);
        QVERIFY(QFileInfo(ini).isDir());
        QCOMPARE(readFile(ini + QStringLiteral("/inside")), QByteArray("x"));
        QCOMPARE(entries(c.dir.path()), QStringList{"kumite.ini"});
    }

    void programFolderIsNoFolder()
    {
        // The program folder is a plain file: nothing can be created in it,
        // whoever runs the test.
        QTemporaryDir top;
        const QString plain = top.path() + QStringLiteral("/plain");
        writeFile(plain, kOld);
        test::FakePorts ports;
        Kumite2 k({ports.sound, ports.messages, ports.files, ports.screens, ports.windows}, plain);
        k.state.MyButton7.click();
        QCOMPARE(ports.messages.shown.size(), 1u);
        QCOMPARE(ports.messages.shown[0].first, QStringLiteral("Error saving"));
        QCOMPARE(readFile(plain), kOld);
        QCOMPARE(entries(top.path()), QStringList{"plain"});
    }

    void writeFailsMidway()
    {
        TestConsole c;
        const QString ini = c.dir.path() + QStringLiteral("/kumite.ini");
        writeFile(ini, kOld);
        changeSomething(c.s);

        // Files may grow to 16 bytes: the new file's write fails part-way.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        c.s.MyButton7.click();
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);

        expectOnlyMessage(c, "Error saving", 16);
        QCOMPARE(readFile(ini), kOld);
        QCOMPARE(entries(c.dir.path()), QStringList{"kumite.ini"});

        // The operator may try again.
        c.ports.messages.shown.clear();
        c.s.MyButton7.click();
        expectOnlyMessage(c, "Ini-file saved", 64);
        QCOMPARE(readFile(ini), kNew);
    }

    void folderAllowsRewritingOnly()
    {
        // No new file can be made in the folder, but kumite.ini itself may
        // be rewritten: Save rewrites it in place.
        TestConsole c;
        const QString ini = c.dir.path() + QStringLiteral("/kumite.ini");
        writeFile(ini, kOld);
        changeSomething(c.s);
        {
            Permissions restore(c.dir.path());
            QVERIFY(QFile::setPermissions(c.dir.path(), kReadOnly));
            c.s.MyButton7.click();
        }
        expectOnlyMessage(c, "Ini-file saved", 64);
        QCOMPARE(readFile(ini), kNew);
        QCOMPARE(entries(c.dir.path()), QStringList{"kumite.ini"});
    }

    // As the super-user, whom permissions do not bind, the save runs in a
    // child process that has become an ordinary user.
    void folderAndFileReadOnly()
    {
        TestConsole c;
        const QString ini = c.dir.path() + QStringLiteral("/kumite.ini");
        writeFile(ini, kOld);
        changeSomething(c.s);
        {
            Permissions restoreFile(ini);
            Permissions restoreFolder(c.dir.path());
            const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
            QVERIFY(QFile::setPermissions(ini, readOnly));
            QVERIFY(QFile::setPermissions(c.dir.path(), readOnly | QFile::ExeOwner |
                                                            QFile::ExeGroup | QFile::ExeOther));
            if (geteuid() != 0) {
                c.s.MyButton7.click();
                expectOnlyMessage(c, "Error saving", 16);
            } else {
                const pid_t child = fork();
                QVERIFY(child >= 0);
                if (child == 0) {
                    if (setgid(65534) != 0 || setuid(65534) != 0)
                        _exit(3);
                    c.s.MyButton7.click();
                    const auto& shown = c.ports.messages.shown;
                    _exit(shown.size() == 1 && shown[0].first == "Error saving" &&
                                  shown[0].second == 16
                              ? 0
                              : 1);
                }
                int status = 0;
                QCOMPARE(waitpid(child, &status, 0), child);
                QVERIFY(WIFEXITED(status));
                QCOMPARE(WEXITSTATUS(status), 0);
            }
        }
        QCOMPARE(readFile(ini), kOld);
        QCOMPARE(entries(c.dir.path()), QStringList{"kumite.ini"});
    }
};

KESTRANE_MODEL_TEST_MAIN(TestSettingsFaults)
#include "tst_settingsfaults.moc"
