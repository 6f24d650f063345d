#pragma once

namespace text {

class AttributedString;
class FontTraits;
class RichTextLayout;
class Rtf;
class Rtfd;
class TextList;
struct Attachment;
struct Attributes;
struct Document;
struct DocumentAttributes;
struct LayoutDefaults;
struct ParagraphStyle;
struct Range;

}
