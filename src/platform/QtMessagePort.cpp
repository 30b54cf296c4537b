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

} // namespace kestrane
