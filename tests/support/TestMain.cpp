// Every test runs headless: SDL draws into memory and plays to nowhere.
// Without these SDL would fall back to drawing in the terminal. Each test
// starts from the state of a fresh process, whatever ran before it.

#include "support/ProcessState.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct FreshProcessState : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { ResetProcessState(); }
};

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshProcessState);
    return RUN_ALL_TESTS();
}
