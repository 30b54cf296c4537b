#pragma once

#include "platform/MessagePort.h"

namespace kestrane {

class QtMessagePort final : public MessagePort {
public:
    void show(const QString& text, int style) override;
    bool ask(const QString& text) override;
};

} // namespace kestrane
