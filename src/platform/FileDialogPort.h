#pragma once

#include <QString>

#include <optional>

namespace kestrane {

// The open-file dialog. Returns the chosen file's full path, or nothing when
// the operator cancelled (or the dialog could not be shown).
class FileDialogPort {
public:
    struct Request {
        QString title;
        QString fileName;
        QString filter;
        QString initialFolder;
    };

    virtual ~FileDialogPort() = default;
    virtual std::optional<QString> openFile(const Request& request) = 0;
};

} // namespace kestrane
