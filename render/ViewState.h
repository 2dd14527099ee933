// The view state shared by the shell and both renderers: which renderer is active, the
// animation and camera settings, the selected frame range and the loaded model. Process-wide
// globals, read and written on the one UI thread only. Handles of the window and the
// Direct3D viewer live with the shell and the Direct3D renderer, which own them.
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

extern eRenderMode RenderMode;        // the active renderer
extern std::uint8_t TexturesOn;       // textures are drawn
extern std::int32_t FrameRate;        // animation frames per second, 1 to 60
extern std::int32_t FrameIntervalMs;  // 1000 / FrameRate: milliseconds between idle redraws
extern std::int32_t PolygonFilter;    // 0 all, 2 translucent, 3 masked, 4 two-sided, 8 placeholder
extern float CameraOffsetY;           // model lifted on screen, model units
extern float CameraOffsetZ;           // model brought toward the viewer, model units
extern float CameraAngleY;            // turn about the vertical axis, degrees, 0 to 360
extern float CameraAngleX;            // turn about the horizontal axis, degrees, 0 to 360
extern std::uint8_t LoopAnimation;    // each drawn picture advances CurrentFrame
extern std::uint8_t AutoRotate;       // each paint turns CameraAngleY by 5 degrees
extern std::uint8_t Animating;        // the message loop requests redraws every FrameIntervalMs
extern std::int32_t CurrentFrame;     // absolute frame number shown
extern std::int32_t SequenceStart;    // first frame of the selected sequence
extern std::int32_t SequenceLength;   // frame count of the selected sequence
extern std::string LastScriptPath;    // script last chosen or opened; empty when none
extern cZentorMesh* TheModel;         // the loaded model (owned), null when none
extern std::int32_t ClientWidth;      // last client size in pixels
extern std::int32_t ClientHeight;

// Puts every global above back to its value at program start, and the model's placement
// (ModelBounds, ViewDistance) with it. The model is not freed here: ReleaseModel does that.
void ResetViewState();
// The frame after Frame within the selected sequence: its first frame once the step passes
// the sequence's end or the largest frame number. The sequence bounds come from the script and
// may lie anywhere in 32 bits, so the step is computed in 64 bits.
std::int32_t NextFrameInSequence(std::int32_t Frame);
// The loop step of every drawn picture: while LoopAnimation is set, CurrentFrame moves to the
// next frame of the selected sequence.
void StepLoopAnimation();
