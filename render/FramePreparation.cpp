// The waiting frames of the loaded model, the order in which idle time prepares them, and the
// budget that decides which prepared frames are kept.
#include "render/FramePreparation.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "render/FrameBudget.h"
#include "render/RenderHooks.h"
#include "render/Renderer.h"
#include "render/ViewState.h"

void (*BeforeFramePreparationHook)(int Frame) = nullptr;

namespace
{
using tClock = std::chrono::steady_clock;

constexpr std::size_t MIB = 1024 * 1024;
constexpr std::size_t LARGEST_BUDGET_MIB = 1024 * 1024;

enum class eFrameState : unsigned char
{
    Waiting,   // nothing prepared
    InParts,   // some parts prepared; never drawn like this
    Ready,
};

std::vector<eFrameState> States;  // index = frame number
int NumWaiting = 0;
int NextFrame = 0;           // where the search for the next waiting frame starts
cRenderer* pRenderer = nullptr;
cFrameBudget Budget;
bool OutOfMemory = false;
tClock::duration LongestPart{};  // of the model's preparation so far
bool BudgetSet = false;
std::size_t BudgetBytes = DEFAULT_FRAME_BUDGET_MIB * MIB;

int NumFrames()
{
    return static_cast<int>(States.size());
}

eFrameState StateOf(int Frame)
{
    return States[static_cast<std::size_t>(Frame)];
}

void SetState(int Frame, eFrameState State)
{
    NumWaiting += (State == eFrameState::Waiting) - (StateOf(Frame) == eFrameState::Waiting);
    States[static_cast<std::size_t>(Frame)] = State;
}

// Frames released under the budget give their memory back to the system: blocks of 256 KiB or
// more get mappings of their own, which go when they are freed. Left to itself the C library
// raises that threshold each time such a block is freed, and frames prepared and released in
// turn then leave the heap holed, growing by a good part of the budget over a pass.
void ReturnLargeBlocksToTheSystem()
{
#if defined(__GLIBC__)
    static bool bDone = false;
    if (!bDone)
        mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    bDone = true;
#endif
}

void Forget()
{
    States.clear();
    NumWaiting = 0;
    NextFrame = 0;
    Budget.Clear();
}

// The first waiting frame at or after NextFrame, wrapping to frame 0; -1 when none waits.
int FindNextWaiting()
{
    for (int Step = 0; Step < NumFrames(); ++Step)
    {
        const int Frame = (NextFrame + Step) % NumFrames();
        if (StateOf(Frame) == eFrameState::Waiting)
            return Frame;
    }
    return -1;
}

// The frame prepared in parts so far; -1 when none is.
int FirstInParts()
{
    for (int Frame = 0; Frame < NumFrames(); ++Frame)
        if (StateOf(Frame) == eFrameState::InParts)
            return Frame;
    return -1;
}

// True while every frame not prepared yet fits the budget beside those prepared.
bool AllFit()
{
    std::size_t Needed = 0;
    for (int Frame = 0; Frame < NumFrames(); ++Frame)
        if (StateOf(Frame) == eFrameState::Waiting)
            Needed += pRenderer->EstimateFrameBytes(Frame);
    return Budget.Fits(Needed);
}

// The frames paints draw next, in the order they come, as far as they fit the budget together
// (the first always): the current frame, then on through the selected sequence, wrapping to its
// start as looping does.
std::vector<int> FramesPlayedNext()
{
    std::vector<int> Frames;
    if (View.CurrentFrame < 0 || View.CurrentFrame >= NumFrames())
        return Frames;
    std::size_t Bytes = 0;
    long long Frame = View.CurrentFrame;
    const bool bInSequence =
        Frame >= View.SequenceStart && Frame - View.SequenceStart < static_cast<long long>(View.SequenceLength);
    const long long Steps = bInSequence ? View.SequenceLength : 1;
    for (long long Step = 0; Step < Steps && Step < NumFrames(); ++Step)
    {
        if (Frame >= 0 && Frame < NumFrames())
        {
            Bytes += pRenderer->EstimateFrameBytes(static_cast<int>(Frame));
            if (!Frames.empty() && Bytes > Budget.Budget())
                break;
            Frames.push_back(static_cast<int>(Frame));
        }
        ++Frame;
        if (Frame - View.SequenceStart >= static_cast<long long>(View.SequenceLength))
            Frame = View.SequenceStart;
    }
    return Frames;
}

// The frame idle time works on next: one in parts first; then, while everything fits, the next
// waiting frame in order; otherwise the first waiting frame among those played next, and once
// they are all prepared the next waiting frame in order if it fits beside them. -1 when none.
int ChooseIdleFrame()
{
    const int InParts = FirstInParts();
    if (InParts >= 0)
        return InParts;
    if (NumWaiting == 0)
        return -1;
    if (AllFit())
        return FindNextWaiting();
    for (int Frame : FramesPlayedNext())
        if (StateOf(Frame) == eFrameState::Waiting)
            return Frame;
    const int Next = FindNextWaiting();
    return Budget.Fits(pRenderer->EstimateFrameBytes(Next)) ? Next : -1;
}

void Release(int Frame)
{
    pRenderer->ReleaseFrame(Frame);
    Budget.Released(Frame);
    SetState(Frame, eFrameState::Waiting);
}

// Releases frames drawn least recently, sparing Frame and those played next, until Frame fits
// the budget. False when it cannot be made to fit.
bool MakeRoom(int Frame)
{
    const std::size_t Bytes = pRenderer->EstimateFrameBytes(Frame);
    if (Budget.Fits(Bytes))
        return true;
    std::vector<bool> Spare(States.size(), false);
    Spare[static_cast<std::size_t>(Frame)] = true;
    for (int Next : FramesPlayedNext())
        Spare[static_cast<std::size_t>(Next)] = true;
    while (!Budget.Fits(Bytes))
    {
        const int Oldest = Budget.LeastRecentlyDrawn(Spare);
        if (Oldest < 0)
            return false;
        Release(Oldest);
    }
    return true;
}

// Prepares the next part of Frame, which is waiting or in parts; a waiting frame starts and
// counts against the budget. Running out of memory ends the preparation.
void PreparePart(int Frame)
{
    try
    {
        if (StateOf(Frame) == eFrameState::Waiting)
        {
            if (BeforeFramePreparationHook)
                BeforeFramePreparationHook(Frame);
            Budget.Held(Frame, pRenderer->EstimateFrameBytes(Frame));
            SetState(Frame, eFrameState::InParts);
        }
        if (pRenderer->PrepareFramePart(Frame))
            SetState(Frame, eFrameState::Ready);
    }
    catch (const std::bad_alloc&)
    {
        // The model cannot be completed; whoever owns it drops it.
        OutOfMemory = true;
        Forget();
    }
}

void PrepareWhole(int Frame)
{
    while (!OutOfMemory && Frame < NumFrames() && StateOf(Frame) != eFrameState::Ready)
        PreparePart(Frame);
}
}  // namespace

bool ParseFrameBudgetMiB(const char* pszText, std::size_t& MiB)
{
    if (!pszText || *pszText < '0' || *pszText > '9')
        return false;
    std::size_t Value = 0;
    for (const char* p = pszText; *p; ++p)
    {
        if (*p < '0' || *p > '9')
            return false;
        Value = Value * 10 + static_cast<std::size_t>(*p - '0');
        if (Value > LARGEST_BUDGET_MIB)
            return false;
    }
    if (Value == 0)
        return false;
    MiB = Value;
    return true;
}

std::size_t FrameBudgetBytes()
{
    if (!BudgetSet)
    {
        BudgetSet = true;
        const char* pszValue = std::getenv("TESSALY_FRAME_BUDGET_MB");
        std::size_t MiB = DEFAULT_FRAME_BUDGET_MIB;
        if (pszValue && !ParseFrameBudgetMiB(pszValue, MiB))
            std::fprintf(stderr,
                         "TESSALY_FRAME_BUDGET_MB=%s is not a whole number of MiB from 1 to %zu; "
                         "using %zu MiB for prepared frames\n",
                         pszValue, LARGEST_BUDGET_MIB, DEFAULT_FRAME_BUDGET_MIB);
        BudgetBytes = MiB * MIB;
    }
    return BudgetBytes;
}

void SetFrameBudgetBytes(std::size_t Bytes)
{
    BudgetSet = true;
    BudgetBytes = Bytes;
}

void StartFramePreparation(int Count, cRenderer& Renderer)
{
    Forget();
    OutOfMemory = false;
    LongestPart = {};
    pRenderer = &Renderer;
    if (Count <= 0)
        return;
    ReturnLargeBlocksToTheSystem();
    States.assign(static_cast<std::size_t>(Count), eFrameState::Waiting);
    NumWaiting = Count;
    Budget.Start(Count, FrameBudgetBytes());
}

void StartWithFrameZero(int Count, cRenderer& Renderer)
{
    StartFramePreparation(Count, Renderer);
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
    if (Frame >= 0 && Frame < NumFrames())
        NextFrame = Frame;
}

void PrepareFrameNow(int Frame)
{
    if (Frame < 0 || Frame >= NumFrames())
        return;
    if (StateOf(Frame) == eFrameState::Waiting)
        // A frame on screen is drawn even when the frames played after it fill the budget.
        MakeRoom(Frame);
    PrepareWhole(Frame);
    if (!OutOfMemory)
        Budget.Drawn(Frame);
}

bool PrepareWaitingFrames(double SliceMs)
{
    const tClock::time_point Start = tClock::now();
    for (;;)
    {
        const int Frame = ChooseIdleFrame();
        if (Frame < 0 || (StateOf(Frame) == eFrameState::Waiting && !MakeRoom(Frame)))
            return false;
        const tClock::time_point Before = tClock::now();
        PreparePart(Frame);
        if (OutOfMemory)
            return false;
        if (StateOf(Frame) == eFrameState::Ready)
            NextFrame = Frame + 1;
        const tClock::time_point After = tClock::now();
        if (After - Before > LongestPart)
            LongestPart = After - Before;
        // Parts differ (decoding, a list, an empty mesh), so the next may be the longest this
        // model has had.
        const std::chrono::duration<double, std::milli> Predicted = After - Start + LongestPart;
        if (Predicted.count() > SliceMs)
            return FramesWaiting();
    }
}

void PrepareAllFrames()
{
    for (;;)
    {
        const int InParts = FirstInParts();
        const int Frame = InParts >= 0 ? InParts : FindNextWaiting();
        if (Frame < 0)
            return;
        PrepareWhole(Frame);
        if (OutOfMemory)
            return;
        NextFrame = Frame + 1;
    }
}

bool FramesWaiting()
{
    return ChooseIdleFrame() >= 0;
}

bool FramePrepared(int Frame)
{
    return Frame >= 0 && Frame < NumFrames() && StateOf(Frame) == eFrameState::Ready;
}

std::size_t PreparedFrameBytes()
{
    return Budget.HeldBytes();
}

bool FramePreparationOutOfMemory()
{
    return OutOfMemory;
}
