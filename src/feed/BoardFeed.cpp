#include "feed/BoardFeed.h"

#include "feed/BoardJson.h"
#include "match/Competitors.h"
#include "match/MatchState.h"

#include <QMetaObject>

namespace kestrane {

namespace {
// Distinct window sizes kept between changes (each a few kilobytes).
constexpr qsizetype kCacheSizes = 64;
} // namespace

BoardFeed::BoardFeed(FeedSources sources, QObject* parent) : QObject(parent), m_sources(sources)
{
    for (Element* e : m_sources.state.elements()) {
        const int id = e->addObserver([this](const Element&, Property) { touched(); });
        m_consoleObservers.emplace_back(e, id);
    }
    m_competitorsObserver = m_sources.competitors.addObserver([this] { touched(); });
    m_sources.boards.addListener(this);
    // Never currentOrNewHidden(): that would create a hidden board.
    if (m_sources.boards.isShown())
        boardShown(*m_sources.boards.current(), m_sources.boards.screenIndex());
}

BoardFeed::~BoardFeed()
{
    m_sources.boards.removeListener(this);
    m_sources.competitors.removeObserver(m_competitorsObserver);
    detachBoard();
    for (const auto& [e, id] : m_consoleObservers)
        e->removeObserver(id);
}

void BoardFeed::boardShown(Kubord2& board, int)
{
    detachBoard();
    m_shown = &board;
    // The opening reads the scales once; later edits wait for the next one.
    const MatchState& s = m_sources.state;
    m_openedWith = {s.hsch.text(), s.vsch.text(), s.fsch.text()};
    for (Element* e : board.elements()) {
        const int id = e->addObserver([this](const Element&, Property) { touched(); });
        m_boardObservers.emplace_back(e, id);
    }
    touched();
}

void BoardFeed::boardClosing(Kubord2& board)
{
    if (&board == m_shown)
        detachBoard();
    touched();
}

void BoardFeed::detachBoard()
{
    for (const auto& [e, id] : m_boardObservers)
        e->removeObserver(id);
    m_boardObservers.clear();
    m_shown = nullptr;
}

// Inside a console handler: only note it. The work happens after the
// handler, once for the whole turn.
void BoardFeed::touched()
{
    m_cache.clear();
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(this, &BoardFeed::flush, Qt::QueuedConnection);
}

void BoardFeed::flush()
{
    m_pending = false;
    Q_EMIT changed();
}

QByteArray BoardFeed::state(int w, int h)
{
    const bool pixels = w > 0 && h > 0;
    if (!pixels)
        w = h = 0;
    const quint64 k = FeedSizeKey::of(w, h);
    const auto it = m_cache.constFind(k);
    if (it != m_cache.constEnd())
        return *it;
    Kubord2 board;
    board.setTextMeasure(&m_measure);
    FeedBoard::build(m_sources.state, m_shown, m_openedWith, w, h, board);
    // The whole names, cut anew for this size.
    board.setCompetitors(m_sources.competitors.aka(), m_sources.competitors.shiro());
    const QByteArray json = BoardJson::toJson(board, pixels, w, h, m_shown != nullptr);
    if (m_cache.size() >= kCacheSizes)
        m_cache.clear();
    m_cache.insert(k, json);
    return json;
}

} // namespace kestrane
