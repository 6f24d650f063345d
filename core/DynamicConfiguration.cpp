#include "core/DynamicConfiguration.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/PropertyList.h"
#include "platform/base/Resources.h"

namespace ostrel {

std::string DynamicConfiguration::classNameForKey(const std::string& key, const std::string& propertyList)
{
    auto path = base::Resources::path(propertyList, "plist");
    if (!path)
        base::fatal("newObjectForKey: inPropertyList: Could not find plist: " + propertyList + " in bundle");
    auto contents = base::readPropertyList(*path);
    auto* dictionary = contents ? contents->asDictionary() : nullptr;
    if (!dictionary || dictionary->empty())
        base::fatal("newObjectForKey: inPropertyList: No keys found at: " + path->string());
    auto found = dictionary->find(key);
    if (found == dictionary->end())
        base::fatal("newObjectForKey: inPropertyList: Key " + key + " not found at: " + path->string());
    // A value that is not text names no class; it fails as an unknown class does.
    auto* className = found->second.asString();
    return className ? *className : std::string();
}

void DynamicConfiguration::classNotFound(const std::string& className)
{
    base::fatal("newObjectWithClassName: Could not find the class: " + className + " in the executable");
}

}
