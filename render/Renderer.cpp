// The registered renderers and the choice of the active one by RenderMode.
#include "render/Renderer.h"

#include "render/GLRenderer.h"

namespace
{
// Stands in for a renderer not registered: it builds, prepares and draws nothing.
class cNoRenderer final : public cRenderer
{
public:
    explicit cNoRenderer(eRenderMode Mode) : mMode(Mode) {}
    eRenderMode Mode() const override { return mMode; }
    bool FlipsTextureRows() const override { return false; }
    int BuildModel(const char*) override { return 1; }
    bool PrepareFramePart(int) override { return true; }
    bool IsFramePrepared(int) const override { return false; }
    void ReleaseFrame(int) override {}
    std::size_t EstimateFrameBytes(int) const override { return 0; }
    void ReleaseFrames() override {}
    void DrawFrame() override {}
    bool Paint(cPaintTarget&) override { return false; }
    void Resize(int, int) override {}
    void ApplyTextureSwitch() override {}
    void SetBackgroundColor(std::uint8_t, std::uint8_t, std::uint8_t) override {}

private:
    eRenderMode mMode;
};

cRenderer*& Slot(eRenderMode Mode)
{
    static cRenderer* pOpenGL = &GLRenderer();
    static cRenderer* pDirect3D = nullptr;
    return Mode == eRenderMode::Direct3D ? pDirect3D : pOpenGL;
}
}  // namespace

cRenderer* RegisterRenderer(eRenderMode Mode, cRenderer* pRenderer)
{
    cRenderer* pBefore = Slot(Mode);
    Slot(Mode) = pRenderer;
    return pBefore;
}

cRenderer& ActiveRenderer()
{
    if (cRenderer* pRenderer = Slot(View.RenderMode))
        return *pRenderer;
    static cNoRenderer NoOpenGL(eRenderMode::OpenGL), NoDirect3D(eRenderMode::Direct3D);
    return View.RenderMode == eRenderMode::Direct3D ? NoDirect3D : NoOpenGL;
}

void SelectRenderer(eRenderMode Mode)
{
    View.RenderMode = Mode;
}

void ApplyTextureSwitchToEveryRenderer()
{
    for (eRenderMode Mode : {eRenderMode::OpenGL, eRenderMode::Direct3D})
        if (cRenderer* pRenderer = Slot(Mode))
            pRenderer->ApplyTextureSwitch();
}

void ReleaseFramesOfEveryRenderer()
{
    for (eRenderMode Mode : {eRenderMode::OpenGL, eRenderMode::Direct3D})
        if (cRenderer* pRenderer = Slot(Mode))
            pRenderer->ReleaseFrames();
}
