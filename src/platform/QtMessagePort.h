#pragma once

#include "platform/MessagePort.h"

namespace kestrane {

class QtMessagePort final : public MessagePort {
public:
    void show(const QString& text, int style) override;
};

} // namespace kestrane
