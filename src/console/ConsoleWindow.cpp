#include "console/ConsoleWindow.h"

#include "console/ConsoleCanvas.h"
#include "console/ConsoleFrameSize.h"
#include "console/ConsoleMenu.h"
#include "console/KeyPreviewFilter.h"
#include "console/Kumite2.h"
#include "platform/ViewUnits.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace kestrane::view {

namespace {

// How long a size we asked for may take to arrive from the window manager;
// until then a different size is not the operator's.
constexpr int kResizeSettleMs = 1000;

// The window colour behind the controls, painted by the widget itself.
void paintBackground(QWidget& w, Colour c)
{
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, toQColor(c));
    w.setPalette(pal);
    w.setAutoFillBackground(true);
}

} // namespace

ConsoleWindow::ConsoleWindow(Kumite2& k, QWidget* parent) : QMainWindow(parent), m_k(k)
{
    Element& form = m_k.state.Kumite2;
    setObjectName(form.name());
    setWindowTitle(form.caption());
    setFont(fontFor(8.25, false));
    paintBackground(*this, form.backColor());

    menuBar()->setNativeMenuBar(false);
    m_menu = new ConsoleMenu(m_k.state, *menuBar());

    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("consoleCentral"));
    paintBackground(*m_central, form.backColor());
    setCentralWidget(m_central);
    m_canvas = new ConsoleCanvas(m_k.state, m_central);
    paintBackground(*m_canvas, form.backColor());

    m_keyPreview = new KeyPreviewFilter(
        *this, [this] { return m_k.state.keyPreview; },
        [this](int code) { m_k.Form_KeyPress(code); });

    m_formObserver = form.addObserver([this](const Element& e, Property p) {
        switch (p) {
        case Property::Geometry:
            applyModelGeometry();
            break;
        case Property::Caption:
            setWindowTitle(e.caption());
            break;
        case Property::BackColor:
            paintBackground(*this, e.backColor());
            paintBackground(*m_central, e.backColor());
            paintBackground(*m_canvas, e.backColor());
            break;
        default:
            break;
        }
    });
    applyModelGeometry();
    // Any change of the screens (one unplugged, added or moved, another
    // made primary) may leave the console off every screen or under the
    // board: back to its start place, once Qt and the window manager have
    // settled the screens.
    const auto settle = [this] {
        QTimer::singleShot(kSettleMs, this, &ConsoleWindow::keepOnScreen);
    };
    const auto follow = [this, settle](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, settle);
        connect(screen, &QScreen::availableGeometryChanged, this, settle);
    };
    for (QScreen* screen : QGuiApplication::screens())
        follow(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [follow, settle](QScreen* screen) {
        follow(screen);
        settle();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, settle);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, settle);
}

ConsoleWindow::~ConsoleWindow()
{
    m_k.state.Kumite2.removeObserver(m_formObserver);
}

void ConsoleWindow::setKeyPreviewHandler(std::function<void(int)> handler)
{
    m_keyPreview->setHandler(std::move(handler));
}

void ConsoleWindow::takeKey(const QKeyEvent& event)
{
    // To the window, not a control: a click on the board must not have
    // left a Space that presses what Tab had reached.
    if (!m_k.commands.closed())
        m_keyPreview->deliver(*this, event);
}

int ConsoleWindow::frameVertical() const
{
    return frameGeometry().height() - geometry().height();
}

int ConsoleWindow::menuHeight() const
{
    // Before the first layout the bar's height is not settled yet.
    return menuBar()->isVisible() || isVisible() ? menuBar()->height()
                                                 : menuBar()->sizeHint().height();
}

void ConsoleWindow::applyModelGeometry()
{
    const Element& form = m_k.state.Kumite2;
    if (form.width() <= 0 || form.height() <= 0)
        return; // start-up has not sized the console yet
    const int frameV = frameVertical();
    const int frameH = frameGeometry().width() - geometry().width();
    const int outer =
        ConsoleFrameSize::windowOuterHeight(toPixels(form.height()), frameV + menuHeight());
    const bool reframed = frameV != m_appliedFrame;
    m_applying = true;
    m_appliedFrame = frameV;
    m_requestedOuter = outer;
    m_requestAge.start();
    resize(std::max(1, toPixels(form.width()) - frameH), std::max(1, outer - frameV));
    // Moved only when its place changes or the window manager has just
    // framed it: a new height must not undo the operator's own move.
    const QPoint place = startPlace(outer);
    if (reframed || place != m_place) {
        m_place = place;
        move(place);
    }
    m_applying = false;
    if (frameGeometry().height() == outer)
        m_requestAge.invalidate(); // arrived at once: nothing on its way
    layoutClient();
}

QPoint ConsoleWindow::startPlace(int outerHeight) const
{
    const Element& form = m_k.state.Kumite2;
    const ScreenPort::Point p = ScreenPort::placeOnPrimary(
        m_k.ports.screens.screens(), form.left(), form.top(), toPixels(form.width()), outerHeight);
    return {p.x, p.y};
}

void ConsoleWindow::keepOnScreen()
{
    const QRect frame = frameGeometry();
    const int board = m_k.boards.isShown() ? m_k.boards.screenIndex() : -1;
    if (!isVisible() || m_k.commands.closed() ||
        !ScreenPort::stranded(m_k.ports.screens.screens(),
                              {frame.x(), frame.y(), frame.width(), frame.height()}, board))
        return;
    m_place = startPlace(frameGeometry().height());
    move(m_place);
}

void ConsoleWindow::layoutClient()
{
    const int visible = ConsoleFrameSize::visibleClientHeight(toPixels(m_k.state.Kumite2.height()));
    m_canvas->setGeometry(0, 0, std::max(m_central->width(), toPixels(m_k.state.Kumite2.width())),
                          visible);
}

void ConsoleWindow::checkFrame()
{
    // On X11 the frame is known only once the window manager has framed
    // the window: give the model's size again with the real margins.
    if (isVisible() && frameVertical() != m_appliedFrame)
        applyModelGeometry();
}

void ConsoleWindow::writeBackHeight()
{
    if (m_applying || !isVisible() || m_k.commands.closed())
        return;
    if (frameVertical() != m_appliedFrame) {
        applyModelGeometry();
        return;
    }
    const int outer = frameGeometry().height();
    if (outer == m_requestedOuter) {
        m_requestAge.invalidate();
        return;
    }
    if (m_requestAge.isValid() && m_requestAge.elapsed() < kResizeSettleMs)
        return; // the size we asked for is still on its way
    const int model = ConsoleFrameSize::modelOuterHeight(outer, frameVertical() + menuHeight());
    if (model != toPixels(m_k.state.Kumite2.height())) {
        m_requestedOuter = outer;
        m_k.state.Kumite2.setHeight(toTwips(model));
    }
}

void ConsoleWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutClient();
    writeBackHeight();
}

void ConsoleWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    checkFrame();
}

void ConsoleWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &ConsoleWindow::checkFrame);
    QTimer::singleShot(250, this, &ConsoleWindow::checkFrame);
}

void ConsoleWindow::closeEvent(QCloseEvent* event)
{
    // Title bar, Alt+F4 and both Close commands end here; the model decides
    // whether a close that is not a Close command asks first.
    if (!m_k.commands.closed() && !m_k.closeGuard.windowClose()) {
        event->ignore();
        return;
    }
    if (!m_k.commands.closed())
        m_k.commands.consoleClosing();
    QMainWindow::closeEvent(event);
    Q_EMIT closed();
}

} // namespace kestrane::view
