#pragma once

#include <QString>

namespace kestrane {

// The operator's choice for the live feed, kept across restarts in a file of
// its own beside the settings (ProgramFiles::feedChoice()): whether it runs,
// on this PC only or on the hall network, its port, and whether it serves
// the results.
struct FeedChoice {
    bool on = false;
    bool hall = false;
    quint16 port = 8080;
    bool serveResults = false;

    // "127.0.0.1:8080" or "0.0.0.0:8080".
    QString address() const;
    // Defaults where the file is missing or a line is not one.
    static FeedChoice load(const QString& path);
    // False when the file cannot be written.
    bool save(const QString& path) const;
    bool operator==(const FeedChoice&) const = default;
};

} // namespace kestrane
