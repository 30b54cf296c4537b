#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace kestrane::view {

// The console's key preview: while it is on, every character typed in the
// console reaches the console's key handler first, whichever control has the
// focus; the character then goes on to that control as usual.
class KeyPreviewFilter final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(int)>;

    // isOn is asked at every key; window is the console.
    KeyPreviewFilter(QWidget& window, std::function<bool()> isOn, Handler handler);
    ~KeyPreviewFilter() override;

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // Delivers a key that arrived elsewhere (the board) to target in the
    // console, previewed as if typed there.
    void deliver(QWidget& target, const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::function<bool()> m_isOn;
    Handler m_handler;
    QWidget* m_delivering = nullptr;
};

} // namespace kestrane::view
