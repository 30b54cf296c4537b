#include "feed/FeedHosts.h"

#include <QHostInfo>
#include <QNetworkInterface>

namespace kestrane {

namespace {

// An address as the set holds it: no scope, IPv4 as IPv4, IPv6 bare.
QString addressName(QHostAddress a)
{
    a.setScopeId(QString());
    bool v4 = false;
    const quint32 ip4 = a.toIPv4Address(&v4);
    return v4 ? QHostAddress(ip4).toString() : a.toString().toLower();
}

bool isLoopbackBind(const QHostAddress& a)
{
    return a.isLoopback();
}

} // namespace

FeedHosts::FeedHosts(const QHostAddress& bind, quint16 port) : m_bind(bind), m_port(port)
{
    refresh();
}

void FeedHosts::refresh()
{
    m_names = {QStringLiteral("localhost"), QStringLiteral("127.0.0.1"), QStringLiteral("::1")};
    m_pages.clear();
    const bool anyV4 = m_bind == QHostAddress(QHostAddress::AnyIPv4);
    const bool any =
        m_bind == QHostAddress(QHostAddress::AnyIPv6) || m_bind == QHostAddress(QHostAddress::Any);
    if (!isLoopbackBind(m_bind)) {
        for (const QHostAddress& a : QNetworkInterface::allAddresses())
            m_names.insert(addressName(a));
        const QString host = QHostInfo::localHostName().toLower();
        if (!host.isEmpty()) {
            m_names.insert(host);
            m_names.insert(host + QStringLiteral(".local"));
            const QString domain = QHostInfo::localDomainName().toLower();
            if (!domain.isEmpty())
                m_names.insert(host + QLatin1Char('.') + domain);
        }
        m_names.insert(addressName(m_bind));
        m_names.remove(QStringLiteral("0.0.0.0"));
        m_names.remove(QStringLiteral("::"));
        // Real addresses only: never the "any" address nobody can browse to.
        for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
            const auto up = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
            if ((i.flags() & up) != up || (i.flags() & QNetworkInterface::IsLoopBack))
                continue;
            for (const QNetworkAddressEntry& e : i.addressEntries()) {
                const QHostAddress a = e.ip();
                const bool v4 = a.protocol() == QAbstractSocket::IPv4Protocol;
                if ((!any && !anyV4 && a != m_bind) || (anyV4 && !v4) || a.isLinkLocal())
                    continue;
                const QString n = addressName(a);
                m_pages << (v4 ? n : QLatin1Char('[') + n + QLatin1Char(']'));
            }
        }
    }
    if (m_pages.isEmpty())
        m_pages << (m_bind.protocol() == QAbstractSocket::IPv6Protocol && m_bind.isLoopback()
                        ? QStringLiteral("[::1]")
                        : QStringLiteral("127.0.0.1"));
}

QString FeedHosts::hostPart(const QByteArray& host) const
{
    QByteArray name = host;
    QByteArray portText;
    if (name.startsWith('[')) {
        const qsizetype close = name.indexOf(']');
        if (close < 0)
            return {};
        portText = name.mid(close + 1);
        name = name.mid(1, close - 1);
        if (!portText.isEmpty() && !portText.startsWith(':'))
            return {};
        portText = portText.mid(1);
        if (name.contains('%')) // a scope is not part of a Host
            return {};
    } else if (const qsizetype colon = name.indexOf(':'); colon >= 0) {
        portText = name.mid(colon + 1);
        name = name.left(colon);
        if (portText.contains(':'))
            return {};
    } else {
        portText = "80";
    }
    bool ok = false;
    const uint port = portText.toUInt(&ok);
    if (!ok || port != m_port || portText.startsWith('+') || portText.startsWith('0'))
        return {};
    if (name.endsWith('.'))
        name.chop(1);
    if (name.isEmpty())
        return {};
    const QHostAddress a(QString::fromLatin1(name));
    return a.isNull() ? QString::fromLatin1(name).toLower() : addressName(a);
}

bool FeedHosts::acceptsHost(const QByteArray& host) const
{
    const QString name = hostPart(host);
    return !name.isEmpty() && m_names.contains(name);
}

bool FeedHosts::acceptsOrigin(const QByteArray& origin, const QByteArray& host) const
{
    if (origin.isEmpty())
        return true;
    // Only "http://" + authority: "null", other schemes and paths are foreign.
    if (!origin.toLower().startsWith("http://"))
        return false;
    QByteArray authority = origin.mid(7);
    if (authority.endsWith('/'))
        authority.chop(1);
    if (authority.contains('/') || authority.contains('@'))
        return false;
    const auto withPort = [](QByteArray a) {
        a = a.toLower();
        const qsizetype close = a.lastIndexOf(']');
        return a.indexOf(':', close < 0 ? 0 : close) < 0 ? a + ":80" : a;
    };
    return acceptsHost(authority) && withPort(authority) == withPort(host);
}

QStringList FeedHosts::names() const
{
    QStringList out(m_names.cbegin(), m_names.cend());
    out.sort();
    return out;
}

QStringList FeedHosts::pageAddresses() const
{
    QStringList out;
    for (const QString& h : m_pages)
        out << (m_port == 80 ? QStringLiteral("http://%1/").arg(h)
                             : QStringLiteral("http://%1:%2/").arg(h).arg(m_port));
    return out;
}

} // namespace kestrane
