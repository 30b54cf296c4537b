#include "tournament/TournamentDay.h"

#include "clock/MatchClock.h"
#include "clock/MatchReset.h"
#include "core/ProgramFiles.h"
#include "match/Competitors.h"
#include "match/MatchState.h"
#include "penalties/PenaltyBoxes.h"
#include "platform/FileDialogPort.h"
#include "platform/MessagePort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrane {

namespace {

constexpr int kProblemsShown = 15;

// A ticked box as the results desk reads it: row letter, then column letter
// ("C", "MA", "Jx" for the extra box of row "J", "S").
QString penaltyCode(const PenaltyBox& b)
{
    static const char* const rows[] = {"", "M", "J", "S"};
    static const char* const columns[] = {"x", "A", "C", "H", ""};
    return QString::fromLatin1(rows[static_cast<int>(b.row)]) +
           QString::fromLatin1(columns[static_cast<int>(b.column)]);
}

QString clockText(const QString& minutes, const QString& tens, const QString& units)
{
    return (minutes.isEmpty() ? QStringLiteral("0") : minutes) + u':' +
           (tens.isEmpty() ? QStringLiteral("0") : tens) +
           (units.isEmpty() ? QStringLiteral("0") : units);
}

bool allDigits(const QString& text, qsizetype maxLength)
{
    return !text.isEmpty() && text.size() <= maxLength &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString pairText(const MatchEntry& e)
{
    return QStringLiteral("%1: %2 - %3").arg(e.label, e.aka.name, e.shiro.name);
}

} // namespace

TournamentDay::TournamentDay(MatchState& state, Competitors& competitors, MessagePort& messages,
                             FileDialogPort& files, MatchClock& clock, MatchReset& matchReset,
                             QString programDir, std::function<bool()> matchUnderWay)
    : m_state(state), m_competitors(competitors), m_messages(messages), m_files(files),
      m_clock(clock), m_matchReset(matchReset), m_programDir(std::move(programDir)),
      m_matchUnderWay(std::move(matchUnderWay)), m_end(state),
      m_log(ProgramFiles(m_programDir).resultsLog())
{
}

TournamentDay::~TournamentDay()
{
    m_competitors.removeObserver(m_competitorsObserver);
}

void TournamentDay::wire()
{
    m_end.wire();
    // Leaving a match by hand logs its result first (not so the reset that
    // starts the sixty seconds: that match goes on).
    m_state.Command13.onClick = [this] { leaveMatch([this] { m_matchReset.reset(); }); };
    m_state.rema.onClick = [this] { leaveMatch([this] { m_matchReset.reset(); }); };
    m_competitorsObserver = m_competitors.addObserver([this] { save(); });
}

void TournamentDay::restoreAtStart()
{
    const ProgramFiles files(m_programDir);
    QString error;
    const std::optional<DaySetup> kept = DaySetup::read(files.tournament(), &error);
    if (!error.isEmpty())
        m_messages.show(
            QStringLiteral("The day's set-up could not be read (%1), so the console starts as "
                           "new: %2")
                .arg(error, QDir::toNativeSeparators(files.tournament())),
            MessagePort::Exclamation);
    if (kept) {
        m_day = *kept;
        m_written = kept;
        MatchState& s = m_state;
        // Only what the entry fields could hold themselves is put back.
        if (allDigits(m_day.field, 9))
            s.Text1.setText(m_day.field);
        if (allDigits(m_day.ippon, 9))
            s.ippon.setText(m_day.ippon);
        if (allDigits(m_day.minutes, 4) && allDigits(m_day.seconds, 2)) {
            s.Text5.setText(m_day.minutes);
            s.Text6.setText(m_day.seconds);
            m_clock.loadMatchTime();
        }
        m_competitors.set(m_day.aka, m_day.shiro);
        // A match logged at the last close can only come back through the
        // crash journal; without one, its row is final.
        if (m_day.closeRowOffset >= 0 && !QFile::exists(files.matchJournal())) {
            m_day.closeRowOffset = -1;
            m_day.closeRow.clear();
        }
    }
    m_keeping = true;
    if (kept)
        save();
    changed();
}

void TournamentDay::loadMatchList()
{
    const QString folder =
        m_day.listName.isEmpty() ? m_programDir : QFileInfo(m_day.listName).absolutePath();
    const std::optional<QString> path =
        m_files.openFile({QStringLiteral("Load match list"), QString(),
                          QStringLiteral("Match lists (*.csv *.txt);;All files (*)"), folder});
    if (path)
        loadMatchList(*path);
}

bool TournamentDay::loadMatchList(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_messages.show(QStringLiteral("The match list %1 could not be opened: %2")
                            .arg(name, file.errorString()),
                        MessagePort::Exclamation);
        return false;
    }
    const MatchList::Result list = MatchList::parse(file.read(MatchList::kMaxBytes + 1));
    if (list.entries.isEmpty()) {
        showProblems(
            QStringLiteral("No match could be read from %1; the list was not loaded.").arg(name),
            list.problems);
        return false;
    }
    // A copy: editing the file later cannot shift the day's position.
    m_day.list = list.entries;
    m_day.listName = QFileInfo(path).absoluteFilePath();
    m_day.position = -1;
    save();
    changed();
    if (!list.problems.isEmpty())
        showProblems(QStringLiteral("%1 matches loaded from %2. These lines could not be read:")
                         .arg(list.entries.size())
                         .arg(name),
                     list.problems);
    return true;
}

void TournamentDay::showProblems(const QString& intro, const QStringList& problems)
{
    QStringList lines{intro};
    lines << problems.mid(0, kProblemsShown);
    if (problems.size() > kProblemsShown)
        lines << QStringLiteral("... and %1 more.").arg(problems.size() - kProblemsShown);
    m_messages.show(lines.join(u'\n'), MessagePort::Exclamation);
}

void TournamentDay::nextMatch()
{
    if (!listLoaded()) {
        m_messages.show(
            QStringLiteral("No match list is loaded. Load one with \"Load match list...\"."),
            MessagePort::Information);
        return;
    }
    if (m_matchUnderWay() && !m_end.signalled() &&
        !m_messages.ask(QStringLiteral("The match is under way and no end was "
                                       "signalled. End it and go to the next match?")))
        return;
    logLeaving();
    const int count = static_cast<int>(m_day.list.size());
    m_day.position = std::min(m_day.position + 1, count);
    if (m_day.position < count) {
        const MatchEntry& e = m_day.list.at(m_day.position);
        if (!e.time.isEmpty()) {
            const qsizetype colon = e.time.indexOf(u':');
            m_state.Text5.setText(e.time.left(colon));
            m_state.Text6.setText(e.time.mid(colon + 1));
        }
        m_day.label = e.label;
    } else {
        m_day.label.clear();
    }
    m_matchReset.reset();
    m_end.forget();
    if (m_day.position < count)
        m_competitors.set(m_day.list.at(m_day.position).aka, m_day.list.at(m_day.position).shiro);
    else
        m_competitors.clear();
    save();
    changed();
    if (m_day.position == count)
        m_messages.show(
            QStringLiteral("End of the match list: all %1 matches are done.").arg(count),
            MessagePort::Information);
}

void TournamentDay::leaveMatch(const std::function<void()>& reset)
{
    logLeaving();
    reset();
    m_end.forget();
    save();
}

void TournamentDay::logLeaving()
{
    if (m_matchUnderWay())
        log(currentRow());
}

void TournamentDay::consoleClosing()
{
    if (!m_matchUnderWay()) {
        save();
        return;
    }
    // Kept until the next start: a restored match replaces this row.
    const ResultsLog::Appended a = log(currentRow());
    if (a.ok) {
        m_day.closeRowOffset = a.offset;
        m_day.closeRow = a.bytes;
    }
    save();
}

void TournamentDay::declinedRestore(ResultRow row)
{
    if (m_day.closeRowOffset >= 0) {
        m_day.closeRowOffset = -1;
        m_day.closeRow.clear();
        save();
        return;
    }
    const ResultRow now = currentRow();
    if (!row.when.isValid())
        row.when = now.when;
    if (row.field.isEmpty())
        row.field = now.field;
    if (row.label.isEmpty())
        row.label = now.label;
    if (row.aka.isEmpty() && row.shiro.isEmpty()) {
        row.aka = now.aka;
        row.shiro = now.shiro;
    }
    row.winner = QStringLiteral("none");
    row.how = QStringLiteral("abandoned");
    log(row);
    save();
}

ResultsLog::Appended TournamentDay::log(const ResultRow& row)
{
    const ResultsLog::Appended a =
        m_day.closeRowOffset >= 0 ? m_log.replaceLast(m_day.closeRowOffset, m_day.closeRow, row)
                                  : m_log.append(row);
    m_day.closeRowOffset = -1;
    m_day.closeRow.clear();
    if (!a.ok)
        m_messages.show(
            QStringLiteral("The result could not be written to the results log %1. Please note "
                           "it by hand.")
                .arg(QDir::toNativeSeparators(m_log.path())),
            MessagePort::Error);
    return a;
}

ResultRow TournamentDay::currentRow() const
{
    const MatchState& s = m_state;
    ResultRow r = rowFrom([&s](const QString& name) {
        const Element* e = s.find(name);
        return e->kind() == ElementKind::CheckBox ? QString::number(e->value()) : e->caption();
    });
    r.winner = m_end.winner();
    r.how = m_end.how();
    return r;
}

ResultRow TournamentDay::rowFrom(const std::function<QString(const QString&)>& valueOf) const
{
    ResultRow r;
    r.when = QDateTime::currentDateTime();
    r.field = valueOf(QStringLiteral("Text1"));
    r.label = m_day.label;
    r.aka = m_competitors.aka();
    r.shiro = m_competitors.shiro();
    r.akaIppon = valueOf(QStringLiteral("scri"));
    r.akaWazaAri = valueOf(QStringLiteral("scrw"));
    r.shiroIppon = valueOf(QStringLiteral("scwi"));
    r.shiroWazaAri = valueOf(QStringLiteral("scww"));
    QStringList aka;
    QStringList shiro;
    for (const PenaltyBox& b : kPenaltyBoxes) {
        if (valueOf(QStringLiteral("Check%1").arg(b.box)) == QStringLiteral("1"))
            (b.side == PenaltyBox::Side::Aka ? aka : shiro) << penaltyCode(b);
    }
    r.akaPenalties = aka.join(u' ');
    r.shiroPenalties = shiro.join(u' ');
    r.winner = QStringLiteral("none");
    r.how = QStringLiteral("abandoned");
    const MatchClock::SecondsDigits sec =
        MatchClock::secondsDigits(valueOf(QStringLiteral("Text6")));
    r.matchTime = clockText(valueOf(QStringLiteral("Text5")), sec.tens, sec.units);
    r.timeLeft = clockText(valueOf(QStringLiteral("Label1")), valueOf(QStringLiteral("Label2")),
                           valueOf(QStringLiteral("Label3")));
    return r;
}

QString TournamentDay::status() const
{
    const auto count = m_day.list.size();
    if (count == 0)
        return {};
    const int p = m_day.position;
    if (p >= count)
        return QStringLiteral("Match list done: all %1 matches").arg(count);
    const QString next = p + 1 < count ? QStringLiteral("Next: ") + pairText(m_day.list.at(p + 1))
                                       : QStringLiteral("Last match on the list");
    if (p < 0)
        return QStringLiteral("Match list of %1. %2").arg(count).arg(next);
    return QStringLiteral("Match %1 of %2: %3. %4")
        .arg(p + 1)
        .arg(count)
        .arg(m_day.list.at(p).label, next);
}

// Written when a match is left, the list moves or the program closes, not
// at every key typed into the set-up fields: a slow disk never holds up
// the console while the operator types.
void TournamentDay::save()
{
    if (!m_keeping)
        return;
    const MatchState& s = m_state;
    m_day.field = s.Text1.text();
    m_day.minutes = s.Text5.text();
    m_day.seconds = s.Text6.text();
    m_day.ippon = s.ippon.text();
    m_day.aka = m_competitors.aka();
    m_day.shiro = m_competitors.shiro();
    if (m_written && *m_written == m_day)
        return;
    if (m_day.write(ProgramFiles(m_programDir).tournament()))
        m_written = m_day;
    else
        qWarning("kestrane: the day's set-up could not be written");
}

int TournamentDay::addObserver(std::function<void()> observer)
{
    const int id = m_nextObserver++;
    m_observers.emplace(id, std::move(observer));
    return id;
}

void TournamentDay::removeObserver(int id)
{
    m_observers.erase(id);
}

void TournamentDay::changed()
{
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers)
        observer();
}

} // namespace kestrane
