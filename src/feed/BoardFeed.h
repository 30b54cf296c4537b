#pragma once

#include "board/BoardHolder.h"
#include "board/LabelMeasure.h"
#include "feed/FeedBoard.h"
#include "feed/FeedSizeKey.h"
#include "feed/FeedSources.h"

#include <QByteArray>
#include <QHash>
#include <QObject>

#include <utility>
#include <vector>

namespace kestrane {

// The feed's view of the match: observes the console's elements and, while
// it is shown, the console's board, and announces one change per turn of
// the event loop however many elements changed in it. It only reads: the
// console cannot tell whether it runs.
class BoardFeed final : public QObject, public BoardHolder::Listener {
    Q_OBJECT
public:
    explicit BoardFeed(FeedSources sources, QObject* parent = nullptr);
    ~BoardFeed() override;

    // The board's state as JSON for a window of w x h pixels (0 x 0: design
    // twips). Built once per size and change.
    QByteArray state(int w, int h);
    bool isCached(int w, int h) const { return m_cache.contains(FeedSizeKey::of(w, h)); }

    void boardShown(Kubord2& board, int screenIndex) override;
    void boardClosing(Kubord2& board) override;

    // Sizes the feed answers for: larger windows are refused.
    static constexpr int kMaxWidth = 7680;
    static constexpr int kMaxHeight = 4320;

Q_SIGNALS:
    // Something the board shows may have changed; at most once a turn.
    void changed();

private:
    void observe(Element& e);
    void detachBoard();
    void touched();
    void flush();

    FeedSources m_sources;
    LabelMeasure m_measure;
    const Kubord2* m_shown = nullptr;
    FeedBoard::Scales m_openedWith;
    std::vector<std::pair<Element*, int>> m_consoleObservers;
    std::vector<std::pair<Element*, int>> m_boardObservers;
    QHash<quint64, QByteArray> m_cache;
    bool m_pending = false;
    int m_competitorsObserver = 0;
};

} // namespace kestrane
