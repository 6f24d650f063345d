#include "drawing/MediaIconPaths.h"

#include "drawing/ContourOutlines.h"
#include "drawing/FolderIconPaths.h"
#include "drawing/PathPieces.h"

namespace ostrel::mediaIconPaths {

gfx::Path stop() { return roundedBox({ 50, 50, 79.54, 79.59 }, 10.9, true); }

gfx::Path play()
{
    return throughPoints({ 64.43, 49.9 }, { { 'L', { 121.36, 82.81 } }, { 'C', { 124.5, 85.3 } }, { 'C', { 126.83, 89.36 } }, { 'C', { 124.5, 93.4 } },
        { 'C', { 121.36, 95.85 } }, { 'L', { 64.43, 128.81 } }, { 'C', { 60.2, 130.67 } }, { 'C', { 56.0, 129.9 } },
        { 'C', { 53.8, 127.4 } }, { 'C', { 53, 123.68 } }, { 'L', { 53, 55.03 } }, { 'C', { 53.8, 51.3 } }, { 'C', { 56.0, 48.8 } },
        { 'C', { 60.2, 48.0 } }, { 'C', { 64.43, 49.9 } } });
}

gfx::Path unmute() { return folderIconPaths::loudspeaker({ 60, 46, 58.15, 86.13 }, 4); }

gfx::Path mute()
{
    // The box and the cone's lower part, cut straight along the bar's lower gap; traced
    // clockwise below, then turned to run counter-clockwise like the other two.
    gfx::Path path = reversed(throughPoints({ 55.87, 108.92 }, { { 'L', { 111.53, 53.3 } }, { 'C', { 110.2, 50.0 } }, { 'C', { 106.8, 49.25 } },
        { 'L', { 87.1, 68.4 } }, { 'C', { 86.4, 68.85 } }, { 'C', { 85.6, 69.0 } }, { 'L', { 59.2, 69.0 } }, { 'C', { 55.0, 70.5 } },
        { 'C', { 53.72, 74.5 } }, { 'L', { 53.72, 104 } }, { 'C', { 54.3, 107.3 } }, { 'C', { 55.87, 108.92 } } }));
    // The cone's upper part, above the bar's upper gap.
    path.appendPath(throughPoints({ 77.98, 113.41 }, { { 'L', { 111.87, 79.62 } }, { 'L', { 111.87, 104.6 } }, { 'L', { 111.87, 129.62 } },
        { 'C', { 110.5, 134 } }, { 'C', { 106.5, 135.38 } }, { 'C', { 102.5, 133.5 } }, { 'L', { 86.5, 116.5 } }, { 'C', { 82, 114.5 } },
        { 'C', { 77.98, 113.41 } } }));
    // The bar from the lower right to the upper left, round at both ends.
    gfx::Path bar = capsuleBar({ 0, 0, 118.2, 7.6 }).transformed(gfx::AffineTransform::rotation(135));
    path.appendPath(fittedTo(bar, { 44, 43, 91.16, 91.14 }));
    return path;
}

gfx::Path statistics()
{
    gfx::Path path = roundedBox({ 37, 50, 30.12, 54.37 }, 8.5, true);
    path.appendPath(roundedBox({ 74.92, 50, 30.12, 66.66 }, 8.5, true));
    path.appendPath(roundedBox({ 112.88, 50, 30.12, 79 }, 8.5, true));
    return path;
}

}
