// The suite itself catches code that turns the event loop while no run guards the
// windows it returns to: such a turn fails the test that made it, so a window that
// could be closed or switched under a wait never passes unnoticed.
#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(TurnOutsideRunReport, ATurnWhileNoRunIsActiveFailsTheTestThatMadeIt)
{
    ASSERT_FALSE(bkl::RunActive());
    EXPECT_NONFATAL_FAILURE(bkl::TurnEventLoop(), "The event loop turned while no run was active");
}
