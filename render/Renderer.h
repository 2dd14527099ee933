// The renderer seam: everything the shell, the load step and the tools ask of a renderer, with
// one implementation per renderer (OpenGL in render/GLRenderer.cpp, Direct3D in
// render_d3d/D3DRenderer.cpp). RenderMode names the active one; nothing else picks a renderer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/ViewState.h"

// What one paint of the window may ask of the window system. The shell implements it for the
// window being painted.
class cPaintTarget
{
public:
    virtual ~cPaintTarget() = default;
    // Shows what was drawn into the window's OpenGL context.
    virtual void SwapBuffers() = 0;
    // True while part of the window waits to be painted.
    virtual bool HasUpdateRegion() = 0;
    // Marks the whole window painted.
    virtual void ValidateRegion() = 0;
};

class cRenderer
{
public:
    virtual ~cRenderer() = default;
    virtual eRenderMode Mode() const = 0;
    // True when the model import should reverse the texture rows for this renderer.
    virtual bool FlipsTextureRows() const = 0;
    // Builds TheModel's textures and frame 0 and takes frame 0's bounds into ModelBounds; the
    // other frames wait for preparation (FramePreparation.h). 0 done; 1 when the script has no
    // mesh, after telling the user. Throws std::bad_alloc when frame 0 runs out of memory.
    virtual int BuildModel(const char* pszScript) = 0;
    // Prepares the next part of frame Frame of TheModel, starting the frame unless it exists;
    // true once the frame is complete (at once for a complete one). The frame preparation
    // (FramePreparation.h) calls it. May throw std::bad_alloc.
    virtual bool PrepareFramePart(int Frame) = 0;
    // True when frame Frame is prepared completely.
    virtual bool IsFramePrepared(int Frame) const = 0;
    // Releases whatever frame Frame holds, complete or not (the frame budget releases frames).
    virtual void ReleaseFrame(int Frame) = 0;
    // What frame Frame is estimated to hold once complete, in bytes, for the frame budget.
    virtual std::size_t EstimateFrameBytes(int Frame) const = 0;
    // Frees every frame and texture this renderer holds for the model.
    virtual void ReleaseFrames() = 0;
    // Draws CurrentFrame under the camera and takes the loop step (StepLoopAnimation).
    virtual void DrawFrame() = 0;
    // One paint of the window: the frame drawn and shown. False, with nothing done, while the
    // renderer has nothing to draw with (the window's default handling then takes the paint).
    virtual bool Paint(cPaintTarget& Target) = 0;
    // The renderer's side of ResizeView: projection or viewport and ViewDistance.
    virtual void Resize(int Width, int Height) = 0;
    // Makes the pictures follow TexturesOn: textures or the lit untextured view.
    virtual void ApplyTextureSwitch() = 0;
    // The background colour the picture is cleared to.
    virtual void SetBackgroundColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) = 0;
    // The picture the last DrawFrame made: Width x Height RGB triples, top row first. False,
    // with nothing changed, when the renderer has none.
    virtual bool ReadPicture(int& Width, int& Height, std::vector<std::uint8_t>& Rgb)
    {
        return false;
    }
};

// Makes Renderer the one of its mode and returns the one it replaces (null when none). The
// OpenGL renderer is there from the start; the Direct3D renderer registers itself
// (RegisterD3DRenderer) and tests may put their own in its place.
cRenderer* RegisterRenderer(eRenderMode Mode, cRenderer* pRenderer);
// The renderer of RenderMode. A mode whose renderer is not registered draws nothing.
cRenderer& ActiveRenderer();
// Makes Mode's renderer the active one: the renderer switch and the programs that start on
// Direct3D call it.
void SelectRenderer(eRenderMode Mode);
// The texture switch reaches every registered renderer: each keeps its own state for it, so a
// renderer shows the switch as it stands when it becomes active again.
void ApplyTextureSwitchToEveryRenderer();
// Every registered renderer frees what it holds for the model (ReleaseModel).
void ReleaseFramesOfEveryRenderer();
