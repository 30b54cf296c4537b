#pragma once

#include <QLockFile>
#include <QString>

namespace kestrane {

// One running program per program folder: two copies would write the same
// kumite.ini and open boards on the same screen. The lock is a file beside
// the settings that names its owner's process; a run that crashed leaves a
// file whose process is gone, and the next start takes it over.
class InstanceGuard {
public:
    enum class State {
        Acquired,       // this is the only program in the folder
        AlreadyRunning, // another program holds the folder
        Unguarded,      // no lock could be made (e.g. a read-only folder)
    };

    explicit InstanceGuard(const QString& folder);
    State state() const { return m_state; }
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
    State m_state;
};

} // namespace kestrane
