#include "core/DurableWriter.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kestrane {

namespace {

bool syncFolderOf(const QByteArray& file)
{
    const QByteArray folder = QFileInfo(QString::fromLocal8Bit(file)).absolutePath().toLocal8Bit();
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems (vfat on a stick among them) cannot sync a folder;
    // the rename itself is then as durable as they allow.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

} // namespace

DurableWriter::DurableWriter(QString path) : m_path(std::move(path))
{
    m_thread = std::thread([this] { run(); });
}

DurableWriter::~DurableWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void DurableWriter::write(Producer producer)
{
    {
        std::lock_guard lock(m_mutex);
        m_op = Op::Write;
        m_producer = std::move(producer);
    }
    m_wake.notify_one();
}

void DurableWriter::remove()
{
    {
        std::lock_guard lock(m_mutex);
        m_op = Op::Remove;
        m_producer = nullptr;
    }
    m_wake.notify_one();
}

void DurableWriter::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_op == Op::None && !m_busy; });
}

void DurableWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_op != Op::None; });
        if (m_op == Op::None && m_stop)
            return;
        const Op op = m_op;
        Producer producer = std::move(m_producer);
        m_op = Op::None;
        m_producer = nullptr;
        m_busy = true;
        lock.unlock();
        bool ok = true;
        if (op == Op::Write) {
            ok = writeDurably(m_path, producer());
            if (ok)
                ++m_writes;
        } else {
            ok = removeDurably(m_path);
        }
        m_healthy = ok;
        lock.lock();
        m_busy = false;
        if (m_op == Op::None)
            m_idle.notify_all();
    }
}

bool DurableWriter::writeDurably(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = path.toLocal8Bit();
    const QByteArray temporary = target + ".part";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    bool ok = true;
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok) {
            data += n;
            left -= n;
        }
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temporary.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        return false;
    }
    return syncFolderOf(target);
}

bool DurableWriter::removeDurably(const QString& path)
{
    const QByteArray target = path.toLocal8Bit();
    if (::unlink(target.constData()) != 0 && errno != ENOENT)
        return false;
    return syncFolderOf(target);
}

} // namespace kestrane
