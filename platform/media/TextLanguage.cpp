#include "platform/media/TextLanguage.h"

#include <array>
#include <map>
#include <set>
#include <vector>

namespace media {

namespace {

// Decodes UTF-8 leniently: a malformed byte becomes U+FFFD and decoding goes on.
std::u32string decode(std::string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        int length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3 : (byte >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + std::size_t(length) > text.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t point = length == 1 ? byte : byte & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            if ((next >> 6) != 2)
                valid = false;
            point = (point << 6) | (next & 0x3F);
        }
        out.push_back(valid ? point : 0xFFFD);
        i += valid ? std::size_t(length) : 1;
    }
    return out;
}

struct ScriptRange {
    char32_t first;
    char32_t last;
    const char* language;
};

// Scripts used by one language (or one above all others) settle the question on their own.
constexpr std::array<ScriptRange, 11> kScripts { {
    { 0x0370, 0x03FF, "el" },
    { 0x0400, 0x04FF, "ru" },
    { 0x0590, 0x05FF, "he" },
    { 0x0600, 0x06FF, "ar" },
    { 0x0900, 0x097F, "hi" },
    { 0x0E00, 0x0E7F, "th" },
    { 0x3040, 0x30FF, "ja" },
    { 0x4E00, 0x9FFF, "zh" },
    { 0xAC00, 0xD7AF, "ko" },
    { 0x1100, 0x11FF, "ko" },
    { 0x0530, 0x058F, "hy" },
} };

bool isLatinLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

char32_t lower(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 32;
    return c;
}

const std::map<std::string, std::set<std::u32string>>& commonWords()
{
    static const std::map<std::string, std::set<std::u32string>> words {
        { "en", { U"the", U"and", U"is", U"are", U"you", U"your", U"of", U"to", U"it", U"left", U"only", U"will",
                    U"for", U"with", U"this", U"that", U"time", U"starting", U"be", U"as", U"soon", U"stop",
                    U"working", U"finished", U"elapsed", U"minute", U"minutes", U"break" } },
        { "de", { U"der", U"die", U"das", U"und", U"ist", U"nicht", U"ich", U"du", U"sie", U"ein", U"eine", U"zu",
                    U"mit", U"noch", U"nur", U"minuten", U"beginnt", U"übrig", U"auf", U"deine", U"ihre", U"sekunden",
                    U"jetzt", U"arbeit", U"ende" } },
        { "fr", { U"le", U"la", U"les", U"et", U"est", U"une", U"un", U"vous", U"du", U"des", U"pas", U"pour",
                    U"il", U"reste", U"plus", U"que", U"votre", U"commence", U"terminé", U"secondes" } },
        { "es", { U"el", U"los", U"las", U"y", U"es", U"una", U"que", U"por", U"para", U"con", U"quedan",
                    U"minutos", U"descanso", U"tu", U"su", U"empieza", U"segundos" } },
        { "it", { U"il", U"lo", U"gli", U"e", U"è", U"una", U"che", U"per", U"con", U"non", U"minuti",
                    U"pausa", U"tuo", U"inizia", U"secondi" } },
        { "nl", { U"de", U"het", U"een", U"en", U"is", U"niet", U"van", U"met", U"voor", U"nog", U"pauze",
                    U"jouw", U"begint", U"seconden" } },
    };
    return words;
}

// Letters that occur in one of the languages above and rarely in the others.
const char* languageOfLetter(char32_t c)
{
    switch (c) {
    case U'ä': case U'ö': case U'ü': case U'ß':
        return "de";
    case U'ç': case U'ê': case U'â': case U'î': case U'ô': case U'û': case U'ë': case U'œ':
        return "fr";
    case U'ñ': case U'á': case U'í': case U'ó': case U'ú': case U'¿': case U'¡':
        return "es";
    case U'ì': case U'ò': case U'ù':
        return "it";
    default:
        return nullptr;
    }
}

}

std::string guessLanguage(std::string_view utf8)
{
    auto text = decode(utf8);
    std::map<std::string, int> scripts;
    std::map<std::string, int> scores;
    int latin = 0;
    std::vector<std::u32string> words(1);
    for (char32_t c : text) {
        for (const auto& range : kScripts) {
            if (c >= range.first && c <= range.last)
                ++scripts[range.language];
        }
        if (isLatinLetter(c) || c == U'¿' || c == U'¡') {
            if (isLatinLetter(c))
                ++latin;
            if (const char* language = languageOfLetter(lower(c)))
                scores[language] += 2;
            if (c != U'¿' && c != U'¡')
                words.back().push_back(lower(c));
        } else if (!words.back().empty()) {
            words.emplace_back();
        }
    }
    std::string best;
    int bestCount = 0;
    for (const auto& [language, count] : scripts) {
        if (count > bestCount) {
            best = language;
            bestCount = count;
        }
    }
    if (bestCount > latin)
        return best;
    if (latin == 0)
        return {};

    for (const auto& word : words) {
        for (const auto& [language, list] : commonWords()) {
            if (list.contains(word))
                scores[language] += 1;
        }
    }
    best = "en";
    int bestScore = 0;
    for (const auto& [language, score] : scores) {
        // English wins a tie: short texts in it share words with the others.
        if (score > bestScore || (score == bestScore && language == "en")) {
            best = language;
            bestScore = score;
        }
    }
    return best;
}

}
