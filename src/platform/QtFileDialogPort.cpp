#include "platform/QtFileDialogPort.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace kestrane {

std::optional<QString> QtFileDialogPort::openFile(const Request& request)
{
    // "\" is the root of the current drive; here, the root folder.
    const QString folder =
        (request.initialFolder == QStringLiteral("\\")) ? QDir::rootPath() : request.initialFolder;
    QFileDialog dialog(QApplication::activeWindow(), request.title, folder);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(request.filter);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(files.front());
}

} // namespace kestrane
