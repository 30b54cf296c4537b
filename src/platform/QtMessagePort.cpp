#include "platform/QtMessagePort.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

namespace kestrane {

void QtMessagePort::show(const QString& text, int style)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style) {
    case Error:
        icon = QMessageBox::Critical;
        break;
    case Exclamation:
        icon = QMessageBox::Warning;
        break;
    case Information:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    QMessageBox box(icon, QStringLiteral("Kestrane"), text, QMessageBox::Ok, owner());
    box.setObjectName(QStringLiteral("message"));
    place(box);
    box.exec();
}

bool QtMessagePort::ask(const QString& text)
{
    return question(text, false);
}

bool QtMessagePort::askYesFirst(const QString& text)
{
    return question(text, true);
}

bool QtMessagePort::question(const QString& text, bool yesFirst)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrane"), text,
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setObjectName(QStringLiteral("question"));
    box.setDefaultButton(yesFirst ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    place(box);
    return box.exec() == QMessageBox::Yes;
}

QWidget* QtMessagePort::owner() const
{
    // Not the active window: after a click on the board that is the board.
    return m_console && m_console->isVisible() ? m_console.data() : nullptr;
}

void QtMessagePort::place(QMessageBox& box) const
{
    // A box with an owner is centred on it by Qt; one without would open on
    // the screen under the mouse pointer, which may be the board's.
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (owner() || !primary)
        return;
    box.adjustSize();
    const QRect area = primary->availableGeometry();
    box.move(area.center() - QPoint(box.width() / 2, box.height() / 2));
}

} // namespace kestrane
