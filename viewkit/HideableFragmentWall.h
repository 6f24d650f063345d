#pragma once

#include "viewkit/FragmentWall.h"

#include "core/KVOResponder.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// A fragment whose visibility follows Boolean settings: once installed in its stack it
// registers each key's initial value as that key's default, observes the keys, and on every
// change asks its hiding rule whether to hide. The settings menus of label fragments flip
// the same keys. Keys are read from the standard settings store; an absent key reads false.
class HideableFragmentWall : public FragmentWall {
public:
    using ShouldHideExpression = std::function<bool(const std::vector<std::string>& storageKeys)>;

    // The hiding rules, over the keys' Boolean values.
    static const ShouldHideExpression NeverHide;
    // Hides when every key is true (so with no keys at all).
    static const ShouldHideExpression And;
    // Hides when some key is false.
    static const ShouldHideExpression None;
    // Hides when some key is true.
    static const ShouldHideExpression Or;
    // With exactly two keys: hides when the first is true or the second false; with any
    // other count it never hides.
    static const ShouldHideExpression OrNot;

    // No keys, rule NeverHide.
    static std::shared_ptr<HideableFragmentWall> create(ui::Rect frame = {});
    // One key with its default, rule And: hidden exactly while the key is true.
    static std::shared_ptr<HideableFragmentWall> create(const std::string& storageKey, bool isHiddenByDefault);

    // The view inside a new fragment for one key (rule And): placed within the current
    // factory's insets with an offset, else filling it. Returned uninstalled.
    static std::shared_ptr<HideableFragmentWall> embedViewInHideableFragment(const std::shared_ptr<ui::View>& view,
        const std::string& storageKey, bool isHiddenByDefault, bool withOffset);
    static std::shared_ptr<HideableFragmentWall> embedViewInHideableFragment(const std::shared_ptr<ui::View>& view,
        std::vector<std::string> storageKeys, std::vector<std::optional<bool>> initialValues, ShouldHideExpression shouldHideWhen);

    const std::vector<std::string>& storageKeys() const { return m_storageKeys; }
    void setStorageKeys(std::vector<std::string> keys) { m_storageKeys = std::move(keys); }
    const ShouldHideExpression& shouldHideExpression() const { return m_shouldHideExpression; }
    void setShouldHideExpression(ShouldHideExpression expression) { m_shouldHideExpression = std::move(expression); }
    std::shared_ptr<FragmentStackView> parentStackView() const { return m_parentStackView.lock(); }
    // One per key; an absent value registers no default for its key.
    const std::vector<std::optional<bool>>& initialValues() const { return m_initialValues; }
    void setInitialValues(std::vector<std::optional<bool>> values) { m_initialValues = std::move(values); }
    const std::vector<std::shared_ptr<KVOResponder>>& kvoResponders() const { return m_kvoResponders; }

    // One key with its default and the rule And, on an existing fragment.
    void configure(const std::string& storageKey, bool initialValue);
    // Add the fragment to the stack as an arranged view first. A key without an initial value
    // is observed but gets no default.
    void install(const std::shared_ptr<FragmentStackView>& parentStackView) override;
    // Applies the rule now: hides or shows the fragment in its stack (nothing before install).
    void update();
    bool shouldHide() const;

protected:
    friend class Wall;
    explicit HideableFragmentWall(ui::Rect frame);

private:
    std::vector<std::string> m_storageKeys;
    ShouldHideExpression m_shouldHideExpression { NeverHide };
    std::weak_ptr<FragmentStackView> m_parentStackView;
    std::vector<std::optional<bool>> m_initialValues;
    std::vector<std::shared_ptr<KVOResponder>> m_kvoResponders;
};

}
