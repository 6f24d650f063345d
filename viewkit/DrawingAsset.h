#pragma once

#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace ostrel {

// Anything that hands a drawing its text when it draws (a button, its current title).
class TextProviderType {
public:
    virtual ~TextProviderType() = default;
    virtual std::string getText() const = 0;
};

// One thing a drawing operation draws with: an image, a path, a fixed text, or a provider
// asked for its text at drawing time. A provider is held weakly: a stack kept by a brick
// names the brick itself, and must not keep it alive.
class DrawingAsset {
public:
    static DrawingAsset image(std::shared_ptr<gfx::Image> image) { return DrawingAsset(std::move(image)); }
    static DrawingAsset path(gfx::Path path) { return DrawingAsset(std::move(path)); }
    static DrawingAsset text(std::string text) { return DrawingAsset(std::move(text)); }
    static DrawingAsset textProvider(const std::shared_ptr<const TextProviderType>& provider)
    {
        return DrawingAsset(std::weak_ptr<const TextProviderType>(provider));
    }

    const std::shared_ptr<gfx::Image>* asImage() const { return std::get_if<std::shared_ptr<gfx::Image>>(&m_value); }
    const gfx::Path* asPath() const { return std::get_if<gfx::Path>(&m_value); }
    const std::string* asText() const { return std::get_if<std::string>(&m_value); }
    bool isTextProvider() const { return std::holds_alternative<std::weak_ptr<const TextProviderType>>(m_value); }
    // The provider while it lives; nullptr for another kind of asset or a provider gone.
    std::shared_ptr<const TextProviderType> asTextProvider() const;

private:
    using Value = std::variant<std::shared_ptr<gfx::Image>, gfx::Path, std::string, std::weak_ptr<const TextProviderType>>;
    explicit DrawingAsset(Value value)
        : m_value(std::move(value))
    {
    }
    Value m_value;
};

// The title a skin's drawing function draws: the text of the last text provider in the list
// (a provider gone counts as an empty text); no provider at all gives the empty text. Fixed
// texts are not titles.
std::string titleOfAssets(const std::vector<DrawingAsset>& assets);

}
