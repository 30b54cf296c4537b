#include "feed/FeedRoutes.h"

namespace kestrane {

namespace {
constexpr FeedRoutes::File kFiles[] = {
    {"/", ":/feed/board.html", "text/html; charset=utf-8"},
    {"/overlay", ":/feed/overlay.html", "text/html; charset=utf-8"},
    {"/feed.js", ":/feed/feed.js", "text/javascript; charset=utf-8"},
    {"/board.js", ":/feed/board.js", "text/javascript; charset=utf-8"},
    {"/overlay.js", ":/feed/overlay.js", "text/javascript; charset=utf-8"},
    {"/feed.css", ":/feed/feed.css", "text/css; charset=utf-8"},
};
} // namespace

const FeedRoutes::File* FeedRoutes::file(const QByteArray& route)
{
    for (const File& f : kFiles) {
        if (route == f.route)
            return &f;
    }
    return nullptr;
}

bool FeedRoutes::isRoute(const QByteArray& route)
{
    return file(route) || route == kState || route == kResults || route == kLive;
}

} // namespace kestrane
