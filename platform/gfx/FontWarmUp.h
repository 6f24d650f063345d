#pragma once

#include "platform/gfx/Font.h"

#include <future>
#include <memory>
#include <thread>
#include <vector>

typedef struct _PangoFont PangoFont;
typedef struct _PangoFontset PangoFontset;

namespace gfx {

// A font to have ready before the program first uses it, drawn at `scale` device pixels per
// point as well as measured (1: measured and drawn on a plain display).
struct WarmFont {
    Font font;
    double scale { 1 };
    bool operator==(const WarmFont&) const = default;
};

// Loads fonts on a thread of its own while the program does start-up work that uses no text
// (the display opening). Pango looks a font it has not met up on two threads it starts and
// waits for the first one's answer: on a busy machine each such wait is a scheduler tick, one
// after the other for every font of a screen. Here every font is asked for at once and waited
// for together, and the faces, shapers and metrics load off the main thread.
//
// The fonts are the warm-up's alone while it runs: the first use of them from any other
// thread (all goes through fontMap() or pinFonts()) waits for it to finish, and then finds
// what it loaded. A font that cannot be made stands in as it would anyway, one of no usable
// size is skipped, and one left out of the list only loads when it is first used, as without
// a warm-up.
class FontWarmUp {
public:
    // After pinFonts(), whose configuration the fonts load through.
    static std::unique_ptr<FontWarmUp> start(std::vector<WarmFont> fonts);
    // Waits for the thread, whoever else did.
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Waits for a warm-up still running, from any thread but its own.
    static void handOver();

    // Whether it is over; once it is, whether a font a text was laid out in is one it loaded
    // (they stay loaded as long as the warm-up object lives).
    bool finished() const;
    bool loaded(const PangoFont* font) const;

private:
    explicit FontWarmUp(std::vector<WarmFont> fonts);
    void run();

    std::vector<WarmFont> m_fonts;
    // Referenced until the warm-up goes, so that the font map's cache keeps them meanwhile.
    std::vector<PangoFontset*> m_fontsets;
    std::shared_future<void> m_done;
    std::thread m_thread;
};

}
