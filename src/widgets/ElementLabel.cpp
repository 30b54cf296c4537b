#include "widgets/ElementLabel.h"

#include "platform/ViewUnits.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace kestrane::view {

namespace {

Qt::Alignment alignmentOf(Alignment a)
{
    // Labels put their text at the top, as designed.
    switch (a) {
    case Alignment::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

} // namespace

ElementLabel::ElementLabel(Element& element, QWidget* parent)
    : QLabel(parent), m_binding(*this, element, [this](Property p) { changed(p); })
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setText(element.caption());
    applyLook();
    fitText();
}

void ElementLabel::applyLook()
{
    const Element& e = m_binding.element();
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(e.foreColor()));
    pal.setColor(QPalette::Window, toQColor(e.backColor()));
    setPalette(pal);
    setAutoFillBackground(e.opaque());
    setAlignment(alignmentOf(e.alignment()));
}

void ElementLabel::changed(Property p)
{
    switch (p) {
    case Property::Caption:
        setText(m_binding.element().caption());
        fitText();
        break;
    case Property::Geometry:
    case Property::Font:
        fitText();
        break;
    case Property::ForeColor:
    case Property::BackColor:
    case Property::Alignment:
        applyLook();
        fitText();
        break;
    default:
        break;
    }
}

void ElementLabel::shrinkTogether(const std::vector<ElementLabel*>& labels)
{
    const auto group = std::make_shared<const std::vector<ElementLabel*>>(labels);
    for (ElementLabel* l : labels)
        l->m_group = group;
    labels.front()->fitText();
}

void ElementLabel::fitText()
{
    if (!m_group) {
        showAt(neededShare());
        return;
    }
    double share = 1.0;
    for (const ElementLabel* l : *m_group)
        share = std::min(share, l->neededShare());
    for (ElementLabel* l : *m_group)
        l->showAt(share);
    if (share >= 1.0)
        return;
    // Shrunk, the others draw in towards the first one's right edge (the
    // minutes' against the colon) by the same share, spaced as designed:
    // long minutes never leave the seconds' two digits standing apart.
    const double anchor = rectOf(m_group->front()->m_binding.element()).right() + 1.0;
    for (std::size_t i = 1; i < m_group->size(); ++i) {
        ElementLabel* l = (*m_group)[i];
        const double left = anchor + share * (rectOf(l->m_binding.element()).left() - anchor);
        QRect g = l->geometry();
        g.moveLeft(static_cast<int>(std::lround(left)));
        if (l->geometry() != g)
            l->setGeometry(g);
    }
}

QFont ElementLabel::fontAt(double share) const
{
    QFont f = fontOf(m_binding.element());
    if (share < 1.0)
        f.setPixelSize(std::max(1, static_cast<int>(std::floor(f.pixelSize() * share))));
    return f;
}

// With two pixels to spare once the text has outgrown its box.
double ElementLabel::textWidth(const QFont& font) const
{
    return QFontMetricsF(font).horizontalAdvance(text()) + 2 * margin() + 2;
}

// Words wrap onto the next line; only a single word (a number) can be cut.
bool ElementLabel::canWrap() const
{
    const QString& t = text();
    return std::any_of(t.begin(), t.end(), [](QChar c) { return c.isSpace(); });
}

bool ElementLabel::fitsBox(const QFont& font) const
{
    return textWidth(font) - 2 <= rectOf(m_binding.element()).width();
}

double ElementLabel::roomAroundCentre() const
{
    const QRect box = rectOf(m_binding.element());
    if (!parentWidget())
        return box.width();
    const double centre = box.left() + box.width() / 2.0;
    // Only what stands beside the digits' ink counts, not a caption that
    // just touches the box above them.
    const QFontMetricsF fm(fontOf(m_binding.element()));
    const QRectF ink = fm.tightBoundingRect(text());
    const double inkTop = box.top() + fm.ascent() + ink.top();
    const double inkBottom = box.top() + fm.ascent() + ink.bottom();
    double lo = 0;
    double hi = parentWidget()->width();
    for (const QObject* o : parentWidget()->children()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (!w || w == this || w->isHidden())
            continue;
        const QRect g = w->geometry();
        if (g.bottom() < inkTop || g.top() > inkBottom ||
            (g.left() <= centre && centre <= g.right()))
            continue;
        if (g.right() < centre)
            lo = std::max(lo, g.right() + 1.0);
        else
            hi = std::min(hi, static_cast<double>(g.left()));
    }
    return 2 * std::min(centre - lo, hi - centre);
}

double ElementLabel::neededShare() const
{
    const Element& e = m_binding.element();
    if (text().isEmpty() || e.alignment() == Alignment::Left || canWrap())
        return 1.0;
    const double room =
        e.alignment() == Alignment::Right ? rectOf(e).right() + 1.0 : roomAroundCentre();
    const double needed = textWidth(fontAt(1.0));
    if (fitsBox(fontAt(1.0)) || needed <= room)
        return 1.0;
    // Fonts come in whole pixels: step down until the text fits.
    double share = room / needed;
    while (share > 0.05 && textWidth(fontAt(share)) > room)
        share *= 0.98;
    return share;
}

// The text keeps its anchor (right edge or centre) and its vertical middle.
void ElementLabel::showAt(double share)
{
    const Element& e = m_binding.element();
    const QFont f = fontAt(share);
    if (font() != f)
        setFont(f);
    const QRect box = rectOf(e);
    QRect wanted = box;
    const int needed = static_cast<int>(std::ceil(textWidth(f)));
    if (!fitsBox(f) && e.alignment() == Alignment::Right)
        wanted.setLeft(box.right() + 1 - needed);
    else if (!fitsBox(f) && e.alignment() == Alignment::Centre && !canWrap())
        wanted = QRect(box.left() - (needed - box.width()) / 2, box.top(), needed, box.height());
    if (share < 1.0)
        wanted.translate(0, (QFontMetrics(fontAt(1.0)).height() - QFontMetrics(f).height()) / 2);
    if (geometry() != wanted)
        setGeometry(wanted);
}

} // namespace kestrane::view
