#include "board/Kubord2.h"

namespace kestrane {

// The board's design layout.
void Kubord2::applyDesignLayout()
{
    m_paintOrder = m_elements;
}

} // namespace kestrane
