#include "platform/QtSoundPort.h"

#include "core/Element.h"
#include "platform/BuiltinSounds.h"

#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPromise>
#include <QThreadPool>

namespace kestrane {

namespace {

// Sound files for a signal are small; a larger "sound" is not read.
constexpr qint64 kMaxFileSize = 64 << 20;

SoundFile builtin(SoundPort::Sound sound)
{
    const bool end = sound == SoundPort::Sound::End;
    return *SoundFile::fromSamples(end ? BuiltinSounds::gong() : BuiltinSounds::warning(), 1,
                                   BuiltinSounds::kRate);
}

DecodedSound decodeFile(const QString& path)
{
    using P = SoundPort::Problem;
    const QFileInfo info(path);
    if (!info.exists())
        return {std::nullopt, P::Missing};
    if (!info.isFile())
        return {std::nullopt, P::NotSound};
    if (info.size() > kMaxFileSize)
        return {std::nullopt, P::TooLarge};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, P::Unreadable};
    // Read with a bound: the file may have grown since it was looked at.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize)
        return {std::nullopt, P::TooLarge};
    return SoundFile::decode(bytes);
}

} // namespace

QtSoundPort::Reading QtSoundPort::read(Sound sound, const QString& path)
{
    DecodedSound decoded = decodeFile(path);
    if (decoded.sound)
        return {std::move(decoded.sound), Problem::None};
    return {builtin(sound), decoded.problem};
}

QtSoundPort::QtSoundPort(QString programDir) : m_programDir(std::move(programDir))
{
    m_slots[0].sound = Sound::End;
    m_slots[1].sound = Sound::Warning;
    m_feeder.setInterval(20);
    QObject::connect(&m_feeder, &QTimer::timeout, &m_feeder, [this] { feed(); });
}

QtSoundPort::~QtSoundPort() = default;

void QtSoundPort::ensureRead(Slot& slot, const QString& path)
{
    if (path.isEmpty()) {
        const bool was = !slot.path.isEmpty();
        slot.path.clear();
        slot.file.clear();
        slot.size = -1;
        slot.reading.reset();
        slot.read.reset();
        slot.sink.reset();
        slot.out = nullptr;
        if (was)
            tell(slot);
        return;
    }
    // A desktop launcher starts the program in the home folder: a relative
    // path means the program's folder, where the settings file is too.
    const QFileInfo file(QDir(m_programDir), path);
    const QString absolute = file.absoluteFilePath();
    const QDateTime modified = file.exists() ? file.lastModified() : QDateTime();
    const qint64 size = file.exists() ? file.size() : -1;
    const bool same = slot.file == absolute && slot.modified == modified && slot.size == size;
    slot.path = path;
    if (same && (slot.read || slot.reading))
        return;
    slot.file = absolute;
    slot.modified = modified;
    slot.size = size;
    startReading(slot);
}

void QtSoundPort::startReading(Slot& slot)
{
    slot.read.reset();
    slot.sink.reset();
    slot.out = nullptr;
    // A reading still under way is dropped with its watcher; its result
    // goes nowhere.
    slot.reading = std::make_unique<QFutureWatcher<Reading>>();
    auto* watcher = slot.reading.get();
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                     [this, &slot] { finished(slot); });
    auto promise = std::make_shared<QPromise<Reading>>();
    watcher->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, sound = slot.sound, path = slot.file] {
        promise->start();
        promise->addResult(read(sound, path));
        promise->finish();
    });
}

void QtSoundPort::finished(Slot& slot)
{
    slot.read = slot.reading->result();
    slot.reading.release()->deleteLater();
    // Ready now, so that the first request costs no more than the next.
    slot.device = currentOutput();
    slot.sink = std::make_unique<QAudioSink>(slot.device, slot.read->sound->format);
    tell(slot);
    if (slot.playWhenRead)
        start(slot);
}

QAudioDevice QtSoundPort::currentOutput() const
{
    const QByteArray name = m_defaultSink.name();
    if (!name.isEmpty()) {
        for (const QAudioDevice& device : QMediaDevices::audioOutputs()) {
            if (device.id() == name)
                return device;
        }
    }
    return QMediaDevices::defaultAudioOutput();
}

void QtSoundPort::tell(const Slot& slot) const
{
    if (problemFound)
        problemFound(slot.sound, slot.read ? slot.read->problem : Problem::None);
}

void QtSoundPort::start(Slot& slot)
{
    slot.playWhenRead = false;
    if (!slot.read)
        return;
    const SoundFile& sound = *slot.read->sound;
    // An output plugged in since the sound was read (a projector's HDMI
    // audio) may have become the default: play where the hall listens now.
    const QAudioDevice now = currentOutput();
    if (now != slot.device) {
        slot.device = now;
        slot.sink = std::make_unique<QAudioSink>(now, sound.format);
    }
    // The whole sound at once: the server starts it as soon as it has it.
    slot.sink->setBufferSize(sound.samples.size());
    slot.out = slot.sink->start();
    slot.written = 0;
    if (slot.read->problem != Problem::None)
        tell(slot);
    feed();
}

void QtSoundPort::feed()
{
    bool more = false;
    for (Slot& slot : m_slots) {
        if (!slot.out || !slot.read)
            continue;
        const QByteArray& samples = slot.read->sound->samples;
        if (slot.written >= samples.size())
            continue;
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
    Slot& slot = m_slots[static_cast<std::size_t>(sound)];
    ensureRead(slot, path);
    if (path.isEmpty())
        return;
    if (slot.reading)
        slot.playWhenRead = true; // sounds as soon as it is read
    else
        start(slot);
}

void QtSoundPort::prepare(Sound sound, const QString& path)
{
    ensureRead(m_slots[static_cast<std::size_t>(sound)], path);
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
