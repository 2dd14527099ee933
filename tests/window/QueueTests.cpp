// The wx back end's message queue: what the shell's loop relies on about order, coalesced
// repaints, the quit message and the character of a key press.
#include <gtest/gtest.h>

#include "platform/window/wxMessageQueue.h"

namespace
{
const HWindow MAIN = static_cast<HWindow>(1);
const HWindow DIALOG = static_cast<HWindow>(2);

tMessage Message(std::uint32_t Msg, std::uintptr_t wParam = 0, HWindow Window = MAIN)
{
    return {Window, Msg, wParam, 0};
}

// Takes everything waiting (validating each paint as the window procedure would) and returns
// the message numbers in order.
std::vector<std::uint32_t> Drain(cWxMessageQueue& Queue)
{
    std::vector<std::uint32_t> Taken;
    tMessage Msg;
    std::uint32_t Char = 0;
    while (Queue.Take(Msg, Char))
    {
        Taken.push_back(Msg.Msg);
        if (Msg.Msg == WM_PAINT)
            Queue.Validate();
    }
    return Taken;
}
}  // namespace

TEST(WxMessageQueue, PaintComesOnlyWhenNothingElseWaitsAndManyRequestsMakeOne)
{
    cWxMessageQueue Queue;
    Queue.Invalidate(MAIN);
    Queue.Post(Message(WM_KEYDOWN, VK_LEFT));
    Queue.Invalidate(MAIN);
    Queue.Post(Message(WM_COMMAND, 40004));
    Queue.Invalidate(MAIN);
    EXPECT_EQ(Drain(Queue), (std::vector<std::uint32_t>{WM_KEYDOWN, WM_COMMAND, WM_PAINT}));
    EXPECT_FALSE(Queue.HasMessage());
}

TEST(WxMessageQueue, PaintStaysPendingUntilValidated)
{
    cWxMessageQueue Queue;
    Queue.Invalidate(MAIN);
    tMessage Msg;
    std::uint32_t Char = 0;
    ASSERT_TRUE(Queue.Take(Msg, Char));
    EXPECT_EQ(Msg.Msg, WM_PAINT);
    EXPECT_EQ(Msg.Window, MAIN);
    // A paint handler that does not validate gets the paint again.
    EXPECT_TRUE(Queue.HasMessage());
    Queue.Validate();
    EXPECT_FALSE(Queue.Take(Msg, Char));
}

TEST(WxMessageQueue, QuitKeepsItsPlaceAndOutranksAPendingPaint)
{
    cWxMessageQueue Queue;
    Queue.Post(Message(WM_CHAR, 'n'));
    Queue.PostQuit(3);
    Queue.Post(Message(WM_KEYDOWN, VK_HOME));
    Queue.Invalidate(MAIN);
    tMessage Msg;
    std::uint32_t Char = 0;
    ASSERT_TRUE(Queue.Take(Msg, Char));
    EXPECT_EQ(Msg.Msg, WM_CHAR);
    ASSERT_TRUE(Queue.Take(Msg, Char));
    EXPECT_EQ(Msg.Msg, WM_QUIT);
    EXPECT_EQ(Msg.wParam, 3u);
}

TEST(WxMessageQueue, CharacterTravelsWithItsKeyDownAndFrontPostingGoesNext)
{
    cWxMessageQueue Queue;
    Queue.Post(Message(WM_KEYDOWN, 'N'));
    EXPECT_TRUE(Queue.AttachChar('n'));
    // Only one character per key-down, and none onto other messages.
    EXPECT_FALSE(Queue.AttachChar('x'));
    Queue.Post(Message(WM_KEYDOWN, 'P'));
    Queue.Post(Message(WM_SIZE));
    EXPECT_FALSE(Queue.AttachChar('p'));

    tMessage Msg;
    std::uint32_t Char = 0;
    ASSERT_TRUE(Queue.Take(Msg, Char));
    EXPECT_EQ(Msg.wParam, static_cast<std::uintptr_t>('N'));
    EXPECT_EQ(Char, static_cast<std::uint32_t>('n'));
    // What TranslateMessage does with it: the character is handled before the next key.
    Queue.PostFront(Message(WM_CHAR, Char));
    ASSERT_TRUE(Queue.Take(Msg, Char));
    EXPECT_EQ(Msg.Msg, WM_CHAR);
    EXPECT_EQ(Msg.wParam, static_cast<std::uintptr_t>('n'));
    ASSERT_TRUE(Queue.Take(Msg, Char));
    EXPECT_EQ(Msg.Msg, WM_KEYDOWN);
    EXPECT_EQ(Char, 0u);
}

TEST(WxMessageQueue, DroppingAWindowKeepsOtherWindowsAndTheQuit)
{
    cWxMessageQueue Queue;
    Queue.Post(Message(WM_KEYDOWN, VK_UP));
    Queue.Post(Message(WM_COMMAND, 1, DIALOG));
    Queue.PostQuit(0);
    Queue.Post(Message(WM_SIZE));
    Queue.Invalidate(MAIN);
    Queue.DropWindow(MAIN);
    EXPECT_FALSE(Queue.IsInvalid());
    EXPECT_EQ(Drain(Queue), (std::vector<std::uint32_t>{WM_COMMAND, WM_QUIT}));
}
