#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kestrane {

// Keeps one file on disk from a thread of its own, so that a slow disk (a
// USB stick can block for tens of milliseconds) never holds up the caller.
// Each write replaces the file atomically and durably: the bytes go to a
// temporary file beside it, are flushed to the disk, and only then renamed
// over the old one, so a crash or a power cut leaves either the old file or
// the new one, never a torn one.
//
// Requests coalesce: only the latest waiting request runs, so a burst of
// posts while a write is under way costs one more write, not one per post.
class DurableWriter {
public:
    // Produces the file's bytes; runs on the writing thread.
    using Producer = std::function<QByteArray()>;

    explicit DurableWriter(QString path);
    // Carries out the request still waiting, then stops.
    ~DurableWriter();
    DurableWriter(const DurableWriter&) = delete;
    DurableWriter& operator=(const DurableWriter&) = delete;

    QString path() const { return m_path; }

    // Replaces whatever request waits with this one.
    void write(Producer producer);
    void remove();
    // Returns once every request posted so far is carried out.
    void flush();

    // Files written so far (for tests and benchmarks).
    int writes() const { return m_writes.load(); }
    // False after a write failed, until one succeeds.
    bool healthy() const { return m_healthy.load(); }

    // The write itself, on the calling thread: true when the file holds the
    // bytes durably.
    static bool writeDurably(const QString& path, const QByteArray& bytes);
    static bool removeDurably(const QString& path);

private:
    enum class Op { None, Write, Remove };
    void run();

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    Op m_op = Op::None;
    Producer m_producer;
    bool m_busy = false;
    bool m_stop = false;
    std::atomic<int> m_writes{0};
    std::atomic<bool> m_healthy{true};
    std::thread m_thread;
};

} // namespace kestrane
