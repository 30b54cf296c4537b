#include "console/TextBoxFilter.h"

#include "core/Element.h"

#include <algorithm>

namespace kestrane::view {

TextBoxFilter::TextBoxFilter(Element& element, QObject* parent)
    : QValidator(parent), m_element(element)
{
}

QValidator::State TextBoxFilter::validate(QString& input, int& pos) const
{
    // The element holds the box's text before this edit.
    const QString& before = m_element.text();
    if (m_typing || input == before)
        return Acceptable;
    const qsizetype n = input.size();
    const qsizetype old = before.size();
    // After an insertion the cursor stands at its end and the old text's
    // tail follows; otherwise (a whole new text from an assistive tool)
    // the common tail is what stayed.
    qsizetype tail = n - std::clamp<qsizetype>(pos, 0, n);
    if (tail > old || QStringView(input).right(tail) != QStringView(before).right(tail)) {
        tail = 0;
        while (tail < n && tail < old && input[n - 1 - tail] == before[old - 1 - tail])
            ++tail;
    }
    qsizetype head = 0;
    while (head < n - tail && head < old - tail && input[head] == before[head])
        ++head;
    const QString inserted = input.mid(head, n - tail - head);
    const QString kept = m_element.filterText(inserted);
    if (kept != inserted) {
        input = input.left(head) + kept + input.right(tail);
        pos = static_cast<int>(head + kept.size());
    }
    return Acceptable;
}

} // namespace kestrane::view
