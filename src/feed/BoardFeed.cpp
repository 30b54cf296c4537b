#include "feed/BoardFeed.h"

#include "console/Kumite2.h"
#include "feed/BoardJson.h"

#include <QMetaObject>

namespace kestrane {

namespace {
// Distinct window sizes kept between changes (each a few kilobytes).
constexpr qsizetype kCacheSizes = 64;
} // namespace

BoardFeed::BoardFeed(Kumite2& console, QObject* parent) : QObject(parent), m_console(console)
{
    for (Element* e : console.state.elements()) {
        const int id = e->addObserver([this](const Element&, Property) { touched(); });
        m_consoleObservers.emplace_back(e, id);
    }
    m_competitorsObserver = console.competitors.addObserver([this] { touched(); });
    console.boards.addListener(this);
    // Never console.boards.board(): that would create a hidden board.
    if (console.boards.isShown())
        boardShown(*console.boards.current(), console.boards.screenIndex());
}

BoardFeed::~BoardFeed()
{
    m_console.boards.removeListener(this);
    m_console.competitors.removeObserver(m_competitorsObserver);
    detachBoard();
    for (const auto& [e, id] : m_consoleObservers)
        e->removeObserver(id);
}

void BoardFeed::boardShown(Kubord2& board, int)
{
    detachBoard();
    m_shown = &board;
    // The opening reads the scales once; later edits wait for the next one.
    const MatchState& s = m_console.state;
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
    FeedBoard::build(m_console.state, m_shown, m_openedWith, w, h, board);
    // The whole names, cut anew for this size.
    board.setCompetitors(m_console.competitors.aka(), m_console.competitors.shiro());
    const QByteArray json = BoardJson::toJson(board, pixels, w, h, m_shown != nullptr);
    if (m_cache.size() >= kCacheSizes)
        m_cache.clear();
    m_cache.insert(k, json);
    return json;
}

} // namespace kestrane
