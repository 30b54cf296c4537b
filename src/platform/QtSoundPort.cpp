#include "platform/QtSoundPort.h"

#include "core/Element.h"

#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QPromise>
#include <QThreadPool>

namespace kestrane {

namespace {

// WAV files for a sound signal are small; a larger "sound" is not read.
constexpr qint64 kMaxFileSize = 64 << 20;

std::optional<WavFile> readWav(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return std::nullopt;
    return WavFile::parse(file.readAll());
}

} // namespace

QtSoundPort::QtSoundPort(QString programDir) : m_programDir(std::move(programDir))
{
    m_feeder.setInterval(20);
    QObject::connect(&m_feeder, &QTimer::timeout, &m_feeder, [this] { feed(); });
}

QtSoundPort::~QtSoundPort() = default;

std::optional<QFileInfo> QtSoundPort::locate(const QString& path) const
{
    if (path.isEmpty())
        return std::nullopt;
    // A desktop launcher starts the program in the home folder: a relative
    // path means the program's folder, where the settings file is too.
    const QFileInfo file(QDir(m_programDir), path);
    if (!file.isFile())
        return std::nullopt;
    return file;
}

void QtSoundPort::ensureRead(Slot& slot, const QFileInfo& file)
{
    const QString absolute = file.absoluteFilePath();
    const QDateTime modified = file.lastModified();
    const qint64 size = file.size();
    const bool same = slot.file == absolute && slot.modified == modified && slot.size == size;
    if (same && (slot.wav || slot.reading))
        return;
    slot.file = absolute;
    slot.modified = modified;
    slot.size = size;
    read(slot);
}

void QtSoundPort::read(Slot& slot)
{
    slot.wav.reset();
    slot.sink.reset();
    slot.out = nullptr;
    // A reading still under way is dropped with its watcher; its result
    // goes nowhere.
    slot.reading = std::make_unique<QFutureWatcher<std::optional<WavFile>>>();
    auto* watcher = slot.reading.get();
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [this, &slot, watcher] {
        std::optional<WavFile> wav = watcher->result();
        slot.reading.release()->deleteLater();
        slot.wav = std::move(wav);
        // Ready now, so that the first request costs no more than the next.
        if (slot.wav)
            slot.sink =
                std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), slot.wav->format);
        if (slot.playWhenRead)
            start(slot);
    });
    auto promise = std::make_shared<QPromise<std::optional<WavFile>>>();
    watcher->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, path = slot.file] {
        promise->start();
        promise->addResult(readWav(path));
        promise->finish();
    });
}

void QtSoundPort::start(Slot& slot)
{
    slot.playWhenRead = false;
    if (!slot.wav)
        return;
    // The whole sound at once: the server starts it as soon as it has it.
    slot.sink->setBufferSize(slot.wav->samples.size());
    slot.out = slot.sink->start();
    slot.written = 0;
    feed();
}

void QtSoundPort::feed()
{
    bool more = false;
    for (Slot& slot : m_slots) {
        if (!slot.out || !slot.wav || slot.written >= slot.wav->samples.size())
            continue;
        const QByteArray& samples = slot.wav->samples;
        const qint64 n =
            slot.out->write(samples.constData() + slot.written, samples.size() - slot.written);
        if (n > 0)
            slot.written += n;
        more = more || slot.written < samples.size();
    }
    if (more)
        m_feeder.start();
    else
        m_feeder.stop();
}

void QtSoundPort::stopAll()
{
    for (Slot& slot : m_slots) {
        slot.playWhenRead = false;
        if (slot.sink)
            slot.sink->stop();
        slot.out = nullptr;
    }
}

void QtSoundPort::play(Sound sound, const QString& path)
{
    stopAll();
    const std::optional<QFileInfo> file = locate(path);
    if (!file)
        return;
    Slot& slot = m_slots[static_cast<std::size_t>(sound)];
    ensureRead(slot, *file);
    if (slot.reading)
        slot.playWhenRead = true; // sounds as soon as it is read
    else
        start(slot);
}

void QtSoundPort::prepare(Sound sound, const QString& path)
{
    if (const std::optional<QFileInfo> file = locate(path))
        ensureRead(m_slots[static_cast<std::size_t>(sound)], *file);
}

void QtSoundPort::follow(Sound sound, Element& box)
{
    box.addObserver([this, sound](const Element& e, Property p) {
        if (p == Property::Caption)
            prepare(sound, e.text());
    });
    prepare(sound, box.text());
}

} // namespace kestrane
