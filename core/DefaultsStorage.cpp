#include "core/DefaultsStorage.h"

#include "platform/base/Defaults.h"

namespace ostrel {

StandardUserDefaultsStorage::StandardUserDefaultsStorage(std::shared_ptr<base::Defaults> defaults)
    : m_store(std::move(defaults))
{
}

void StandardUserDefaultsStorage::registerValue(const std::string& key, base::Value value)
{
    m_store->registerDefaults({ { key, std::move(value) } });
    m_store->synchronize();
}

void StandardUserDefaultsStorage::storeValue(const std::string& key, base::Value value)
{
    m_store->set(key, std::move(value));
    m_store->synchronize();
}

void StandardUserDefaultsStorage::registerDefault(double value, const std::string& key) { registerValue(key, value); }
void StandardUserDefaultsStorage::store(double value, const std::string& key) { storeValue(key, value); }
double StandardUserDefaultsStorage::getTimeInterval(const std::string& key) const { return m_store->real(key); }
void StandardUserDefaultsStorage::registerDefault(int64_t value, const std::string& key) { registerValue(key, static_cast<long long>(value)); }
void StandardUserDefaultsStorage::store(int64_t value, const std::string& key) { storeValue(key, static_cast<long long>(value)); }
int64_t StandardUserDefaultsStorage::getInteger(const std::string& key) const { return m_store->integer(key); }
void StandardUserDefaultsStorage::registerDefault(bool value, const std::string& key) { registerValue(key, value); }
void StandardUserDefaultsStorage::store(bool value, const std::string& key) { storeValue(key, value); }
bool StandardUserDefaultsStorage::getBoolean(const std::string& key) const { return m_store->boolean(key); }
void StandardUserDefaultsStorage::registerDefault(const Array& value, const std::string& key) { registerValue(key, value); }
void StandardUserDefaultsStorage::store(const Array& value, const std::string& key) { storeValue(key, value); }
std::optional<DefaultsStorageAPI::Array> StandardUserDefaultsStorage::getArray(const std::string& key) const { return m_store->array(key); }

bool StandardUserDefaultsStorage::defined(const std::string& key) const
{
    return m_store->object(key).has_value();
}

std::optional<DefaultsStorageAPI::Array> TestDefaultsStorage::getArray(const std::string& key) const
{
    auto found = m_defaultsDictionary.find(key);
    if (found == m_defaultsDictionary.end())
        return std::nullopt;
    if (auto* array = std::get_if<Array>(&found->second))
        return *array;
    return std::nullopt;
}

}
