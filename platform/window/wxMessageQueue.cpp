// The wx back end's message queue: ordering, coalesced repaint and quit.
#include "platform/window/wxMessageQueue.h"

#include <algorithm>

void cWxMessageQueue::Post(const tMessage& Msg)
{
    mEntries.push_back({Msg, 0});
}

void cWxMessageQueue::PostFront(const tMessage& Msg)
{
    mEntries.push_front({Msg, 0});
}

bool cWxMessageQueue::AttachChar(std::uint32_t Char)
{
    if (mEntries.empty() || mEntries.back().Msg.Msg != WM_KEYDOWN || mEntries.back().Char != 0)
        return false;
    mEntries.back().Char = Char;
    return true;
}

void cWxMessageQueue::PostQuit(int ExitCode)
{
    tMessage Quit;
    Quit.Msg = WM_QUIT;
    Quit.wParam = static_cast<std::uintptr_t>(ExitCode);
    mEntries.push_back({Quit, 0});
}

void cWxMessageQueue::Invalidate(HWindow Window)
{
    mPaintWindow = Window;
}

void cWxMessageQueue::Validate()
{
    mPaintWindow = HWindow::None;
}

bool cWxMessageQueue::Take(tMessage& Msg, std::uint32_t& Char)
{
    Char = 0;
    if (!mEntries.empty())
    {
        Msg = mEntries.front().Msg;
        Char = mEntries.front().Char;
        mEntries.pop_front();
        return true;
    }
    if (!IsInvalid())
        return false;
    Msg = tMessage{};
    Msg.Window = mPaintWindow;
    Msg.Msg = WM_PAINT;
    return true;
}

void cWxMessageQueue::DropWindow(HWindow Window)
{
    // The quit message has no window and always survives.
    mEntries.erase(std::remove_if(mEntries.begin(), mEntries.end(),
                                  [Window](const tEntry& Entry) {
                                      return Entry.Msg.Msg != WM_QUIT &&
                                             Entry.Msg.Window == Window;
                                  }),
                   mEntries.end());
    if (mPaintWindow == Window)
        mPaintWindow = HWindow::None;
}
