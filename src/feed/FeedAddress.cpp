#include "feed/FeedAddress.h"

namespace kestrane {

std::optional<FeedAddress> FeedAddress::parse(const QString& text, QString* error)
{
    auto fail = [&](const QString& why) -> std::optional<FeedAddress> {
        if (error)
            *error = QStringLiteral("--serve-board %1: %2").arg(text, why);
        return std::nullopt;
    };
    QString hostText;
    QString portText = text;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QStringLiteral("]:"));
        if (close < 0)
            return fail(QStringLiteral("expected [IPv6 address]:PORT"));
        hostText = text.mid(1, close - 1);
        portText = text.mid(close + 2);
    } else if (const qsizetype colon = text.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        hostText = text.left(colon);
        portText = text.mid(colon + 1);
        if (hostText.contains(QLatin1Char(':')))
            return fail(QStringLiteral("write an IPv6 address in brackets, as [::]:8080"));
    }
    bool ok = false;
    const uint port = portText.toUInt(&ok);
    if (!ok || port > 65535 || portText.isEmpty() || !portText.front().isDigit())
        return fail(QStringLiteral("the port must be a number from 0 to 65535"));
    FeedAddress a;
    a.port = static_cast<quint16>(port);
    a.host = hostText.isEmpty() ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(hostText);
    // Only the four-part IPv4 form: "1.2.3" is not taken as 1.2.0.3.
    const bool v4 = a.host.protocol() == QAbstractSocket::IPv4Protocol;
    if (a.host.isNull() || (v4 && !hostText.isEmpty() && hostText.count(QLatin1Char('.')) != 3))
        return fail(QStringLiteral("\"%1\" is not an IP address").arg(hostText));
    return a;
}

QString FeedAddress::format(const QHostAddress& host, quint16 port)
{
    if (host.protocol() == QAbstractSocket::IPv6Protocol)
        return QStringLiteral("[%1]:%2").arg(host.toString()).arg(port);
    return QStringLiteral("%1:%2").arg(host.toString()).arg(port);
}

} // namespace kestrane
