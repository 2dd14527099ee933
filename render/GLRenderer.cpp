// The OpenGL renderer behind the renderer seam: model upload (GLModel), frame drawing (GLDraw)
// and scene state (GLScene). The shell owns the context and swaps its buffers.
#include "render/GLRenderer.h"

#include <GL/gl.h>

#include <algorithm>

#include "render/GLDraw.h"
#include "render/GLModel.h"
#include "render/GLScene.h"

namespace
{
class cGLRenderer final : public cRenderer
{
public:
    eRenderMode Mode() const override { return eRenderMode::OpenGL; }
    // OpenGL counts texture rows from the bottom.
    bool FlipsTextureRows() const override { return true; }
    int BuildModel(const char* pszScript) override { return GLBuildModel(pszScript); }
    bool PrepareFramePart(int Frame) override { return GLPrepareFramePart(Frame); }
    bool IsFramePrepared(int Frame) const override
    {
        return Frame >= 0 && Frame < MAX_FRAMES && GLFrames[Frame] && GLFrames[Frame]->IsComplete();
    }
    void ReleaseFrame(int Frame) override { GLReleaseFrame(Frame); }
    std::size_t EstimateFrameBytes(int Frame) const override { return GLEstimateFrameBytes(Frame); }
    void ReleaseFrames() override
    {
        GLReleaseFrames();
        GLReleaseTextures();
    }
    void DrawFrame() override { GLDrawFrame(); }
    bool Paint(cPaintTarget& Target) override
    {
        GLDrawFrame();
        Target.SwapBuffers();
        Target.ValidateRegion();
        return true;
    }
    void Resize(int Width, int Height) override { GLResizeView(Width, Height); }
    void ApplyTextureSwitch() override { GLSetTexturesOn(View.TexturesOn); }
    void SetBackgroundColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) override
    {
        GLSetBackgroundColor(Red, Green, Blue);
    }
    // The buffer DrawFrame drew into, before any swap: the viewport's pixels, bottom row first
    // in OpenGL, turned top row first.
    bool ReadPicture(int& Width, int& Height, std::vector<std::uint8_t>& Rgb) override
    {
        GLint Viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, Viewport);
        if (Viewport[2] <= 0 || Viewport[3] <= 0)
            return false;
        const std::size_t Row = static_cast<std::size_t>(Viewport[2]) * 3;
        std::vector<std::uint8_t> Pixels(Row * static_cast<std::size_t>(Viewport[3]));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(Viewport[0], Viewport[1], Viewport[2], Viewport[3], GL_RGB, GL_UNSIGNED_BYTE,
                     Pixels.data());
        Width = Viewport[2];
        Height = Viewport[3];
        Rgb.resize(Pixels.size());
        for (int Y = 0; Y < Height; ++Y)
            std::copy_n(&Pixels[static_cast<std::size_t>(Height - 1 - Y) * Row], Row,
                        &Rgb[static_cast<std::size_t>(Y) * Row]);
        return true;
    }
};
}  // namespace

cRenderer& GLRenderer()
{
    static cGLRenderer Renderer;
    return Renderer;
}
