// The view state shared by the shell and both renderers: which renderer is active, the
// animation and camera settings, the selected frame range, and the loaded model. One group,
// View, read and written on the one UI thread only. Handles of the window and the Direct3D
// viewer live with the shell and the Direct3D renderer, which own them.
#pragma once

#include <cstdint>
#include <string>

class cZentorMesh;

// Most animation frames either renderer prepares and draws.
constexpr int MAX_FRAMES = 1000;

// The renderer that draws the view (render/Renderer.h picks it by this value).
enum class eRenderMode : std::int32_t
{
    OpenGL = 1,
    Direct3D = 2,
};

// The polygon type a picture shows against the outline of the whole mesh, or all of them.
// The values are the triangles' type numbers (FrameGeometry.h).
enum class ePolygonFilter : std::int32_t
{
    All = 0,
    Translucent = 2,
    Masked = 3,
    TwoSided = 4,
    Placeholder = 8,  // the weapon triangle
};

struct cViewState
{
    eRenderMode RenderMode = eRenderMode::OpenGL;  // the active renderer
    bool TexturesOn = true;                         // textures are drawn
    std::int32_t FrameRate = 20;         // animation frames per second, 1 to 60
    std::int32_t FrameIntervalMs = 50;   // 1000 / FrameRate: milliseconds between idle redraws
    ePolygonFilter PolygonFilter = ePolygonFilter::All;
    float CameraOffsetY = 0.0f;          // model lifted on screen, model units
    float CameraOffsetZ = 0.0f;          // model brought toward the viewer, model units
    float CameraAngleY = 0.0f;           // turn about the vertical axis, degrees, 0 to 360
    float CameraAngleX = 0.0f;           // turn about the horizontal axis, degrees, 0 to 360
    bool LoopAnimation = false;          // each drawn picture advances CurrentFrame
    bool AutoRotate = false;             // each paint turns CameraAngleY by 5 degrees
    bool Animating = false;              // the message loop requests redraws every FrameIntervalMs
    std::int32_t CurrentFrame = 0;       // absolute frame number shown
    std::int32_t SequenceStart = 0;      // first frame of the selected sequence
    std::int32_t SequenceLength = 0;     // frame count of the selected sequence
    std::string LastScriptPath;          // script last chosen or opened; empty when none
    std::int32_t ClientWidth = 0;        // last client size in pixels
    std::int32_t ClientHeight = 0;
};
extern cViewState View;
extern cZentorMesh* TheModel;  // the loaded model (owned), null when none

// Puts View back to its values at program start, and the model's placement (ModelBounds,
// ViewDistance, View.h) with it; TheModel becomes null without being freed (ReleaseModel
// frees it).
void ResetViewState();
// The frame after Frame within the selected sequence: its first frame once the step passes
// the sequence's end or the largest frame number. The sequence bounds come from the script and
// may lie anywhere in 32 bits, so the step is computed in 64 bits.
std::int32_t NextFrameInSequence(std::int32_t Frame);
// The loop step of every drawn picture: while LoopAnimation is set, CurrentFrame moves to the
// next frame of the selected sequence.
void StepLoopAnimation();
