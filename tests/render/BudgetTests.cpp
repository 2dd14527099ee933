// The frame budget's bookkeeping: held bytes against the budget, the order of last drawing that
// picks the frame to release, and the budget read from the environment's text.
#include <gtest/gtest.h>

#include <vector>

#include "render/FrameBudget.h"
#include "render/FramePreparation.h"

namespace
{
TEST(FrameBudget, HeldBytesFollowHoldingAndReleasingAgainstTheBudget)
{
    cFrameBudget Budget;
    Budget.Start(4, 100);
    EXPECT_TRUE(Budget.Fits(100));
    EXPECT_FALSE(Budget.Fits(101));
    Budget.Held(0, 60);
    Budget.Held(1, 30);
    EXPECT_EQ(Budget.HeldBytes(), 90u);
    EXPECT_TRUE(Budget.Fits(10));
    EXPECT_FALSE(Budget.Fits(11));
    // Holding a frame again replaces its size; releasing twice or out of range changes nothing.
    Budget.Held(1, 40);
    EXPECT_EQ(Budget.HeldBytes(), 100u);
    Budget.Released(0);
    Budget.Released(0);
    Budget.Released(-1);
    Budget.Released(4);
    Budget.Held(7, 5);
    EXPECT_EQ(Budget.HeldBytes(), 40u);
    EXPECT_FALSE(Budget.IsHeld(0));
    EXPECT_TRUE(Budget.IsHeld(1));
    // A size beyond the budget never fits, whatever is held, without wrapping around.
    EXPECT_FALSE(Budget.Fits(static_cast<std::size_t>(-1)));

    Budget.Start(2, 50);
    EXPECT_EQ(Budget.HeldBytes(), 0u);
    EXPECT_FALSE(Budget.IsHeld(1));
    EXPECT_EQ(Budget.Budget(), 50u);
}

TEST(FrameBudget, FramesAreReleasedNeverDrawnFirstThenLeastRecentlyDrawn)
{
    cFrameBudget Budget;
    Budget.Start(6, 1000);
    for (int Frame = 0; Frame < 6; ++Frame)
        Budget.Held(Frame, 10);
    for (int Frame : {3, 1, 4, 1, 5})
        Budget.Drawn(Frame);
    // Never drawn: 0 and 2 in frame order; then 3, 4, 1 (drawn again last but one), 5.
    std::vector<int> Order;
    for (int Frame = Budget.LeastRecentlyDrawn({}); Frame >= 0;
         Frame = Budget.LeastRecentlyDrawn({}))
    {
        Order.push_back(Frame);
        Budget.Released(Frame);
    }
    EXPECT_EQ(Order, (std::vector<int>{0, 2, 3, 4, 1, 5}));
    EXPECT_EQ(Budget.HeldBytes(), 0u);
}

TEST(FrameBudget, SparedFramesAreNeverChosen)
{
    cFrameBudget Budget;
    Budget.Start(4, 1000);
    for (int Frame = 0; Frame < 4; ++Frame)
    {
        Budget.Held(Frame, 10);
        Budget.Drawn(Frame);
    }
    EXPECT_EQ(Budget.LeastRecentlyDrawn({true, false, false, false}), 1);
    EXPECT_EQ(Budget.LeastRecentlyDrawn({true, true, true}), 3);
    EXPECT_EQ(Budget.LeastRecentlyDrawn({true, true, true, true}), -1);
    // Drawing a frame moves it to the end of the order.
    Budget.Drawn(0);
    EXPECT_EQ(Budget.LeastRecentlyDrawn({}), 1);
}

TEST(FrameBudget, BudgetTextIsAWholePositiveNumberOfMiB)
{
    std::size_t MiB = 7;
    EXPECT_TRUE(ParseFrameBudgetMiB("250", MiB));
    EXPECT_EQ(MiB, 250u);
    EXPECT_TRUE(ParseFrameBudgetMiB("1048576", MiB));
    EXPECT_EQ(MiB, 1048576u);
    for (const char* pszBad : {"", "0", "-5", "+5", " 5", "5 ", "5MB", "2.5", "abc", "1048577",
                               "99999999999999999999999"})
    {
        MiB = 7;
        EXPECT_FALSE(ParseFrameBudgetMiB(pszBad, MiB)) << '"' << pszBad << '"';
        EXPECT_EQ(MiB, 7u) << '"' << pszBad << '"';
    }
    EXPECT_FALSE(ParseFrameBudgetMiB(nullptr, MiB));
}
}  // namespace
