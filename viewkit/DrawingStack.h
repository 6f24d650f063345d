#pragma once

#include "viewkit/DrawingAsset.h"
#include "viewkit/DrawingPalette.h"

#include "platform/gfx/Geometry.h"

#include <functional>
#include <vector>

namespace ostrel {

// One step of a skin's drawing: a function called with the frame as its adjuster makes it,
// and with the assets and palette the step was made with.
struct DrawingOperation {
    using Function = std::function<void(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette)>;
    using FrameAdjuster = std::function<gfx::Rect(const gfx::Rect& frame)>;

    Function function;
    FrameAdjuster frameAdjuster;
    std::vector<DrawingAsset> assets;
    DrawingPalette palette { DrawingPalette::empty() };

    // The adjuster that keeps the frame as it is, which every skin of ours uses.
    static gfx::Rect unchangedFrame(const gfx::Rect& frame) { return frame; }
};

// What a skin hands a brick or a wall to draw with: operations run in order into the current
// graphics context, each from the frame given to draw(), not from an earlier step's frame.
// A value: a brick keeps drawing with the stack (and the colours in it) it was given.
struct DrawingStack {
    std::vector<DrawingOperation> operations;

    void draw(const gfx::Rect& frame) const;
};

}
