#pragma once

#include "platform/FileDialogPort.h"

namespace kestrane {

class QtFileDialogPort final : public FileDialogPort {
public:
    std::optional<QString> openFile(const Request& request) override;
};

} // namespace kestrane
