#include "platform/gfx/Fonts.h"

#include "platform/base/Diagnostics.h"
#include "platform/gfx/FontWarmUp.h"

#include <array>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <string_view>
#include <utility>
#include <vector>

namespace gfx {

namespace {

// Our name for the system font's family; the shipped configuration maps it.
constexpr const char* kSystemFamily = "Ostrel System";

struct FontState {
    PangoFontMap* map { nullptr };
    FcConfig* config { nullptr };
    // Counts the maps made, so that contexts of a replaced map are made again.
    unsigned generation { 0 };
};

FontState& fontState()
{
    static FontState state;
    return state;
}

struct Style {
    PangoWeight weight { PANGO_WEIGHT_NORMAL };
    PangoStyle slant { PANGO_STYLE_NORMAL };
    PangoStretch stretch { PANGO_STRETCH_NORMAL };
};

// The style words PostScript names end in, with what each one asks for.
bool applyStyleWord(std::string_view word, Style& style)
{
    struct Entry {
        std::string_view word;
        int weight;
        PangoStyle slant;
        PangoStretch stretch;
    };
    constexpr int same = -1;
    static constexpr std::array<Entry, 22> entries { {
        { "UltraLight", 100, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "ExtraLight", 200, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Thin", 200, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Light", 300, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Book", 400, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Roman", 400, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Regular", 400, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Medium", 500, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Demi", 600, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "SemiBold", 600, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "DemiBold", 600, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Bold", 700, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "ExtraBold", 800, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Heavy", 800, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Black", 900, PANGO_STYLE_NORMAL, PANGO_STRETCH_NORMAL },
        { "Italic", same, PANGO_STYLE_ITALIC, PANGO_STRETCH_NORMAL },
        { "Oblique", same, PANGO_STYLE_OBLIQUE, PANGO_STRETCH_NORMAL },
        { "Condensed", same, PANGO_STYLE_NORMAL, PANGO_STRETCH_CONDENSED },
        { "Narrow", same, PANGO_STYLE_NORMAL, PANGO_STRETCH_CONDENSED },
        { "Compressed", same, PANGO_STYLE_NORMAL, PANGO_STRETCH_EXTRA_CONDENSED },
        { "Expanded", same, PANGO_STYLE_NORMAL, PANGO_STRETCH_EXPANDED },
        { "Wide", same, PANGO_STYLE_NORMAL, PANGO_STRETCH_EXPANDED },
    } };
    for (const Entry& entry : entries) {
        if (entry.word != word)
            continue;
        if (entry.weight != same)
            style.weight = PangoWeight(entry.weight);
        if (entry.slant != PANGO_STYLE_NORMAL)
            style.slant = entry.slant;
        if (entry.stretch != PANGO_STRETCH_NORMAL)
            style.stretch = entry.stretch;
        return true;
    }
    return false;
}

// "HelveticaNeue" → "Helvetica", "Neue"; "BoldOblique" → "Bold", "Oblique"; capitals in a
// row ("URWGothic") stay together with the word they start.
std::vector<std::string> camelWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ' ' || c == '_') {
            if (!word.empty())
                words.push_back(std::exchange(word, {}));
            continue;
        }
        bool upper = std::isupper(static_cast<unsigned char>(c));
        bool afterLower = i > 0 && std::islower(static_cast<unsigned char>(text[i - 1]));
        if (upper && afterLower && !word.empty())
            words.push_back(std::exchange(word, {}));
        word += c;
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

struct ParsedName {
    std::string family;
    Style style;
};

ParsedName parse(const Font& font)
{
    ParsedName parsed;
    if (font.isSystem()) {
        parsed.family = kSystemFamily;
        return parsed;
    }
    std::string_view name = font.postScriptName;
    size_t dash = name.find('-');
    std::vector<std::string> words = camelWords(name.substr(0, dash));
    // Names written with spaces ("Helvetica Neue Bold") carry their style words at the end.
    while (words.size() > 1 && applyStyleWord(words.back(), parsed.style))
        words.pop_back();
    if (dash != std::string_view::npos) {
        for (const std::string& word : camelWords(name.substr(dash + 1)))
            applyStyleWord(word, parsed.style);
    }
    for (const std::string& word : words)
        parsed.family += (parsed.family.empty() ? "" : " ") + word;
    return parsed;
}

PangoWeight pangoWeight(FontWeight weight)
{
    constexpr int weights[] = { 100, 200, 300, 400, 500, 600, 700, 800, 900 };
    return PangoWeight(weights[int(weight)]);
}

}

void PangoFontDescriptionDeleter::operator()(PangoFontDescription* description) const
{
    pango_font_description_free(description);
}

bool pinFonts(const std::filesystem::path& configurationFile)
{
    FontWarmUp::handOver();
    FcConfig* config = FcConfigCreate();
    if (!FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(configurationFile.c_str()), FcTrue)
        || !FcConfigBuildFonts(config)) {
        FcConfigDestroy(config);
        base::diagnostic("graphics: cannot read font configuration " + configurationFile.string());
        return false;
    }
    // Ours becomes fontconfig's default too. Otherwise pango's first font map loads the
    // desktop's whole configuration on a thread of its own (tens of files, every font
    // directory's cache), only for it to go unused, and the first text measured waits for it:
    // a tenth of a second of the start, and its tables stay in memory.
    FcConfigSetCurrent(config);
    PangoFontMap* map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    if (!map || !PANGO_IS_FC_FONT_MAP(map)) {
        if (map)
            g_object_unref(map);
        FcConfigDestroy(config);
        return false;
    }
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), config);
    FontState& state = fontState();
    if (state.map)
        g_object_unref(state.map);
    if (state.config)
        FcConfigDestroy(state.config);
    state.map = map;
    state.config = config;
    ++state.generation;
    return true;
}

PangoFontMap* fontMap()
{
    // A warm-up still loading fonts has them to itself until it is over.
    FontWarmUp::handOver();
    FontState& state = fontState();
    if (!state.map)
        state.map = pango_cairo_font_map_new();
    return state.map;
}

PangoContext* newPangoContext()
{
    PangoContext* context = pango_font_map_create_context(fontMap());
    pango_cairo_context_set_resolution(context, 72);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, FALSE);
    return context;
}

namespace {
struct SharedContexts {
    unsigned generation { 0 };
    PangoContext* contexts[3] { nullptr, nullptr, nullptr };

    void clear()
    {
        for (auto*& context : contexts) {
            if (context)
                g_object_unref(context);
            context = nullptr;
        }
    }
    ~SharedContexts() { clear(); }
};
}

PangoContext* sharedPangoContext(SharedContext purpose)
{
    thread_local SharedContexts shared;
    fontMap();
    if (shared.generation != fontState().generation) {
        shared.clear();
        shared.generation = fontState().generation;
    }
    PangoContext*& context = shared.contexts[int(purpose)];
    if (!context) {
        context = newPangoContext();
        if (purpose == SharedContext::drawingOnWholePixels)
            pango_context_set_round_glyph_positions(context, TRUE);
    }
    return context;
}

unsigned fontGeneration() { return fontState().generation; }

std::string familyName(const Font& font) { return parse(font).family; }

PangoFontDescriptionPtr pangoFontDescription(const Font& font)
{
    ParsedName parsed = parse(font);
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, parsed.family.c_str());
    PangoWeight weight = font.weight != FontWeight::regular || font.isSystem() ? pangoWeight(font.weight) : parsed.style.weight;
    pango_font_description_set_weight(description, weight);
    pango_font_description_set_style(description, parsed.style.slant);
    pango_font_description_set_stretch(description, parsed.style.stretch);
    double size = std::isfinite(font.pointSize) && font.pointSize > 0 ? std::min(font.pointSize, 4096.0) : 12.0;
    pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
    return PangoFontDescriptionPtr(description);
}

std::string pangoFontFeatures(const Font& font) { return font.monospacedDigits ? "tnum 1" : ""; }

bool canMakeFont(const std::string& postScriptName)
{
    if (postScriptName.empty())
        return false;
    fontMap();
    FcConfig* config = fontState().config;
    std::string family = parse(Font::named(postScriptName, 12)).family;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    // After the configuration's substitutions the first family is what the name became.
    FcChar8* wanted = nullptr;
    FcPatternGetString(pattern, FC_FAMILY, 0, &wanted);
    std::string wantedFamily = wanted ? reinterpret_cast<const char*>(wanted) : family;
    FcResult result;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    bool found = false;
    if (match) {
        FcChar8* matched = nullptr;
        for (int i = 0; !found && FcPatternGetString(match, FC_FAMILY, i, &matched) == FcResultMatch; ++i)
            found = FcStrCmpIgnoreCase(matched, reinterpret_cast<const FcChar8*>(wantedFamily.c_str())) == 0;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

}

// fontconfig keeps a pattern's elements behind offsets from the pattern, not pointers, so
// the leak checker of sanitised builds cannot see that they are still reachable and reports
// every font lookup as a leak (in tests and tools built with sanitizers). The bus library
// keeps process-wide tables that only its own shutdown frees, and SDL's video, which opens
// the session bus for input methods, stays up to the end of the process (see SdlBackend).
// Only those libraries' allocations are excused.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
