#include "viewkit/DrawingAsset.h"

namespace ostrel {

std::shared_ptr<const TextProviderType> DrawingAsset::asTextProvider() const
{
    auto* provider = std::get_if<std::weak_ptr<const TextProviderType>>(&m_value);
    return provider ? provider->lock() : nullptr;
}

std::string titleOfAssets(const std::vector<DrawingAsset>& assets)
{
    std::string title;
    for (const auto& asset : assets) {
        if (!asset.isTextProvider())
            continue;
        auto provider = asset.asTextProvider();
        title = provider ? provider->getText() : std::string {};
    }
    return title;
}

}
