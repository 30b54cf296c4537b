#include "InstanceGuard.h"

#include <QDir>

namespace kestrane {

InstanceGuard::InstanceGuard(const QString& folder)
    : m_path(QDir(folder).filePath(QStringLiteral("kestrane.lock"))), m_lock(m_path),
      m_state(State::Unguarded)
{
    // Only a vanished owner makes a lock stale, never its age: a match may
    // run for hours (on file systems without flock Qt judges by age alone).
    m_lock.setStaleLockTime(0);
    if (m_lock.tryLock(0))
        m_state = State::Acquired;
    else if (m_lock.error() == QLockFile::LockFailedError)
        m_state = State::AlreadyRunning;
}

} // namespace kestrane
