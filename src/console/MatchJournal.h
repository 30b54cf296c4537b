#pragma once

#include "board/BoardHolder.h"
#include "core/DurableWriter.h"
#include "core/Element.h"
#include "match/Competitors.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace kestrane {

class Kumite2;

// Keeps the match under way in a file of its own beside the settings, so
// that a crash, a power cut or a close never loses it, and offers it back at
// the next start. The file holds every value of the console's match
// elements and of the board, the pair on the mat and whether the board was
// open; the setup row's values come from kumite.ini as at every start.
//
// Every change schedules one write a moment later, so a burst of changes
// costs one write; the writing and flushing run on a thread of their own.
// While nothing is under way the file does not exist.
class MatchJournal {
public:
    // One element's values.
    struct Item {
        QString name; // the element's display name
        QString caption;
        int value = 0;
        bool visible = true;
        Colour fore = 0;
        Colour back = 0;
        bool enabled = false;
        bool operator==(const Item&) const = default;
    };

    struct Snapshot {
        QDateTime written;
        std::vector<Item> console;
        std::vector<Item> board; // empty when no board existed
        double countLeft = 0;    // where the KO count panel stood
        double countTop = 0;
        bool boardOpen = false;
        Competitor aka;
        Competitor shiro;

        const Item* consoleItem(const QString& name) const;
        // What the restore question shows: scores, time left, when written.
        QString summary() const;
    };

    // Time to gather changes before a write.
    static constexpr int kCoalesceMs = 50;

    MatchJournal(Kumite2& k, QString path);
    ~MatchJournal();
    MatchJournal(const MatchJournal&) = delete;
    MatchJournal& operator=(const MatchJournal&) = delete;

    static Snapshot capture(const Kumite2& k);
    static QByteArray encode(const Snapshot& snapshot);
    // Nothing when the bytes are not a whole journal of this host; `why`
    // then says what is wrong.
    static std::optional<Snapshot> decode(const QByteArray& bytes, QString* why = nullptr);
    // Puts every value back: console, board (reopened when it was open),
    // the pair on the mat; the clock and the KO count stopped.
    static void apply(Kumite2& k, const Snapshot& snapshot);

    // At start, once the console is shown: asks about a match found on
    // disk, sets a damaged file aside, then keeps the journal from now on.
    void offerRestore();
    // Keeps the file in step with every change from now on.
    void start();
    // Before the console closes: the file gets the match as it stands (or
    // goes when nothing is under way), and later changes are not kept.
    void seal();
    // True while changes reach the disk.
    bool keeping() const;

    DurableWriter& writer() { return m_writer; }

    // The operator answered No to the restore question.
    std::function<void(const Snapshot&)> onRestoreDeclined;

private:
    void changed();
    void commit();
    void watch(bool on);

    // Opening and closing the board change no console value.
    class BoardWatch final : public BoardHolder::Listener {
    public:
        explicit BoardWatch(MatchJournal& j) : m_j(j) {}
        void boardShown(Kubord2&, int) override { m_j.changed(); }
        void boardClosing(Kubord2&) override { m_j.changed(); }

    private:
        MatchJournal& m_j;
    };

    Kumite2& m_k;
    DurableWriter m_writer;
    BoardWatch m_boardWatch{*this};
    QTimer m_timer;
    std::vector<std::pair<Element*, int>> m_observed;
    int m_competitorsObserver = 0;
    bool m_started = false;
    bool m_sealed = false;
    bool m_onDisk = false;
};

} // namespace kestrane
