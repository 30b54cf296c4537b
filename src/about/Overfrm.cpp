#include "about/Overfrm.h"

#include "about/AboutLogo.h"
#include "platform/ViewUnits.h"
#include "widgets/ElementFrame.h"
#include "widgets/ElementLabel.h"
#include "widgets/PushButton.h"

namespace kestrane::view {

namespace {

constexpr Colour kBlue = 0xC00000;

} // namespace

Element& Overfrm::add(ElementKind kind, const char* name)
{
    return m_elements.emplace_back(kind, QString::fromLatin1(name));
}

QString Overfrm::disclaimer()
{
    return QStringLiteral(
        "THIS SOFTWARE IS PROVIDED BY ITS OWNERS AND CONTRIBUTORS \"AS IS\" AND ANY EXPRESS OR "
        "IMPLIED WARRANTIES, INCLUDING, BUT NOT LIMITED TO, THE IMPLIED WARRANTIES OF "
        "MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE ARE DISCLAIMED. IN NO EVENT SHALL "
        "THE OWNERS OR CONTRIBUTORS BE LIABLE FOR ANY DIRECT, INDIRECT, INCIDENTAL, SPECIAL, "
        "EXEMPLARY, OR CONSEQUENTIAL DAMAGES, HOWEVER CAUSED AND ON ANY THEORY OF LIABILITY, "
        "ARISING IN ANY WAY OUT OF THE USE OF THIS SOFTWARE, EVEN IF ADVISED OF THE POSSIBILITY "
        "OF SUCH DAMAGE.");
}

Overfrm::Overfrm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Overfrm"));
    setWindowTitle(QString());
    setFont(fontFor(8.25, true));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(toPixels(7200), toPixels(7080));

    Element& frame = add(ElementKind::Frame, "Frame1");
    frame.setGeometry(120, 0, 6975, 6975);
    frame.setOpaque(true);
    frame.setBackColor(0xFFFFFF);
    auto* frameWidget = new ElementFrame(frame, this);

    struct Text {
        const char* name;
        const char* text;
        double left, top, width;
        bool blue;
    };
    const Text texts[] = {
        {"Label1", "Kestrane", 2760, 240, 1650, true},
        {"Label2", "Version " KESTRANE_VERSION, 3000, 480, 1065, true},
        {"Label7", "23-06-2017", 3120, 720, 840, true},
        {"Label3", "Programmed by :", 2760, 1080, 1425, false},
        {"Label4", "Orvane", 3240, 1320, 450, false},
        {"Label5", "www.orvane.example", 2760, 1560, 1440, false},
        {"Label6", "info@orvane.example", 3000, 1800, 1125, false},
    };
    for (const Text& t : texts) {
        Element& e = add(ElementKind::Label, t.name);
        e.setGeometry(t.left, t.top, t.width, 210);
        e.setCaption(QString::fromUtf8(t.text));
        e.setForeColor(t.blue ? kBlue : 0x000000);
        e.setFont(8.25, true);
        // Arial's stand-in runs a little wider than the designed boxes: a
        // line grows to its text rather than lose its end.
        auto* label = new ElementLabel(e, frameWidget);
        label->setWordWrap(false);
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    }

    auto* logo = new AboutLogo(frameWidget);
    logo->setGeometry(toPixels(2640), toPixels(2160), toPixels(1800), toPixels(1800));

    Element& text = add(ElementKind::Label, "Label10");
    text.setGeometry(240, 4320, 6495, 1815);
    text.setCaption(disclaimer());
    text.setFont(6.75, false);
    text.setForeColor(0x000000);
    text.setAlignment(Alignment::Centre);
    new ElementLabel(text, frameWidget);

    Element& close = add(ElementKind::Button, "Command2");
    close.setGeometry(3000, 6480, 975, 375);
    close.setCaption(QStringLiteral("Close"));
    close.setBackColor(0xE1D7D5);
    close.setBorderColor(0x808080);
    close.setFont(8.25, true);
    close.onClick = [this] { this->close(); };
    new PushButton(close, frameWidget);
}

Overfrm::~Overfrm()
{
    // The widgets hold observers on m_elements: take them down first.
    const auto children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
}

} // namespace kestrane::view
