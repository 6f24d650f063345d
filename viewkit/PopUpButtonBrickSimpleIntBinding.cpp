#include "viewkit/PopUpButtonBrickSimpleIntBinding.h"

#include "viewkit/SmartMenuItem.h"

namespace ostrel {

std::shared_ptr<PopUpButtonBrickSimpleIntBinding> PopUpButtonBrickSimpleIntBinding::create(std::shared_ptr<PopUpButtonBrick> brick,
    std::shared_ptr<ReadWriteVariableType<std::int64_t>> variable)
{
    std::shared_ptr<PopUpButtonBrickSimpleIntBinding> binding(new PopUpButtonBrickSimpleIntBinding);
    binding->m_brick = std::move(brick);
    binding->m_variable = wrapped(std::move(variable));
    return binding;
}

std::shared_ptr<SmartMenuItem> PopUpButtonBrickSimpleIntBinding::addItem(const std::string& title, std::int64_t value)
{
    if (!m_brick || !m_brick->menu())
        return nullptr;
    std::weak_ptr<PopUpButtonBrickSimpleIntBinding> weakSelf = weak_from_this();
    auto item = SmartMenuItem::create(title, [weakSelf, value] {
        if (auto self = weakSelf.lock(); self && self->m_variable)
            self->m_variable->setValue(value);
    });
    item->setTag(static_cast<int>(value));
    m_brick->menu()->addItem(item);
    return item;
}

PopUpButtonBrickSimpleIntBinding& PopUpButtonBrickSimpleIntBinding::activate()
{
    if (!m_variable)
        return *this;
    std::weak_ptr<PopUpButtonBrickSimpleIntBinding> weakSelf = weak_from_this();
    m_listenerToken = m_variable->addHotListener([weakSelf](const std::int64_t& value) {
        if (auto self = weakSelf.lock(); self && self->m_brick)
            self->m_brick->selectItemWithTag(static_cast<int>(value));
    });
    return *this;
}

void PopUpButtonBrickSimpleIntBinding::unbind()
{
    m_listenerToken.reset();
    m_brick.reset();
    m_variable.reset();
}

}
