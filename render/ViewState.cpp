// The view state, its start values, and the frame steps within the selected sequence.
#include "render/ViewState.h"

#include <cstdint>

#include "render/View.h"

cViewState View;
cZentorMesh* TheModel;

void ResetViewState()
{
    View = cViewState{};
    TheModel = nullptr;
    ResetModelPlacement();
}

std::int32_t NextFrameInSequence(std::int32_t Frame)
{
    const std::int64_t Next = static_cast<std::int64_t>(Frame) + 1;
    const bool bWrap = Next - View.SequenceStart >= View.SequenceLength || Next > INT32_MAX;
    return bWrap ? View.SequenceStart : static_cast<std::int32_t>(Next);
}

void StepLoopAnimation()
{
    if (View.LoopAnimation)
        View.CurrentFrame = NextFrameInSequence(View.CurrentFrame);
}
