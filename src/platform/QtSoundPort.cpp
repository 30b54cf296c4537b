#include "platform/QtSoundPort.h"

#include "core/Element.h"

#include <QDir>
#include <QSoundEffect>
#include <QUrl>

namespace kestrane {

QtSoundPort::QtSoundPort(QString programDir) : m_programDir(std::move(programDir))
{
}

QtSoundPort::~QtSoundPort() = default;

std::optional<QFileInfo> QtSoundPort::locate(const QString& path) const
{
    if (path.isEmpty())
        return std::nullopt;
    // A desktop launcher starts the program in the home folder: a relative
    // path means the program's folder, as the settings file does.
    const QFileInfo file(QDir(m_programDir), path);
    if (!file.isFile())
        return std::nullopt;
    return file;
}

void QtSoundPort::ensureLoaded(Slot& slot, const QFileInfo& file)
{
    const QString absolute = file.absoluteFilePath();
    const QDateTime modified = file.lastModified();
    const qint64 size = file.size();
    if (slot.effect && !slot.failed && slot.file == absolute && slot.modified == modified &&
        slot.size == size)
        return;

    // A fresh effect: setting the same source again would load nothing, and
    // the old effect may still report its failure. The query makes the
    // sample cache read the file anew; the file loader ignores it.
    slot.effect = std::make_unique<QSoundEffect>();
    slot.file = absolute;
    slot.modified = modified;
    slot.size = size;
    slot.failed = false;
    QSoundEffect* effect = slot.effect.get();
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [&slot, effect] {
        if (effect->status() == QSoundEffect::Error)
            slot.failed = true;
    });
    QUrl url = QUrl::fromLocalFile(absolute);
    url.setQuery(QStringLiteral("m=%1&s=%2").arg(modified.toMSecsSinceEpoch()).arg(size));
    effect->setSource(url); // loads in the background
}

void QtSoundPort::play(Sound sound, const QString& path)
{
    for (Slot& slot : m_slots) {
        if (slot.effect)
            slot.effect->stop();
    }
    const std::optional<QFileInfo> file = locate(path);
    if (!file)
        return;
    Slot& slot = m_slots[static_cast<std::size_t>(sound)];
    ensureLoaded(slot, *file);
    slot.effect->play(); // waits for a load still under way
}

void QtSoundPort::prepare(Sound sound, const QString& path)
{
    if (const std::optional<QFileInfo> file = locate(path))
        ensureLoaded(m_slots[static_cast<std::size_t>(sound)], *file);
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
