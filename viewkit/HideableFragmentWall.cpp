#include "viewkit/HideableFragmentWall.h"

#include "viewkit/FragmentStackView.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"

#include "platform/base/Defaults.h"

namespace ostrel {

namespace {

bool keyIsTrue(const std::string& key) { return base::Defaults::standard()->boolean(key); }

}

const HideableFragmentWall::ShouldHideExpression HideableFragmentWall::NeverHide = [](const std::vector<std::string>&) {
    return false;
};

const HideableFragmentWall::ShouldHideExpression HideableFragmentWall::And = [](const std::vector<std::string>& keys) {
    for (const auto& key : keys) {
        if (!keyIsTrue(key))
            return false;
    }
    return true;
};

const HideableFragmentWall::ShouldHideExpression HideableFragmentWall::None = [](const std::vector<std::string>& keys) {
    for (const auto& key : keys) {
        if (!keyIsTrue(key))
            return true;
    }
    return false;
};

const HideableFragmentWall::ShouldHideExpression HideableFragmentWall::Or = [](const std::vector<std::string>& keys) {
    for (const auto& key : keys) {
        if (keyIsTrue(key))
            return true;
    }
    return false;
};

const HideableFragmentWall::ShouldHideExpression HideableFragmentWall::OrNot = [](const std::vector<std::string>& keys) {
    return keys.size() == 2 && (keyIsTrue(keys[0]) || !keyIsTrue(keys[1]));
};

std::shared_ptr<HideableFragmentWall> HideableFragmentWall::create(ui::Rect frame) { return make<HideableFragmentWall>(frame); }

std::shared_ptr<HideableFragmentWall> HideableFragmentWall::create(const std::string& storageKey, bool isHiddenByDefault)
{
    auto fragment = create();
    fragment->configure(storageKey, isHiddenByDefault);
    return fragment;
}

HideableFragmentWall::HideableFragmentWall(ui::Rect frame)
    : FragmentWall(frame)
{
}

void HideableFragmentWall::configure(const std::string& storageKey, bool initialValue)
{
    m_storageKeys = { storageKey };
    m_initialValues = { initialValue };
    m_shouldHideExpression = And;
}

bool HideableFragmentWall::shouldHide() const { return m_shouldHideExpression && m_shouldHideExpression(m_storageKeys); }

void HideableFragmentWall::install(const std::shared_ptr<FragmentStackView>& parentStackView)
{
    m_parentStackView = parentStackView;
    auto store = base::Defaults::standard();
    std::weak_ptr<HideableFragmentWall> weakSelf = std::static_pointer_cast<HideableFragmentWall>(shared_from_this());
    for (std::size_t i = 0; i < m_storageKeys.size(); ++i) {
        const std::string& key = m_storageKeys[i];
        if (i < m_initialValues.size() && m_initialValues[i]) {
            store->registerDefaults({ { key, *m_initialValues[i] } });
            store->synchronize();
        }
        m_kvoResponders.push_back(KVOResponder::create(key, store, false, [weakSelf](base::Defaults&, const std::string&) {
            if (auto self = weakSelf.lock())
                self->update();
        }));
    }
    if (shouldHide())
        parentStackView->hideFragment(*this);
}

void HideableFragmentWall::update()
{
    auto parent = m_parentStackView.lock();
    if (!parent)
        return;
    if (shouldHide())
        parent->hideFragment(*this);
    else
        parent->showFragment(*this);
}

std::shared_ptr<HideableFragmentWall> HideableFragmentWall::embedViewInHideableFragment(const std::shared_ptr<ui::View>& view,
    const std::string& storageKey, bool isHiddenByDefault, bool withOffset)
{
    auto fragment = create(storageKey, isHiddenByDefault);
    fragment->addSubview(view);
    LayoutConstraintMaker maker(*view);
    using A = ui::LayoutAttribute;
    // The insets are the current factory's: the new fragment's own, which resolve to the top
    // level's while it has no superview.
    if (withOffset)
        maker.container().place(A::Top, A::Top).place(A::Bottom, A::Bottom).place(A::Left, A::Left).place(A::Right, A::Right);
    else
        maker.fillContainer();
    fragment->addConstraints(maker.constraints());
    return fragment;
}

std::shared_ptr<HideableFragmentWall> HideableFragmentWall::embedViewInHideableFragment(const std::shared_ptr<ui::View>& view,
    std::vector<std::string> storageKeys, std::vector<std::optional<bool>> initialValues, ShouldHideExpression shouldHideWhen)
{
    auto fragment = create();
    fragment->m_shouldHideExpression = std::move(shouldHideWhen);
    fragment->m_initialValues = std::move(initialValues);
    fragment->m_storageKeys = std::move(storageKeys);
    fragment->addSubview(view);
    LayoutConstraintMaker maker(*view);
    maker.fillContainer();
    fragment->addConstraints(maker.constraints());
    return fragment;
}

}
