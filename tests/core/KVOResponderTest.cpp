#include "core/KVOResponder.h"

#include "platform/base/Defaults.h"
#include "platform/base/Observable.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(KVOResponder, HotRunsOnceAtOnceAndEveryChangeRunsAgain)
{
    auto store = base::Defaults::create({});
    std::vector<std::string> calls;
    auto hot = KVOResponder::create("tags", store, true,
        [&](base::Defaults& defaults, const std::string& key) { calls.push_back("hot " + key + "=" + defaults.string(key).value_or("-")); });
    auto cold = KVOResponder::create("tags", store, false,
        [&](base::Defaults&, const std::string& key) { calls.push_back("cold " + key); });
    EXPECT_EQ(calls, std::vector<std::string> { "hot tags=-" });
    store->set("tags", "@a");
    store->set("tags", "@a");
    store->set("other", "x");
    EXPECT_EQ(calls, (std::vector<std::string> { "hot tags=-", "hot tags=@a", "cold tags", "hot tags=@a", "cold tags" }));
    hot.reset();
    store->set("tags", "@b");
    EXPECT_EQ(calls.back(), "cold tags");
    EXPECT_EQ(calls.size(), 6u);
}

TEST(KVOResponder, ObservesAnyObservableObjectUntilItGoes)
{
    auto object = std::make_shared<base::Observable>();
    int changes = 0;
    auto responder = KVOResponder::create("string", object, false, [&](base::Observable&, const std::string&) { ++changes; });
    object->didChange("string");
    object->didChange("font");
    EXPECT_EQ(changes, 1);
    responder.reset();
    EXPECT_EQ(object->observerCount("string"), 0u);
    object->didChange("string");
    EXPECT_EQ(changes, 1);
}

}
}
