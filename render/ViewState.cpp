// Definitions and start values of the shared view state. Only the first four start non-zero.
#include "render/ViewState.h"

std::int32_t RenderMode = 1;
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
    RenderMode = 1;
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
}
