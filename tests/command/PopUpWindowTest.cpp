#include "PopUpFixture.h"

namespace ostrel::test {

TEST_F(PopUpTest, Pictures)
{
    environment.screen = [](MatchingItemCollector& collector) {
        collector.addDefaultChoice("Start Time Slice", std::nullopt, [] { });
        collector.addFirstAlternative("Take a Break", std::nullopt, [] { });
        collector.addSecondAction("Add One Minute", KeyCombo(35, 0x1200), [] { }, false);
    };
    open();
    settle();
    writePicture("top-level");
    type("use soft");
    settle();
    writePicture("typed");
}

}
