// The wx back end's message queue: posted messages and input in arrival order, one coalesced
// repaint flag, and the quit message. Knows nothing of the toolkit, so its ordering rules are
// tested on their own.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/window/Window.h"

class cWxMessageQueue
{
public:
    // Appends a message (input from the toolkit or a message the shell posts).
    void Post(const tMessage& Msg);
    // Puts a message ahead of everything waiting, so it is taken next (the character that
    // belongs to the key-down just taken).
    void PostFront(const tMessage& Msg);
    // Records the character a key press typed on the key-down posted last, when that key-down
    // is still waiting. Returns false when there is none to attach it to.
    bool AttachChar(std::uint32_t Char);
    // Appends the quit message carrying ExitCode.
    void PostQuit(int ExitCode);

    // Repaint requests: any number of them make one WM_PAINT for Window.
    void Invalidate(HWindow Window);
    void Validate();
    bool IsInvalid() const { return mPaintWindow != HWindow::None; }

    // True when Take would return something.
    bool HasMessage() const { return !mEntries.empty() || IsInvalid(); }
    // Takes the next message: waiting entries first, in order; the repaint only when nothing
    // else waits (it stays pending until validated). Char is the typed character attached to a
    // key-down, 0 for anything else. Returns false when there is nothing.
    bool Take(tMessage& Msg, std::uint32_t& Char);

    // Forgets every waiting message for Window and its pending repaint (the window is gone).
    void DropWindow(HWindow Window);

private:
    struct tEntry
    {
        tMessage Msg;
        std::uint32_t Char;
    };
    std::deque<tEntry> mEntries;
    HWindow mPaintWindow = HWindow::None;
};
