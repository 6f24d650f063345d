#include "platform/gfx/FontWarmUp.h"

#include "platform/gfx/Fonts.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/TextLayout.h"

#include <algorithm>
#include <atomic>
#include <cairo.h>
#include <cmath>
#include <mutex>
#include <pango/pangocairo.h>

namespace gfx {

namespace {

std::mutex g_mutex;
// The warm-up nobody has waited for yet: once one has, fontMap() no longer takes the lock.
std::atomic<FontWarmUp*> g_unclaimed { nullptr };
thread_local bool t_warming = false;

// A rise and a descent: what a line of any text is measured by.
constexpr const char* kSample = "Ag";
constexpr double kLargestScale = 8;
// A screen's text, not a poster's: larger sizes are left to be loaded when used.
constexpr double kLargestSize = 256;

double usableScale(double scale) { return std::isfinite(scale) && scale > 1 ? std::min(scale, kLargestScale) : 1; }

// The language pango lays a Latin text out in, and so asks fonts for: the context's own (the
// locale's unless set) where it writes Latin, else the script's sample language.
PangoLanguage* textLanguage(PangoContext* context)
{
    PangoLanguage* language = pango_context_get_language(context);
    if (!language)
        language = pango_language_get_default();
    if (language && pango_language_includes_script(language, PANGO_SCRIPT_LATIN))
        return language;
    return pango_script_get_sample_language(PANGO_SCRIPT_LATIN);
}

void drawSample(const TextLayout& layout, double scale)
{
    constexpr double width = 64, height = 32;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(std::ceil(width * scale)), int(std::ceil(height * scale)));
    {
        auto context = GraphicsContext::create(surface, scale);
        GraphicsContext::MakeCurrent current(*context);
        layout.draw(Rect(0, 0, width, height));
    }
    cairo_surface_destroy(surface);
}

}

FontWarmUp::FontWarmUp(std::vector<WarmFont> fonts)
    : m_fonts(std::move(fonts))
{
    std::erase_if(m_fonts, [](const WarmFont& warm) {
        double size = warm.font.pointSize;
        return !std::isfinite(size) || size <= 0 || size > kLargestSize;
    });
}

std::unique_ptr<FontWarmUp> FontWarmUp::start(std::vector<WarmFont> fonts)
{
    // One thread uses the fonts at a time: a warm-up before this one finishes first.
    handOver();
    std::unique_ptr<FontWarmUp> warmUp(new FontWarmUp(std::move(fonts)));
    std::promise<void> done;
    warmUp->m_done = done.get_future().share();
    {
        std::lock_guard lock(g_mutex);
        g_unclaimed.store(warmUp.get(), std::memory_order_release);
    }
    warmUp->m_thread = std::thread([self = warmUp.get(), done = std::move(done)]() mutable {
        t_warming = true;
        self->run();
        // Over only once the thread's own pango contexts are gone as well.
        done.set_value_at_thread_exit();
    });
    return warmUp;
}

FontWarmUp::~FontWarmUp()
{
    if (m_thread.joinable())
        m_thread.join();
    {
        std::lock_guard lock(g_mutex);
        FontWarmUp* self = this;
        g_unclaimed.compare_exchange_strong(self, nullptr);
    }
    for (PangoFontset* fontset : m_fontsets)
        g_object_unref(fontset);
}

void FontWarmUp::handOver()
{
    if (t_warming || !g_unclaimed.load(std::memory_order_acquire))
        return;
    FontWarmUp* warmUp = nullptr;
    std::shared_future<void> done;
    {
        std::lock_guard lock(g_mutex);
        warmUp = g_unclaimed.load();
        if (!warmUp)
            return;
        done = warmUp->m_done;
    }
    // Outside the lock: other threads may be waiting for it as well.
    done.wait();
    std::lock_guard lock(g_mutex);
    g_unclaimed.compare_exchange_strong(warmUp, nullptr);
}

bool FontWarmUp::finished() const
{
    return m_done.valid() && m_done.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

bool FontWarmUp::loaded(const PangoFont* font) const
{
    if (!finished())
        return false;
    return std::any_of(m_fontsets.begin(), m_fontsets.end(), [font](PangoFontset* fontset) {
        PangoFont* first = pango_fontset_get_font(fontset, 'A');
        bool same = first == font;
        if (first)
            g_object_unref(first);
        return same;
    });
}

void FontWarmUp::run()
{
    PangoFontMap* map = fontMap();
    PangoContext* measuring = sharedPangoContext(SharedContext::measuring);
    PangoLanguage* language = textLanguage(measuring);
    // Texts with no letters of their own script (figures, signs) are laid out in that
    // script's sample language instead.
    PangoLanguage* sampleLanguage = pango_script_get_sample_language(PANGO_SCRIPT_LATIN);
    auto load = [&](PangoContext* context, const PangoFontDescription* description, PangoLanguage* in = nullptr) {
        PangoFontset* fontset = pango_font_map_load_fontset(map, context, description, in ? in : language);
        if (fontset)
            m_fontsets.push_back(fontset);
        return fontset;
    };

    // Every font asked for at once, measured and drawn magnified: a lookup only waits when
    // the font is first used, and the answers come meanwhile.
    std::vector<std::pair<PangoFontset*, double>> asked;
    std::vector<PangoContext*> contexts;
    auto magnifiedContext = [&](PangoContext* context, double scale) {
        PangoMatrix matrix = PANGO_MATRIX_INIT;
        pango_matrix_scale(&matrix, scale, scale);
        pango_context_set_matrix(context, &matrix);
        contexts.push_back(context);
        return context;
    };
    for (const WarmFont& warm : m_fonts) {
        auto description = pangoFontDescription(warm.font);
        if (PangoFontset* fontset = load(measuring, description.get()))
            asked.emplace_back(fontset, 1);
        if (sampleLanguage && sampleLanguage != language)
            load(measuring, description.get(), sampleLanguage);
        if (double scale = usableScale(warm.scale); scale != 1) {
            if (PangoFontset* fontset = load(magnifiedContext(newPangoContext(), scale), description.get()))
                asked.emplace_back(fontset, scale);
        }
    }

    // A layout asks each font for its metrics, which pango measures in a context of its own
    // (the font's rendering options and magnification, the font map's resolution): one more
    // lookup per font, so these too are asked for at once.
    auto metricsContext = [&](double scale) {
        PangoContext* context = pango_font_map_create_context(map);
        pango_context_set_language(context, language);
        pango_cairo_context_set_font_options(context, pango_cairo_context_get_font_options(measuring));
        return scale == 1 ? context : magnifiedContext(context, scale);
    };
    PangoContext* plain = metricsContext(1);
    for (const auto& [fontset, scale] : asked) {
        PangoFont* font = pango_fontset_get_font(fontset, 'A');
        if (!font)
            continue;
        PangoFontDescription* described = pango_font_describe_with_absolute_size(font);
        load(scale == 1 ? plain : metricsContext(scale), described);
        pango_font_description_free(described);
        g_object_unref(font);
    }

    // Then as the program measures and draws its texts: faces, shapers, metrics and the
    // drawing contexts' fonts, with nothing left to wait for.
    for (const WarmFont& warm : m_fonts) {
        TextLayout layout(kSample, TextStyle(warm.font));
        layout.drawnBoundingRect();
        drawSample(layout, 1);
        if (double scale = usableScale(warm.scale); scale != 1)
            drawSample(layout, scale);
    }

    g_object_unref(plain);
    for (PangoContext* context : contexts)
        g_object_unref(context);
}

}
