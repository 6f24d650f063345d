#include "platform/base/KeyedProperties.h"

#include "platform/base/Diagnostics.h"

namespace base {

std::vector<std::string> KeyedProperties::propertyNames() const
{
    std::vector<std::string> names;
    for (const auto& [name, property] : m_properties)
        names.push_back(name);
    return names;
}

std::any KeyedProperties::value(const std::string& key) const
{
    auto found = m_properties.find(key);
    if (found == m_properties.end())
        fatal("this object has no property named '" + key + "'");
    return found->second.get();
}

void KeyedProperties::setValue(const std::string& key, std::any value)
{
    auto found = m_properties.find(key);
    if (found == m_properties.end())
        fatal("this object has no property named '" + key + "'");
    if (!found->second.set)
        fatal("the property '" + key + "' is read-only");
    found->second.set(value);
    didChange(key);
}

void KeyedProperties::exposeProperty(std::string key, Getter get, Setter set)
{
    m_properties[std::move(key)] = Property { std::move(get), std::move(set) };
}

void KeyedProperties::typeMismatch(const std::string& key, const std::type_info& propertyType,
    const std::type_info& usedAs)
{
    fatal("the property '" + key + "' is a " + propertyType.name() + ", used as a " + usedAs.name());
}

}
