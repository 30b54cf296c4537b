#pragma once

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace kestrane {

// How a second start reaches the program already running in the same folder
// on this PC: a local socket named after the host and the folder. The
// running program listens; a second start sends one line, "raise", and the
// running program brings its console to the front and answers how it did.
class InstanceChannel final : public QObject {
    Q_OBJECT
public:
    // What the running program could do with its console: raised (or
    // marked urgent where the window manager refuses to raise it), or
    // refused by the desktop (Wayland).
    enum class Raised { Raised, Refused };

    explicit InstanceChannel(const QString& folder, QObject* parent = nullptr);
    QString name() const { return m_name; }

    // The running program: answers every "raise" with what `raise` did.
    bool listen(std::function<Raised()> raise);

    // A second start: asks the running program to raise its console.
    // Nothing when it cannot be reached within the time given.
    std::optional<Raised> askToRaise(int timeoutMs = 3000) const;

    static QString nameFor(const QString& folder);

private:
    void serve(QLocalSocket* socket);

    QString m_name;
    QLocalServer m_server;
    std::function<Raised()> m_raise;
};

} // namespace kestrane
