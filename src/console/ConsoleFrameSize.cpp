#include "console/ConsoleFrameSize.h"

#include <algorithm>

namespace kestrane::view {

int ConsoleFrameSize::windowOuterHeight(int modelOuter, int nonClient)
{
    return modelOuter + std::max(0, nonClient - kDesignNonClient);
}

int ConsoleFrameSize::modelOuterHeight(int windowOuter, int nonClient)
{
    return windowOuter - std::max(0, nonClient - kDesignNonClient);
}

int ConsoleFrameSize::visibleClientHeight(int modelOuter)
{
    return std::max(0, modelOuter - kDesignNonClient);
}

} // namespace kestrane::view
