// Headless back end: the message queue, the test's input and clock, and repaints.
// Order of delivery: queued messages first, then the quit message, then one pending paint.
#include <algorithm>

#include "platform/window/headless/HeadlessWindow.h"

void cHeadlessWindowSystem::PostInput(std::uint32_t Msg, std::uintptr_t wParam,
                                      std::intptr_t lParam)
{
    mQueue.push_back({MAIN_WINDOW, Msg, wParam, lParam});
}

void cHeadlessWindowSystem::ScheduleInput(std::uint32_t AtMs, std::uint32_t Msg,
                                          std::uintptr_t wParam, std::intptr_t lParam)
{
    mScheduled.push_back({AtMs, {MAIN_WINDOW, Msg, wParam, lParam}});
}

void cHeadlessWindowSystem::PressKey(std::uintptr_t VirtualKey, char Character, bool bAltDown)
{
    // The character rides in lParam so that TranslateMessage can produce it.
    PostInput(WM_KEYDOWN, VirtualKey, bAltDown ? 0 : static_cast<unsigned char>(Character));
}

void cHeadlessWindowSystem::TakeDueScheduled()
{
    // Stable by moment; equal moments keep the order they were scheduled in.
    std::stable_sort(mScheduled.begin(), mScheduled.end(),
                     [this](const tScheduled& A, const tScheduled& B) {
                         return static_cast<std::int32_t>(A.AtMs - mNow) <
                                static_cast<std::int32_t>(B.AtMs - mNow);
                     });
    auto It = mScheduled.begin();
    while (It != mScheduled.end() && static_cast<std::int32_t>(mNow - It->AtMs) >= 0)
        mQueue.push_back((It++)->Msg);
    mScheduled.erase(mScheduled.begin(), It);
}

bool cHeadlessWindowSystem::PeekMessage()
{
    TakeDueScheduled();
    return !mQueue.empty() || mQuitPosted || (mPaintPending && IsMain(MAIN_WINDOW));
}

bool cHeadlessWindowSystem::GetMessage(tMessage& Msg)
{
    while (!PeekMessage())
        WaitMessage(WAIT_INFINITE);
    if (!mQueue.empty())
    {
        Msg = mQueue.front();
        mQueue.pop_front();
        return true;
    }
    if (mQuitPosted)
    {
        mQuitPosted = false;
        Msg = {HWindow::None, WM_QUIT, static_cast<std::uintptr_t>(mExitCode), 0};
        return false;
    }
    // The paint stays pending until the procedure validates the window.
    Msg = {MAIN_WINDOW, WM_PAINT, 0, 0};
    return true;
}

void cHeadlessWindowSystem::TranslateMessage(const tMessage& Msg)
{
    // The character comes next, ahead of anything queued after the key.
    if (Msg.Msg == WM_KEYDOWN && Msg.lParam != 0)
        mQueue.push_front({Msg.Window, WM_CHAR, static_cast<std::uintptr_t>(Msg.lParam), 0});
}

std::intptr_t cHeadlessWindowSystem::DispatchMessage(const tMessage& Msg)
{
    if (Msg.Window != MAIN_WINDOW)
        return 0;
    return CallProc(Msg.Msg, Msg.wParam, Msg.lParam);
}

void cHeadlessWindowSystem::WaitMessage(std::uint32_t TimeoutMs)
{
    ++mWaits;
    if (PeekMessage())
        return;
    if (!mScheduled.empty())
    {
        // TakeDueScheduled left the soonest first.
        const std::uint32_t Until = mScheduled.front().AtMs - mNow;
        if (TimeoutMs == WAIT_INFINITE || Until <= TimeoutMs)
        {
            mNow += Until;
            TakeDueScheduled();
            return;
        }
    }
    if (TimeoutMs != WAIT_INFINITE)
    {
        mNow += TimeoutMs;
        return;
    }
    // Nothing will ever arrive: the user closes the window, so a test's loop always ends.
    ++mIdleCloses;
    if (IsMain(MAIN_WINDOW))
        PostInput(WM_CLOSE, 0, 0);
    else
        PostQuitMessage(0);
}

void cHeadlessWindowSystem::PostMessage(HWindow Window, std::uint32_t Msg, std::uintptr_t wParam,
                                       std::intptr_t lParam)
{
    mQueue.push_back({Window, Msg, wParam, lParam});
}

std::intptr_t cHeadlessWindowSystem::SendMessage(HWindow Window, std::uint32_t Msg,
                                                 std::uintptr_t wParam, std::intptr_t lParam)
{
    return IsMain(Window) ? CallProc(Msg, wParam, lParam) : 0;
}

void cHeadlessWindowSystem::PostQuitMessage(int ExitCode)
{
    mQuitPosted = true;
    mExitCode = ExitCode;
}

void cHeadlessWindowSystem::InvalidateRect(HWindow Window)
{
    if (IsMain(Window))
        mPaintPending = true;
}

void cHeadlessWindowSystem::ValidateRect(HWindow Window)
{
    if (IsMain(Window))
        mPaintPending = false;
}

bool cHeadlessWindowSystem::GetUpdateRect(HWindow Window)
{
    return IsMain(Window) && mPaintPending;
}
