// Definitions and start values of the shared view state. Only the first four start non-zero.
#include "render/ViewState.h"

#include <cstdint>

#include "render/View.h"

eRenderMode RenderMode = eRenderMode::OpenGL;
std::uint8_t TexturesOn = 1;
std::int32_t FrameRate = 20;
std::int32_t FrameIntervalMs = 50;
std::int32_t PolygonFilter;
float CameraOffsetY;
float CameraOffsetZ;
float CameraAngleY;
float CameraAngleX;
std::uint8_t LoopAnimation;
std::uint8_t AutoRotate;
std::uint8_t Animating;
std::int32_t CurrentFrame;
std::int32_t SequenceStart;
std::int32_t SequenceLength;
std::string LastScriptPath;
cZentorMesh* TheModel;
std::int32_t ClientWidth;
std::int32_t ClientHeight;

void ResetViewState()
{
    RenderMode = eRenderMode::OpenGL;
    TexturesOn = 1;
    FrameRate = 20;
    FrameIntervalMs = 50;
    PolygonFilter = 0;
    CameraOffsetY = CameraOffsetZ = 0.0f;
    CameraAngleY = CameraAngleX = 0.0f;
    LoopAnimation = AutoRotate = Animating = 0;
    CurrentFrame = SequenceStart = SequenceLength = 0;
    LastScriptPath.clear();
    TheModel = nullptr;
    ClientWidth = ClientHeight = 0;
    ResetModelPlacement();
}

std::int32_t NextFrameInSequence(std::int32_t Frame)
{
    const std::int64_t Next = static_cast<std::int64_t>(Frame) + 1;
    const bool bWrap = Next - SequenceStart >= SequenceLength || Next > INT32_MAX;
    return bWrap ? SequenceStart : static_cast<std::int32_t>(Next);
}

void StepLoopAnimation()
{
    if (LoopAnimation)
        CurrentFrame = NextFrameInSequence(CurrentFrame);
}
