#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QSet>
#include <QStringList>

namespace kestrane {

// The names under which browsers may reach the feed, so that no other web
// site can read it or use up its connections (a page elsewhere that points
// one of its own names at this PC still sends its own name as Host, and its
// own origin on a WebSocket).
//
// Bound to loopback: localhost, 127.0.0.1 and [::1]. Bound wider: also every
// address of this PC, its host name, that name with ".local", and its full
// domain name where it has one. Each with the feed's port, or with none when
// the port is 80.
class FeedHosts {
public:
    FeedHosts(const QHostAddress& bind, quint16 port);

    // A Host header value ("127.0.0.1:8080", "[::1]:8080", "pc.local:8080").
    bool acceptsHost(const QByteArray& host) const;
    // No Origin, or one whose host is an accepted Host and the same as this
    // request's Host.
    bool acceptsOrigin(const QByteArray& origin, const QByteArray& host) const;
    // Re-reads this PC's names and addresses (an address may come later).
    void refresh();

    // Host names and addresses accepted, without the port.
    QStringList names() const;
    // The page's address for each of this PC's real network addresses the
    // feed listens on ("http://192.168.1.20:8080/"); loopback when it listens
    // on nothing else.
    QStringList pageAddresses() const;

    quint16 port() const { return m_port; }
    void setPort(quint16 port) { m_port = port; }

private:
    // The host part of a Host value in the form the set holds, or empty when
    // the port does not match.
    QString hostPart(const QByteArray& host) const;

    QHostAddress m_bind;
    quint16 m_port;
    QSet<QString> m_names;
    QStringList m_pages;
};

} // namespace kestrane
