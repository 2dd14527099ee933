// The waiting frames of the loaded model and the order in which idle time prepares them.
#include "render/FramePreparation.h"

#include <chrono>
#include <new>
#include <vector>

#include "render/RenderHooks.h"

void (*BeforeFramePreparationHook)(int Frame) = nullptr;

namespace
{
using tClock = std::chrono::steady_clock;

std::vector<bool> Waiting;  // index = frame number
int NumWaiting = 0;
int NextFrame = 0;          // where the search for the next waiting frame starts
tPrepareFrame PrepareFn = nullptr;
bool OutOfMemory = false;

void Forget()
{
    Waiting.clear();
    NumWaiting = 0;
    NextFrame = 0;
}

// The first waiting frame at or after NextFrame, wrapping to frame 0; -1 when none waits.
int FindNextWaiting()
{
    const int NumFrames = static_cast<int>(Waiting.size());
    for (int Step = 0; Step < NumFrames; ++Step)
    {
        const int Frame = (NextFrame + Step) % NumFrames;
        if (Waiting[static_cast<std::size_t>(Frame)])
            return Frame;
    }
    return -1;
}

void Prepare(int Frame)
{
    Waiting[static_cast<std::size_t>(Frame)] = false;
    --NumWaiting;
    try
    {
        if (BeforeFramePreparationHook)
            BeforeFramePreparationHook(Frame);
        PrepareFn(Frame);
    }
    catch (const std::bad_alloc&)
    {
        // The model cannot be completed; whoever owns it drops it.
        OutOfMemory = true;
        Forget();
    }
}
// Prepares the next waiting frame in order; the search goes on after it.
void PrepareNext()
{
    const int Frame = FindNextWaiting();
    Prepare(Frame);
    NextFrame = Frame + 1;
}
}  // namespace

void StartFramePreparation(int NumFrames, tPrepareFrame Prepare)
{
    Forget();
    OutOfMemory = false;
    PrepareFn = Prepare;
    if (NumFrames <= 0 || !Prepare)
        return;
    Waiting.assign(static_cast<std::size_t>(NumFrames), true);
    NumWaiting = NumFrames;
}

void StartWithFrameZero(int NumFrames, tPrepareFrame Prepare)
{
    StartFramePreparation(NumFrames, Prepare);
    PrepareFrameNow(0);
    if (OutOfMemory)
        throw std::bad_alloc();
    if (BuildProgressHook)
        BuildProgressHook(1, 1);
}

void StopFramePreparation()
{
    Forget();
    OutOfMemory = false;
}

void PrepareFramesFrom(int Frame)
{
    if (Frame >= 0 && Frame < static_cast<int>(Waiting.size()))
        NextFrame = Frame;
}

void PrepareFrameNow(int Frame)
{
    if (Frame >= 0 && Frame < static_cast<int>(Waiting.size()) &&
        Waiting[static_cast<std::size_t>(Frame)])
        Prepare(Frame);
}

bool PrepareWaitingFrames(double BudgetMs)
{
    const tClock::time_point Start = tClock::now();
    tClock::duration Longest{};
    while (NumWaiting > 0)
    {
        const tClock::time_point Before = tClock::now();
        PrepareNext();
        const tClock::time_point After = tClock::now();
        if (After - Before > Longest)
            Longest = After - Before;
        // Frames of one model cost much the same, so the longest so far predicts the next.
        const std::chrono::duration<double, std::milli> Predicted = After - Start + Longest;
        if (Predicted.count() > BudgetMs)
            break;
    }
    return NumWaiting > 0;
}

void PrepareAllFrames()
{
    while (NumWaiting > 0)
        PrepareNext();
}

bool FramesWaiting()
{
    return NumWaiting > 0;
}

bool FramePreparationOutOfMemory()
{
    return OutOfMemory;
}
