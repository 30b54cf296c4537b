#include "console/PenaltyBoxNames.h"

#include "console/ConsoleCanvas.h"
#include "match/MatchState.h"

#include <QWidget>

namespace kestrane::view {

PenaltyBoxNames::PenaltyBoxNames(MatchState& state, ConsoleCanvas& canvas)
    : QObject(&canvas), m_state(state), m_canvas(canvas)
{
    for (Element* e : {&state.Label7, &state.Label12, &state.Label17, &state.Label14}) {
        const int id = e->addObserver([this](const Element&, Property p) {
            if (p == Property::Visible)
                update();
        });
        m_observers.emplace_back(e, id);
    }
    update();
}

PenaltyBoxNames::~PenaltyBoxNames()
{
    for (const auto& [element, id] : m_observers)
        element->removeObserver(id);
}

QString PenaltyBoxNames::nameOf(const PenaltyBox& box, bool rowLetter, bool columnLetter)
{
    QString name = QLatin1String(box.side == PenaltyBox::Side::Shiro ? "Shiro" : "Aka");
    name += QLatin1String(" penalty");
    if (!box.inGrid())
        return name + QLatin1String(" S");
    switch (box.row) {
    case PenaltyBox::Row::First:
        if (rowLetter)
            name += QLatin1String(" row A");
        break;
    case PenaltyBox::Row::M:
        name += QLatin1String(" row M");
        break;
    default:
        name += QLatin1String(" row J");
        break;
    }
    switch (box.column) {
    case PenaltyBox::Column::Extra:
        return name + QLatin1String(" first box");
    case PenaltyBox::Column::A:
        if (columnLetter)
            return name + QLatin1String(" column A");
        // Only row J has a box before the first column.
        return name + QLatin1String(box.row == PenaltyBox::Row::J ? " second box" : " first box");
    case PenaltyBox::Column::C:
        return name + QLatin1String(" column C");
    default:
        return name + QLatin1String(" column H");
    }
}

void PenaltyBoxNames::update()
{
    const MatchState& s = m_state;
    for (const PenaltyBox& box : kPenaltyBoxes) {
        const bool shiro = box.side == PenaltyBox::Side::Shiro;
        const bool rowLetter = (shiro ? s.Label7 : s.Label17).visible();
        const bool columnLetter = (shiro ? s.Label12 : s.Label14).visible();
        if (QWidget* w = m_canvas.widgetFor(&s.check(box.box)))
            w->setAccessibleName(nameOf(box, rowLetter, columnLetter));
    }
}

} // namespace kestrane::view
