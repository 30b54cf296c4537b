#pragma once

#include <QByteArray>

namespace kestrane {

// The feed's routes, the one list both the head check and the server read:
// the compiled-in files by route, and the routes answered by the program.
class FeedRoutes {
public:
    struct File {
        const char* route;
        const char* resource;
        const char* type;
    };
    static constexpr const char* kState = "/state";
    static constexpr const char* kResults = "/results";
    static constexpr const char* kLive = "/live";

    // The file served at `route`, or nullptr.
    static const File* file(const QByteArray& route);
    static bool isRoute(const QByteArray& route);
};

} // namespace kestrane
