#pragma once

#include "feed/FeedSources.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

namespace kestrane {

class BoardFeed;
class FeedHttpServer;
class FeedTcpServer;

// The live, read-only board feed as a whole: the board observer, the
// HTTP/WebSocket server and its listening socket with their limits.
class FeedService final : public QObject {
    Q_OBJECT
public:
    ~FeedService() override;

    // Starts the feed and prints its addresses on standard output; nullptr
    // and a message on standard error (and in `error`) when it cannot, and
    // the console runs on without it.
    static std::unique_ptr<FeedService> start(const FeedSources& sources, const QString& address,
                                              QString* error = nullptr);

    // Where it listens ("127.0.0.1:8080").
    QString address() const { return m_address; }
    quint16 port() const;
    // The board page at each of this PC's real addresses it listens on.
    QStringList pageAddresses() const;
    FeedHttpServer& http() { return *m_http; }
    FeedTcpServer& tcp() { return *m_tcp; }
    BoardFeed& board() { return *m_feed; }

    // "/results": the provider's bytes while `on`; 404 otherwise.
    void setResultsProvider(std::function<QByteArray()> provider);
    void setServeResults(bool on);

private:
    FeedService() = default;

    std::unique_ptr<BoardFeed> m_feed;
    std::unique_ptr<FeedTcpServer> m_tcp;
    std::unique_ptr<FeedHttpServer> m_http;
    QString m_address;
};

} // namespace kestrane
