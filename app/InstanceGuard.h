#pragma once

#include <QByteArray>
#include <QString>

#include <sys/file.h>

namespace kestrane {

// One running program per PC and program folder: two copies would write the
// same files and open boards on the same screen. The lock is a file beside
// the settings whose name carries the host name (a folder on a share or a
// stick may be used by several PCs) and which the owner holds with flock():
// the system lets go of it the moment its owner ends, however it ends, so a
// crash or a power cut leaves nothing that blocks the next start. Where the
// file system cannot lock, the file's content decides: a lock that is
// empty, names another host, or names a process that no longer runs is
// taken over.
class InstanceGuard {
public:
    enum class State {
        Acquired,       // this is the only program in the folder
        AlreadyRunning, // another program holds the folder
        Unguarded,      // no lock could be made (e.g. a read-only folder)
    };

    // The call that locks the open file, as flock(2); a test stands in a
    // file system that cannot lock.
    using Locker = int (*)(int fd, int operation);

    explicit InstanceGuard(const QString& folder, Locker lock = &::flock);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    State state() const { return m_state; }
    QString lockPath() const { return m_path; }

    // What a lock file says: "pid host". True when it names a process of
    // this host that still runs.
    static bool ownerRuns(const QByteArray& content, const QString& host);

private:
    bool takeOver();

    QString m_path;
    int m_fd = -1;
    State m_state = State::Unguarded;
};

} // namespace kestrane
