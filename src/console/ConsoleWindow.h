#pragma once

#include <QElapsedTimer>
#include <QMainWindow>

#include <functional>

class QKeyEvent;

namespace kestrane {
class Kumite2;
}

namespace kestrane::view {

class ConsoleCanvas;
class ConsoleMenu;
class KeyPreviewFilter;

// The operator console window "Kumite2": the menu, the client area with one
// widget per element, the key preview, and the window's outer size kept in
// step with the model's form element both ways (the model sets it; an
// operator's resize writes the height back). Closing it, by any path, stops
// the console's timers and closes the board.
class ConsoleWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit ConsoleWindow(Kumite2& k, QWidget* parent = nullptr);
    ~ConsoleWindow() override;

    ConsoleCanvas& canvas() const { return *m_canvas; }
    ConsoleMenu& menu() const { return *m_menu; }
    // Replaces the key handler the key preview calls (tests).
    void setKeyPreviewHandler(std::function<void(int)> handler);
    // A key that reached another window of the program (the board): the
    // console handles it as typed here with no control focused.
    void takeKey(const QKeyEvent& event);
    // Gives the window the model's outer position and size now.
    void applyModelGeometry();

Q_SIGNALS:
    // The console has closed; nothing of it may run any more.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kSettleMs = 250;
    int frameVertical() const;
    QPoint startPlace(int outerHeight) const;
    void keepOnScreen();
    int menuHeight() const;
    void layoutClient();
    void checkFrame();
    void writeBackHeight();

    Kumite2& m_k;
    QWidget* m_central = nullptr;
    ConsoleCanvas* m_canvas = nullptr;
    ConsoleMenu* m_menu = nullptr;
    KeyPreviewFilter* m_keyPreview = nullptr;
    int m_formObserver = 0;
    bool m_applying = false;
    int m_appliedFrame = -1;
    int m_requestedOuter = -1;
    QPoint m_place;
    QElapsedTimer m_requestAge;
};

} // namespace kestrane::view
