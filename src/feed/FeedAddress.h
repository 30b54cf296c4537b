#pragma once

#include <QHostAddress>
#include <QString>

#include <optional>

namespace kestrane {

// Where the feed listens, from "[ADDRESS:]PORT": "8080" is 127.0.0.1:8080
// (this PC only), "0.0.0.0:8080" every IPv4 network, "[::]:8080" every
// network. Port 0 takes any free port.
struct FeedAddress {
    QHostAddress host;
    quint16 port = 0;

    // nullopt and a message for the operator when the text is not one.
    static std::optional<FeedAddress> parse(const QString& text, QString* error);
    // "127.0.0.1:8080", "[::]:8080".
    static QString format(const QHostAddress& host, quint16 port);
};

} // namespace kestrane
