#include "InstanceGuard.h"

#include "core/ProgramFiles.h"

#include <QCoreApplication>
#include <QList>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kestrane {

InstanceGuard::InstanceGuard(const QString& folder, Locker lock)
    : m_path(ProgramFiles(folder).instanceLock())
{
    m_fd = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return;
    if (lock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_state = takeOver() ? State::Acquired : State::Unguarded;
        return;
    }
    if (errno == EWOULDBLOCK) {
        // Held: its owner runs (the system drops the lock of a process that
        // ended).
        m_state = State::AlreadyRunning;
        return;
    }
    // No locking here (some shares): the content decides.
    QByteArray content(256, '\0');
    const ssize_t n = ::pread(m_fd, content.data(), static_cast<size_t>(content.size()), 0);
    content.truncate(n > 0 ? n : 0);
    if (ownerRuns(content, ProgramFiles::hostTag()))
        m_state = State::AlreadyRunning;
    else
        m_state = takeOver() ? State::Acquired : State::Unguarded;
}

InstanceGuard::~InstanceGuard()
{
    if (m_fd < 0)
        return;
    // Emptied rather than deleted: another start may have the file open.
    if (m_state == State::Acquired && ::ftruncate(m_fd, 0) != 0) {
        // Nothing to do: a lock naming this process is stale once it ends.
    }
    ::close(m_fd);
}

bool InstanceGuard::takeOver()
{
    const QByteArray content = QByteArray::number(static_cast<qint64>(::getpid())) + ' ' +
                               ProgramFiles::hostTag().toUtf8() + '\n';
    return ::ftruncate(m_fd, 0) == 0 &&
           ::pwrite(m_fd, content.constData(), static_cast<size_t>(content.size()), 0) ==
               content.size();
}

bool InstanceGuard::ownerRuns(const QByteArray& content, const QString& host)
{
    const QList<QByteArray> fields = content.simplified().split(' ');
    if (fields.size() != 2 || QString::fromUtf8(fields[1]) != host)
        return false;
    bool ok = false;
    const qint64 pid = fields[0].toLongLong(&ok);
    if (!ok || pid <= 0 || pid > 0x7fffffff || pid == ::getpid())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace kestrane
