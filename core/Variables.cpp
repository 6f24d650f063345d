#include "core/Variables.h"

#include "core/SettingsArchive.h"
#include "platform/gfx/Archive.h"

namespace ostrel {

std::shared_ptr<ColorReadWriteDefaultVariable> ColorReadWriteDefaultVariable::create(std::shared_ptr<base::Defaults> store,
    std::string storageKey, const gfx::Color& initialValue)
{
    std::shared_ptr<ColorReadWriteDefaultVariable> variable(
        new ColorReadWriteDefaultVariable(std::move(store), std::move(storageKey), initialValue));
    auto* self = variable.get();
    self->m_internalKVOResponder = KVOResponder::create(self->m_storageKey, self->m_store, false,
        [self](base::Defaults&, const std::string&) {
            self->m_privateValue = self->readStoredValue();
            self->m_changeListeners.notify(self->m_privateValue);
        });
    return variable;
}

ColorReadWriteDefaultVariable::ColorReadWriteDefaultVariable(std::shared_ptr<base::Defaults> store, std::string storageKey,
    const gfx::Color& initialValue)
    : m_store(std::move(store))
    , m_storageKey(std::move(storageKey))
    , m_initialValue(initialValue)
{
    m_store->registerDefaults({ { m_storageKey, gfx::archiveColor(initialValue) } });
    m_privateValue = readStoredValue();
}

gfx::Color ColorReadWriteDefaultVariable::readStoredValue() const
{
    return readColorSetting(*m_store, m_storageKey, m_initialValue);
}

void ColorReadWriteDefaultVariable::setValue(const gfx::Color& value)
{
    m_store->set(m_storageKey, gfx::archiveColor(value));
}

}
