// The OpenGL renderer behind the renderer seam: model upload (GLModel), frame drawing (GLDraw)
// and scene state (GLScene). The shell owns the context and swaps its buffers.
#include "render/GLRenderer.h"

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
    void PrepareFrame(int Frame) override { GLPrepareFrame(Frame); }
    bool IsFramePrepared(int Frame) const override
    {
        return Frame >= 0 && Frame < MAX_FRAMES && GLFrames[Frame] != nullptr;
    }
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
};
}  // namespace

cRenderer& GLRenderer()
{
    static cGLRenderer Renderer;
    return Renderer;
}
