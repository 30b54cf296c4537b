#include "platform/QtMessagePort.h"

#include <QApplication>
#include <QMessageBox>

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
    QMessageBox box(icon, QStringLiteral("Kestrane"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("message"));
    box.exec();
}

bool QtMessagePort::ask(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrane"), text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("question"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace kestrane
