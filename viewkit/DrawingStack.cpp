#include "viewkit/DrawingStack.h"

namespace ostrel {

void DrawingStack::draw(const gfx::Rect& frame) const
{
    for (const auto& operation : operations) {
        if (!operation.function)
            continue;
        gfx::Rect adjusted = operation.frameAdjuster ? operation.frameAdjuster(frame) : frame;
        operation.function(adjusted, operation.assets, operation.palette);
    }
}

}
