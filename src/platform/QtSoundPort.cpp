#include "platform/QtSoundPort.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace kestrane {

QtSoundPort::QtSoundPort() : m_effect(std::make_unique<QSoundEffect>())
{
}

QtSoundPort::~QtSoundPort() = default;

void QtSoundPort::play(const QString& path)
{
    if (m_disabled)
        return;
    m_effect->stop();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return;
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (m_effect->source() != url)
        m_effect->setSource(url); // loads asynchronously; play() waits for it
    m_effect->play();
}

void QtSoundPort::disable()
{
    m_disabled = true;
    m_effect->stop();
}

} // namespace kestrane
