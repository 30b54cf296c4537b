#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

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

    // The parts of an accepted head; header names in lower case.
    struct Head {
        QByteArray target;
        QList<QPair<QByteArray, QByteArray>> headers;
        // The value of the first header of that name, and how many there are.
        QByteArray value(const QByteArray& name) const;
        int count(const QByteArray& name) const;
    };

    // `bytes` is everything received so far on a fresh connection; `head`
    // receives the parts when the verdict is Accept.
    static Verdict check(const QByteArray& bytes, Head* head = nullptr);
    static int status(Verdict v);
    // The route part of a request target ("/state?w=1" gives "/state").
    static QByteArray route(const QByteArray& target);
};

} // namespace kestrane
