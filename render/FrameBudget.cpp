// The prepared frames' sizes against the budget, and their order of last drawing.
#include "render/FrameBudget.h"

namespace
{
bool InRange(int Frame, std::size_t Count)
{
    return Frame >= 0 && static_cast<std::size_t>(Frame) < Count;
}
}  // namespace

void cFrameBudget::Start(int NumFrames, std::size_t Bytes)
{
    const std::size_t Count = NumFrames > 0 ? static_cast<std::size_t>(NumFrames) : 0;
    mBudget = Bytes;
    mHeldBytes = 0;
    mBytes.assign(Count, 0);
    mHeld.assign(Count, false);
    mDrawnAt.assign(Count, 0);
    mDraws = 0;
}

void cFrameBudget::Held(int Frame, std::size_t Bytes)
{
    if (!InRange(Frame, mHeld.size()))
        return;
    const std::size_t Index = static_cast<std::size_t>(Frame);
    if (mHeld[Index])
        mHeldBytes -= mBytes[Index];
    mHeld[Index] = true;
    mBytes[Index] = Bytes;
    mHeldBytes += Bytes;
}

void cFrameBudget::Released(int Frame)
{
    if (!IsHeld(Frame))
        return;
    const std::size_t Index = static_cast<std::size_t>(Frame);
    mHeld[Index] = false;
    mHeldBytes -= mBytes[Index];
    mBytes[Index] = 0;
}

void cFrameBudget::Drawn(int Frame)
{
    if (InRange(Frame, mDrawnAt.size()))
        mDrawnAt[static_cast<std::size_t>(Frame)] = ++mDraws;
}

bool cFrameBudget::IsHeld(int Frame) const
{
    return InRange(Frame, mHeld.size()) && mHeld[static_cast<std::size_t>(Frame)];
}

int cFrameBudget::LeastRecentlyDrawn(const std::vector<bool>& Spare) const
{
    int Oldest = -1;
    for (std::size_t Index = 0; Index < mHeld.size(); ++Index)
    {
        if (!mHeld[Index] || (Index < Spare.size() && Spare[Index]))
            continue;
        if (Oldest < 0 || mDrawnAt[Index] < mDrawnAt[static_cast<std::size_t>(Oldest)])
            Oldest = static_cast<int>(Index);
    }
    return Oldest;
}
