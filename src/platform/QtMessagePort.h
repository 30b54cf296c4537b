#pragma once

#include "platform/MessagePort.h"

#include <QPointer>
#include <QWidget>

class QMessageBox;

namespace kestrane {

// Every box opens centred on the console, never on the board's screen; before
// the console exists (or once it has gone), centred on the primary screen.
class QtMessagePort final : public MessagePort {
public:
    void setConsole(QWidget* console) { m_console = console; }

    void show(const QString& text, int style) override;
    bool ask(const QString& text) override;
    bool askYesFirst(const QString& text) override;

private:
    QWidget* owner() const;
    void place(QMessageBox& box) const;
    bool question(const QString& text, bool yesFirst);

    QPointer<QWidget> m_console;
};

} // namespace kestrane
