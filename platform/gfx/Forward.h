#pragma once

namespace gfx {

struct AffineTransform;
class Bitmap;
struct Color;
struct Font;
class Gradient;
class GraphicsContext;
class Image;
struct ParagraphStyle;
class Path;
struct Point;
struct Rect;
struct Shadow;
struct Size;
struct TextStyle;
class TextLayout;

}
