// The Direct3D renderer behind the renderer seam: model building (D3DModel), frame drawing
// (D3DDraw) and the viewer (TheD3DViewer), whose device presents each picture itself.
#include "render_d3d/D3DRenderer.h"

#include "render/Renderer.h"
#include "render/View.h"
#include "render_d3d/D3DDraw.h"
#include "render_d3d/D3DModel.h"
#include "render_d3d/D3DViewer.h"

namespace
{
class cD3DRenderer final : public cRenderer
{
public:
    eRenderMode Mode() const override { return eRenderMode::Direct3D; }
    bool FlipsTextureRows() const override { return false; }
    int BuildModel(const char* pszScript) override { return D3DBuildModel(pszScript); }
    bool PrepareFramePart(int Frame) override { return D3DPrepareFramePart(Frame); }
    bool IsFramePrepared(int Frame) const override
    {
        return Frame >= 0 && Frame < MAX_FRAMES && D3DFrames[Frame] && D3DFrames[Frame]->IsComplete();
    }
    void ReleaseFrame(int Frame) override { D3DReleaseFrame(Frame); }
    std::size_t EstimateFrameBytes(int Frame) const override { return D3DEstimateFrameBytes(Frame); }
    void ReleaseFrames() override { D3DReleaseFrames(); }
    void DrawFrame() override { D3DDrawFrame(); }
    bool Paint(cPaintTarget& Target) override
    {
        if (!TheD3DViewer || !TheD3DViewer->HasDevice())
            return false;
        // The region is validated here, or the paint would come back for ever. The picture
        // drawn below is the one presented: showing the device's last picture first would
        // present twice, and after a resize flash the new device's empty buffer.
        if (Target.HasUpdateRegion())
            Target.ValidateRegion();
        D3DDrawFrame();
        return true;
    }
    // The distance first (the camera stands at it), then device, viewport and scene for the
    // new client area, and the camera at that distance.
    void Resize(int Width, int Height) override
    {
        Placement.ViewDistance = static_cast<float>(-BaseViewDistance());
        if (!TheD3DViewer)
            return;
        TheD3DViewer->Resize(Width, Height);
        if (TheD3DViewer->GetScene() && TheD3DViewer->GetCamera())
            TheD3DViewer->GetCamera()->SetPosition(TheD3DViewer->GetScene(), 0.0f, 0.0f,
                                                   Placement.ViewDistance);
    }
    void ApplyTextureSwitch() override { ApplyTextureSwitchToDirect3D(); }
    // The viewer takes the colour chooser's layout: red in the low byte.
    void SetBackgroundColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) override
    {
        if (TheD3DViewer)
            TheD3DViewer->SetBackgroundColor(Red | Green << 8 | static_cast<std::uint32_t>(Blue) << 16);
    }
    bool ReadPicture(int& Width, int& Height, std::vector<std::uint8_t>& Rgb) override
    {
        return TheD3DViewer && TheD3DViewer->LastPicture(Width, Height, Rgb);
    }
};
}  // namespace

cRenderer& D3DRenderer()
{
    static cD3DRenderer Renderer;
    return Renderer;
}

void RegisterD3DRenderer()
{
    RegisterRenderer(eRenderMode::Direct3D, &D3DRenderer());
}
