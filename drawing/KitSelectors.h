#pragma once

#include "drawing/ResizingBehavior.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Gradient.h"
#include "platform/gfx/Shadow.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <variant>
#include <vector>

namespace gfx {
class Image;
}

// The selector form of the drawing kits. Every kit member is reachable by its selector name:
// a colour, gradient, shadow or parameterless image by its bare name (`brightFrame`,
// `imageOfClear`); a member with parameters by its base name, "With", the first label with
// a capital, a colon, and each further label and a colon (`drawLockIconWithFrame:resizing:
// endAngle:`). Arguments travel as `KitArgument`s; `resizing` as its raw value, a number.
//
// A kit builds its table once from its own members, so both forms run the same body:
//
//     static const KitSelectorTable& selectors()
//     {
//         static const KitSelectorTable table = [] {
//             KitSelectorTable t;
//             t.add("brightFrame", &OstrelStyleKit::brightFrame);
//             t.add("drawHideIconWithFrame:resizing:", &OstrelStyleKit::drawHideIcon);
//             return t;
//         }();
//         return table;
//     }
//
// Members take parameters of the types below (by value or const reference): gfx::Rect,
// gfx::Size, double, bool, std::string_view, gfx::Color, gfx::Gradient, gfx::Shadow and
// ResizingBehavior; they return nothing, a cached colour, gradient or shadow by const
// reference, or an image.
namespace ostrel {

using KitArgument = std::variant<gfx::Rect, gfx::Size, double, bool, std::string, gfx::Color, gfx::Gradient, gfx::Shadow>;
enum class KitArgumentKind { rect, size, number, boolean, text, color, gradient, shadow };

// What a member hands back: nothing (a routine drew), the kit's own cached colour, gradient
// or shadow (alive for the whole process), or an image.
using KitResult = std::variant<std::monostate, const gfx::Color*, const gfx::Gradient*, const gfx::Shadow*, std::shared_ptr<gfx::Image>>;

class KitSelectorTable {
public:
    struct Entry {
        std::string selector;
        std::vector<KitArgumentKind> parameters;
        std::function<std::optional<KitResult>(std::span<const KitArgument>)> body;
    };

    // Publishes `member` under `selector`; a selector whose colons do not match the member's
    // parameters, or one published twice, is a programming error.
    template<typename Result, typename... Parameters>
    void add(std::string selector, Result (*member)(Parameters...));

    // Runs the member. None, with a diagnostic line and nothing drawn, for an unknown
    // selector, arguments of the wrong number or kinds, or a `resizing` outside 0 to 3.
    std::optional<KitResult> perform(std::string_view selector, std::span<const KitArgument> arguments = {}) const;

    const Entry* find(std::string_view selector) const;
    // In the order they were published.
    const std::vector<Entry>& entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }

private:
    template<typename T>
    struct Traits;
    void insert(Entry);

    std::vector<Entry> m_entries;
    std::unordered_map<std::string, size_t> m_index;
};

template<>
struct KitSelectorTable::Traits<gfx::Rect> {
    static constexpr KitArgumentKind kind = KitArgumentKind::rect;
    static std::optional<gfx::Rect> from(const KitArgument& a) { return std::get<gfx::Rect>(a); }
};
template<>
struct KitSelectorTable::Traits<gfx::Size> {
    static constexpr KitArgumentKind kind = KitArgumentKind::size;
    static std::optional<gfx::Size> from(const KitArgument& a) { return std::get<gfx::Size>(a); }
};
template<>
struct KitSelectorTable::Traits<double> {
    static constexpr KitArgumentKind kind = KitArgumentKind::number;
    static std::optional<double> from(const KitArgument& a) { return std::get<double>(a); }
};
template<>
struct KitSelectorTable::Traits<bool> {
    static constexpr KitArgumentKind kind = KitArgumentKind::boolean;
    static std::optional<bool> from(const KitArgument& a) { return std::get<bool>(a); }
};
template<>
struct KitSelectorTable::Traits<std::string_view> {
    static constexpr KitArgumentKind kind = KitArgumentKind::text;
    static std::optional<std::string_view> from(const KitArgument& a) { return std::string_view(std::get<std::string>(a)); }
};
template<>
struct KitSelectorTable::Traits<gfx::Color> {
    static constexpr KitArgumentKind kind = KitArgumentKind::color;
    static std::optional<gfx::Color> from(const KitArgument& a) { return std::get<gfx::Color>(a); }
};
template<>
struct KitSelectorTable::Traits<gfx::Gradient> {
    static constexpr KitArgumentKind kind = KitArgumentKind::gradient;
    static std::optional<gfx::Gradient> from(const KitArgument& a) { return std::get<gfx::Gradient>(a); }
};
template<>
struct KitSelectorTable::Traits<gfx::Shadow> {
    static constexpr KitArgumentKind kind = KitArgumentKind::shadow;
    static std::optional<gfx::Shadow> from(const KitArgument& a) { return std::get<gfx::Shadow>(a); }
};
template<>
struct KitSelectorTable::Traits<ResizingBehavior> {
    static constexpr KitArgumentKind kind = KitArgumentKind::number;
    static std::optional<ResizingBehavior> from(const KitArgument& a) { return resizingBehaviorFromRaw(std::get<double>(a)); }
};

namespace detail {
template<typename Result>
KitResult kitResult(Result&& value)
{
    using R = std::decay_t<Result>;
    if constexpr (std::is_same_v<R, gfx::Color> || std::is_same_v<R, gfx::Gradient> || std::is_same_v<R, gfx::Shadow>)
        return &value;
    else
        return std::shared_ptr<gfx::Image>(std::forward<Result>(value));
}
}

template<typename Result, typename... Parameters>
void KitSelectorTable::add(std::string selector, Result (*member)(Parameters...))
{
    static_assert(std::is_void_v<Result> || std::is_reference_v<Result> || std::is_same_v<Result, std::shared_ptr<gfx::Image>>,
        "kit members return nothing, a cached value by reference, or an image");
    Entry entry;
    entry.selector = std::move(selector);
    entry.parameters = { Traits<std::decay_t<Parameters>>::kind... };
    entry.body = [member](std::span<const KitArgument> arguments) -> std::optional<KitResult> {
        auto call = [&]<size_t... I>(std::index_sequence<I...>) -> std::optional<KitResult> {
            std::tuple<std::optional<std::decay_t<Parameters>>...> converted { Traits<std::decay_t<Parameters>>::from(arguments[I])... };
            if (!(std::get<I>(converted).has_value() && ...))
                return std::nullopt;
            if constexpr (std::is_void_v<Result>) {
                member(*std::get<I>(converted)...);
                return KitResult {};
            } else {
                return detail::kitResult(member(*std::get<I>(converted)...));
            }
        };
        return call(std::index_sequence_for<Parameters...> {});
    };
    insert(std::move(entry));
}

}
