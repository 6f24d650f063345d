#include "drawing/CupIconPaths.h"

#include "drawing/PathPieces.h"

namespace ostrel::cupIconPaths {

namespace {

// A thin upright S of steam: a stroke that leans one way, then the other, narrowing to a
// point at the top; `segments` curves round.
gfx::Path wisp(int segments, const gfx::Rect& bounds)
{
    const std::array<gfx::Point, 12> outline { { { 0.59, 0.0 }, { 0.95, 0.22 }, { 0.72, 0.45 }, { 0.55, 0.62 }, { 0.78, 0.82 }, { 0.62, 1.0 },
        { 0.42, 0.82 }, { 0.15, 0.62 }, { 0.05, 0.45 }, { 0.3, 0.28 }, { 0.0, 0.12 }, { 0.32, 0.03 } } };
    return fittedTo(resampledContour(outline, segments), bounds);
}

}

gfx::Path plainCupBody()
{
    gfx::Path body;
    body.moveTo({ 4.43, 0.20 });
    body.lineTo({ 12.51, 0.20 });
    body.curveTo({ 16.03, 3.64 }, { 14.10, 0.20 }, { 15.30, 2.10 });
    body.curveTo({ 16.10, 3.75 }, { 16.06, 3.68 }, { 16.08, 3.71 });
    body.curveTo({ 17.32, 8.93 }, { 16.90, 5.30 }, { 17.32, 7.10 });
    body.lineTo({ 17.32, 13.13 });
    body.curveTo({ 16.60, 13.97 }, { 17.32, 13.60 }, { 17.00, 13.97 });
    body.lineTo({ 0.72, 13.97 });
    body.curveTo({ 0.00, 13.13 }, { 0.32, 13.97 }, { 0.00, 13.60 });
    body.lineTo({ 0.00, 8.94 });
    body.curveTo({ 4.43, 0.20 }, { 0.00, 5.10 }, { 1.60, 0.20 });
    body.closePath();
    return body;
}

gfx::Path plainCupHandle()
{
    gfx::Path handle;
    handle.moveTo({ 17.44, 12.22 });
    handle.lineTo({ 17.44, 10.30 });
    handle.curveTo({ 20.07, 8.37 }, { 18.90, 10.30 }, { 20.07, 9.40 });
    handle.curveTo({ 19.50, 7.01 }, { 20.07, 7.80 }, { 19.85, 7.30 });
    handle.curveTo({ 18.15, 6.45 }, { 19.15, 6.70 }, { 18.70, 6.45 });
    handle.lineTo({ 17.19, 6.65 });
    handle.curveTo({ 16.58, 4.62 }, { 17.00, 5.90 }, { 16.80, 5.10 });
    handle.curveTo({ 16.51, 4.52 }, { 16.56, 4.58 }, { 16.53, 4.55 });
    handle.lineTo({ 18.15, 4.52 });
    handle.curveTo({ 22.00, 8.37 }, { 20.30, 4.52 }, { 22.00, 6.25 });
    handle.curveTo({ 17.44, 12.22 }, { 22.00, 10.50 }, { 19.90, 12.22 });
    handle.closePath();
    return handle;
}

gfx::Path plainLeftWisp() { return wisp(14, { 5.40, 15.54, 8.29 - 5.40, 21.32 - 15.54 }); }

gfx::Path plainRightWisp() { return plainLeftWisp().transformed(gfx::AffineTransform::translation(4.15, 0)); }

gfx::Path saucerHandleLoop()
{
    gfx::Path loop;
    loop.moveTo({ 10.27, 8.38 });
    loop.lineTo({ 19.14, 8.38 });
    loop.curveTo({ 19.87, 9.09 }, { 19.54, 8.38 }, { 19.87, 8.70 });
    loop.lineTo({ 19.87, 10.51 });
    loop.curveTo({ 19.14, 11.22 }, { 19.87, 10.90 }, { 19.54, 11.22 });
    loop.lineTo({ 10.27, 11.22 });
    loop.curveTo({ 10.27, 8.38 }, { 9.86, 11.22 }, { 9.86, 8.38 });
    loop.closePath();
    loop.moveTo({ 10.27, 12.31 });
    loop.lineTo({ 19.14, 12.31 });
    loop.curveTo({ 21.00, 10.51 }, { 20.17, 12.31 }, { 21.00, 11.50 });
    loop.lineTo({ 21.00, 9.09 });
    loop.curveTo({ 19.14, 7.29 }, { 21.00, 8.10 }, { 20.17, 7.29 });
    loop.lineTo({ 10.27, 7.29 });
    loop.curveTo({ 10.27, 12.31 }, { 9.24, 7.29 }, { 9.24, 12.31 });
    loop.closePath();
    return loop;
}

gfx::Path saucerCupBody()
{
    gfx::Path body;
    body.moveTo({ 3.50, 9.79 });
    body.curveTo({ 7.29, 4.50 }, { 3.50, 8.68 }, { 6.13, 4.50 });
    body.lineTo({ 14.57, 4.50 });
    body.curveTo({ 18.36, 9.79 }, { 15.73, 4.50 }, { 18.36, 8.68 });
    body.lineTo({ 18.36, 11.65 });
    body.curveTo({ 16.83, 12.57 }, { 18.36, 12.76 }, { 17.99, 12.57 });
    body.lineTo({ 5.03, 12.57 });
    body.curveTo({ 3.50, 11.65 }, { 3.87, 12.57 }, { 3.50, 12.76 });
    body.lineTo({ 3.50, 9.79 });
    body.closePath();
    return body;
}

gfx::Path saucer()
{
    gfx::Path path;
    path.moveTo({ 1.00, 3.24 });
    path.curveTo({ 6.07, 1.50 }, { 1.00, 2.62 }, { 5.50, 1.50 });
    path.lineTo({ 15.93, 1.50 });
    path.curveTo({ 21.00, 3.24 }, { 16.50, 1.50 }, { 21.00, 2.62 });
    path.lineTo({ 21.00, 3.49 });
    path.curveTo({ 19.96, 3.99 }, { 21.00, 4.11 }, { 20.54, 3.99 });
    path.lineTo({ 2.04, 3.99 });
    path.curveTo({ 1.00, 3.49 }, { 1.46, 3.99 }, { 1.00, 4.11 });
    path.lineTo({ 1.00, 3.24 });
    path.closePath();
    return path;
}

std::array<gfx::Path, 3> saucerWisps()
{
    return { wisp(19, { 6.72, 14.37, 8.49 - 6.72, 19.50 - 14.37 }), wisp(19, { 10.42, 14.32, 12.18 - 10.42, 19.44 - 14.32 }),
        wisp(19, { 14.04, 14.32, 15.80 - 14.04, 19.44 - 14.32 }) };
}

}
