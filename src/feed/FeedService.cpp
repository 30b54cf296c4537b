#include "feed/FeedService.h"

#include "feed/BoardFeed.h"
#include "feed/FeedAddress.h"
#include "feed/FeedHosts.h"
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
    // The server's clients go before the sockets, the sockets before the
    // board observer.
    m_http.reset();
    m_tcp.reset();
    m_feed.reset();
}

quint16 FeedService::port() const
{
    return m_tcp->serverPort();
}

QStringList FeedService::pageAddresses() const
{
    return m_http->hosts().pageAddresses();
}

void FeedService::setResultsProvider(std::function<QByteArray()> provider)
{
    m_http->setResultsProvider(std::move(provider));
}

void FeedService::setServeResults(bool on)
{
    m_http->setServeResults(on);
}

std::unique_ptr<FeedService> FeedService::start(const FeedSources& sources, const QString& address,
                                                QString* error)
{
    QString why;
    const std::optional<FeedAddress> where = FeedAddress::parse(address, &why);
    if (!where) {
        print(stderr, why + QStringLiteral("; the board feed is not started."));
        if (error)
            *error = why;
        return nullptr;
    }
    // Every connection is a file descriptor: make room for the limit.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < 4096) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, 4096);
        setrlimit(RLIMIT_NOFILE, &files);
    }
    std::unique_ptr<FeedService> s(new FeedService);
    s->m_tcp = std::make_unique<FeedTcpServer>();
    if (!s->m_tcp->listen(where->host, where->port)) {
        const QString text = s->m_tcp->errorString();
        print(stderr, QStringLiteral("Cannot serve the board on %1: %2. The board feed is not "
                                     "started; Kestrane runs without it.")
                          .arg(FeedAddress::format(where->host, where->port), text));
        if (error)
            *error = text;
        return nullptr;
    }
    s->m_feed = std::make_unique<BoardFeed>(sources);
    s->m_http = std::make_unique<FeedHttpServer>(*s->m_feed, *s->m_tcp,
                                                 FeedHosts(where->host, s->m_tcp->serverPort()));
    s->m_address = FeedAddress::format(where->host, s->m_tcp->serverPort());
    for (const QString& page : s->pageAddresses())
        print(stdout, QStringLiteral("Board feed: %1 (stream overlay: %1overlay)").arg(page));
    return s;
}

} // namespace kestrane
