#pragma once

#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"

#include <gtest/gtest.h>

// Every run-loop test starts on a virtual clock with an empty loop and leaves none of its
// timers or sources behind for the next test.
class RunLoopTest : public testing::Test {
protected:
    void TearDown() override { loop().discardAll(); }

    static base::RunLoop& loop() { return base::RunLoop::main(); }
    double start() const { return base::VirtualTime::kDefaultStart; }

    base::VirtualTime clock;
};
