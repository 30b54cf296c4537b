#include "console/StartUp.h"

#include "clock/MatchClock.h"
#include "console/SettingsFile.h"
#include "core/ProgramFiles.h"
#include "match/MatchState.h"
#include "penalties/RuleSets.h"
#include "platform/MessagePort.h"
#include "tournament/TournamentDay.h"

#include <QFile>
#include <QSaveFile>

namespace kestrane {

namespace {

// A settings file is nine short lines; reading stops well before a runaway
// file (or a device) could eat the memory.
constexpr qint64 kReadLimit = 1 << 20;

QString settingsPath(const QString& programDir)
{
    return ProgramFiles(programDir).settings();
}

} // namespace

void StartUp::wire()
{
    m_state.MyButton7.onClick = [this] { MyButton7_Click(); };
}

void StartUp::Form_Load()
{
    MatchState& s = m_state;

    // The console window, outer size: width, left, top, height in this order.
    s.Kumite2.setWidth(10450);
    s.Kumite2.setLeft(2000);
    s.Kumite2.setTop(100);
    s.Kumite2.setHeight(6900);

    m_clock.loadMatchTime();

    // Start and Stop share one place; Stop starts hidden.
    s.Command3.setLeft(820);
    s.Command4.setLeft(820);
    s.Command4.setVisible(false);

    loadSettings();
    m_day.restoreAtStart();
}

// Every way out of here before the end is the silent failure of start-up:
// what was applied stays applied, the rest keeps its initial value.
void StartUp::loadSettings()
{
    MatchState& s = m_state;

    QByteArray bytes;
    {
        QFile file(settingsPath(m_programDir));
        if (!file.open(QIODevice::ReadOnly))
            return;
        bytes = file.read(kReadLimit + 1);
        if (file.error() != QFileDevice::NoError)
            return;
    }
    const SettingsFile::Lines lines = SettingsFile::readLines(bytes.left(kReadLimit));
    // Past the limit with the nine lines not yet ended: the last line read
    // would be cut short, so the file counts as unreadable.
    if (bytes.size() > kReadLimit && !lines.complete)
        return;

    const SettingsFile::Loaded loaded = SettingsFile::interpret(lines, QLocale());
    s.eindwav.setText(loaded.eindwav);
    s.waarwav.setText(loaded.waarwav);
    if (!loaded.scales)
        return;
    s.hsch.setText((*loaded.scales)[0]);
    s.vsch.setText((*loaded.scales)[1]);
    s.fsch.setText((*loaded.scales)[2]);

    // Each value change runs the box's click handler at once.
    Element* options[] = {&s.Check23, &s.Check24, &s.Check25, &s.Check26};
    for (qsizetype i = 0; i < loaded.options.size(); ++i)
        options[i]->setValue(loaded.options[i]);
    if (!loaded.wukf)
        return;
    if (*loaded.wukf)
        m_ruleSets.wukf();
    else
        m_ruleSets.geenwukf();
}

void StartUp::MyButton7_Click()
{
    const MatchState& s = m_state;
    SettingsFile::Settings settings{s.eindwav.text(), s.waarwav.text(), s.hsch.text(),
                                    s.vsch.text(),    s.fsch.text(),    {}};
    const Element* options[] = {&s.Check23, &s.Check24, &s.Check25, &s.Check26};
    for (std::size_t i = 0; i < settings.options.size(); ++i)
        settings.options[i] = options[i]->value() == 1;

    if (saveSettings(settings))
        m_messages.show(QStringLiteral("Ini-file saved"), MessagePort::Information);
    else
        m_messages.show(QStringLiteral("Error saving"), MessagePort::Error);
}

// The nine lines go to a temporary file beside kumite.ini that then replaces
// it in one step, so a failure at any point leaves the old file as it was.
// Never in place: where no new file can be made beside it, Save fails and
// the old file stays whole, where a write cut short in place would lose it.
bool StartUp::saveSettings(const SettingsFile::Settings& settings)
{
    const std::optional<QByteArray> bytes = SettingsFile::write(settings);
    if (!bytes)
        return false;
    QSaveFile file(settingsPath(m_programDir));
    // Unbuffered, so that a short write (a full disk, a file-size limit)
    // shows in what write() returns: through the buffer it would be lost and
    // the cut-off file committed as if all were well.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (writeBytes(file, *bytes) != bytes->size()) {
        file.cancelWriting();
        file.commit(); // discards the temporary file
        return false;
    }
    return file.commit();
}

} // namespace kestrane
