#include "console/QtWindowPort.h"

#include "about/Overfrm.h"

namespace kestrane::view {

QtWindowPort::~QtWindowPort()
{
    delete m_about.data();
}

void QtWindowPort::closeConsole()
{
    if (m_console)
        m_console->close();
}

void QtWindowPort::showAbout()
{
    // Closing unloads the window; the next "About" makes a fresh one.
    if (!m_about) {
        m_about = new Overfrm();
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void QtWindowPort::closeAbout()
{
    if (m_about)
        m_about->close();
}

} // namespace kestrane::view
