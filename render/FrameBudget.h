// The budget for prepared frames: what each prepared frame is estimated to hold, when each was
// last drawn, and which frame to release so that another one fits. Bookkeeping only; whoever
// owns the frames prepares and releases them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class cFrameBudget
{
public:
    // Frames 0 to NumFrames - 1, none held, none drawn yet; Bytes is the budget.
    void Start(int NumFrames, std::size_t Bytes);
    // Nothing held and no frames.
    void Clear() { Start(0, mBudget); }

    // Frame now holds Bytes (it replaces whatever it was recorded to hold before).
    void Held(int Frame, std::size_t Bytes);
    // Frame holds nothing any more.
    void Released(int Frame);
    // Frame was drawn: it becomes the most recently drawn one.
    void Drawn(int Frame);

    bool IsHeld(int Frame) const;
    std::size_t HeldBytes() const { return mHeldBytes; }
    std::size_t Budget() const { return mBudget; }
    // True when Bytes more can be held within the budget.
    bool Fits(std::size_t Bytes) const { return Bytes <= mBudget && mHeldBytes <= mBudget - Bytes; }

    // The held frame drawn least recently among those Spare does not mark (Spare is indexed by
    // frame, or empty to spare none); frames never drawn count as drawn before any other, and
    // of equals the lowest frame number goes first. -1 when every held frame is spared.
    int LeastRecentlyDrawn(const std::vector<bool>& Spare) const;

private:
    std::size_t mBudget = 0;
    std::size_t mHeldBytes = 0;
    std::vector<std::size_t> mBytes;     // index = frame; what a held frame holds
    std::vector<bool> mHeld;
    std::vector<std::uint64_t> mDrawnAt;  // the draw count when the frame was last drawn; 0 never
    std::uint64_t mDraws = 0;
};
