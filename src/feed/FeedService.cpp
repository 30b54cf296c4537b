#include "feed/FeedService.h"

#include "feed/BoardFeed.h"
#include "feed/FeedAddress.h"
#include "feed/FeedHttpServer.h"
#include "feed/FeedTcpServer.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace kestrane {

namespace {
void print(FILE* to, const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), to);
    std::fflush(to);
}
} // namespace

FeedService::~FeedService()
{
    // The server's WebSockets and sockets go before the board observer.
    m_http.reset();
    m_feed.reset();
}

quint16 FeedService::port() const
{
    return m_tcp->serverPort();
}

std::unique_ptr<FeedService> FeedService::start(Kumite2& console, const QString& address)
{
    QString error;
    const std::optional<FeedAddress> where = FeedAddress::parse(address, &error);
    if (!where) {
        print(stderr, error + QStringLiteral("; the board feed is not started."));
        return nullptr;
    }
    // Every connection is a file descriptor: make room for the limit.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < 4096) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, 4096);
        setrlimit(RLIMIT_NOFILE, &files);
    }
    std::unique_ptr<FeedService> s(new FeedService);
    s->m_feed = std::make_unique<BoardFeed>(console);
    s->m_http = std::make_unique<FeedHttpServer>(*s->m_feed);
    s->m_tcp = new FeedTcpServer(s->m_http.get());
    if (!s->m_tcp->listen(where->host, where->port)) {
        print(stderr,
              QStringLiteral("Cannot serve the board on %1: %2. The board feed is not "
                             "started; Kestrane runs without it.")
                  .arg(FeedAddress::format(where->host, where->port), s->m_tcp->errorString()));
        return nullptr;
    }
    s->m_http->bind(s->m_tcp);
    s->m_address = FeedAddress::format(where->host, s->m_tcp->serverPort());
    print(stdout, QStringLiteral("Board feed: http://%1/ (stream overlay: http://%1/overlay)")
                      .arg(s->m_address));
    return s;
}

} // namespace kestrane
