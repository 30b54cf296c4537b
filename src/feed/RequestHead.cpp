#include "feed/RequestHead.h"

#include "feed/FeedRoutes.h"

#include <QList>

namespace kestrane {

namespace {

bool isToken(const QByteArray& s)
{
    if (s.isEmpty())
        return false;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 32 || u >= 127 || c == ':')
            return false;
    }
    return true;
}

} // namespace

QByteArray RequestHead::route(const QByteArray& target)
{
    const qsizetype q = target.indexOf('?');
    return q < 0 ? target : target.left(q);
}

QByteArray RequestHead::Head::value(const QByteArray& name) const
{
    for (const auto& [n, v] : headers) {
        if (n == name)
            return v;
    }
    return {};
}

int RequestHead::Head::count(const QByteArray& name) const
{
    int n = 0;
    for (const auto& h : headers)
        n += h.first == name;
    return n;
}

RequestHead::Verdict RequestHead::check(const QByteArray& bytes, Head* head)
{
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0)
        return bytes.size() > kMaxSize ? Verdict::TooLarge : Verdict::Incomplete;
    if (end + 4 > kMaxSize)
        return Verdict::TooLarge;
    // A GET has no body, and nothing may follow its head: one request a
    // connection.
    if (end + 4 != bytes.size())
        return Verdict::BadRequest;

    const QList<QByteArray> lines = bytes.left(end).split('\n');
    if (lines.size() - 1 > kMaxHeaders)
        return Verdict::TooLarge;
    for (const QByteArray& line : lines) {
        if (!line.endsWith('\r') && &line != &lines.last())
            return Verdict::BadRequest;
    }
    const QList<QByteArray> request = lines.first().trimmed().split(' ');
    if (request.size() != 3 || !isToken(request[0]) || !request[2].startsWith("HTTP/1."))
        return Verdict::BadRequest;
    QList<QPair<QByteArray, QByteArray>> headers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !isToken(line.left(colon)))
            return Verdict::BadRequest;
        const QByteArray name = line.left(colon).toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "transfer-encoding" || (name == "content-length" && value != "0"))
            return Verdict::BadRequest;
        for (const char c : line) {
            if (static_cast<unsigned char>(c) < 32 && c != '\t')
                return Verdict::BadRequest;
        }
        headers.append({name, value});
    }
    if (request[0] != "GET")
        return Verdict::MethodNotAllowed;
    const QByteArray& target = request[1];
    if (!target.startsWith('/'))
        return Verdict::BadRequest;
    if (!FeedRoutes::isRoute(route(target)))
        return Verdict::NotFound;
    if (head)
        *head = Head{target, headers};
    return Verdict::Accept;
}

int RequestHead::status(Verdict v)
{
    switch (v) {
    case Verdict::BadRequest:
        return 400;
    case Verdict::NotFound:
        return 404;
    case Verdict::MethodNotAllowed:
        return 405;
    case Verdict::TooLarge:
        return 431;
    case Verdict::Incomplete:
    case Verdict::Accept:
        break;
    }
    return 200;
}

} // namespace kestrane
