#pragma once

#include <QByteArray>

namespace kestrane {

// Checks an HTTP request head before the HTTP server ever sees it: the feed
// answers only small GET requests without a body for its own routes. Every
// other request is answered (and the connection closed) right here.
class RequestHead {
public:
    static constexpr qsizetype kMaxSize = 8192;
    static constexpr int kMaxHeaders = 48;

    enum class Verdict {
        Incomplete, // wait for more bytes
        Accept,
        BadRequest,       // 400
        NotFound,         // 404
        MethodNotAllowed, // 405
        TooLarge,         // 431
    };

    // `bytes` is everything received so far on a fresh connection.
    static Verdict check(const QByteArray& bytes);
    static int status(Verdict v);
    // The route part of a request target ("/state?w=1" gives "/state").
    static QByteArray route(const QByteArray& target);
    static bool isRoute(const QByteArray& route);
};

} // namespace kestrane
