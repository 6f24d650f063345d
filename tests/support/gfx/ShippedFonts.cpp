#include "tests/support/gfx/Canvas.h"

namespace {

class ShippedFonts : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(gfx::test::pinShippedFonts()); }
};

const auto* const registered = testing::AddGlobalTestEnvironment(new ShippedFonts);

}
